#include "KeyTranslator.h"

#include "KeyCodeMaps.h"
#include "linux/EvdevScanCodes.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcInput, "q7.input", QtInfoMsg)

namespace {

constexpr unsigned LargestScanCode = 0xFF;

unsigned physicalKey(unsigned scanCode, bool extended) {
    return scanCode > LargestScanCode ? 0 : (scanCode << 8) | (extended ? 1 : 0);
}

const char *stateName(bool isDown) {
    return isDown ? "down" : "up";
}

} // namespace

KeyTranslator::KeyTranslator(QObject *parent) : QObject(parent) {
    rebuild(false);
}

void KeyTranslator::rebuild(bool layoutFlag) {
    m_layoutFlag = layoutFlag;
    m_physicalKeys.fill(0);
    m_virtualKeys.fill(0);
    for (const KeyCodeMaps::PhysicalKey &key : KeyCodeMaps::physicalKeys)
        m_physicalKeys[physicalKey(key.scanCode, key.extended)] = key.virtualKey;
    for (const KeyCodeMaps::VirtualKey &key : KeyCodeMaps::virtualKeys)
        m_virtualKeys[key.virtualKey] = key.usage;
    m_virtualKeys[KeyCodeMaps::LayoutKey] =
        layoutFlag ? KeyCodeMaps::LayoutKeyAlternateUsage : KeyCodeMaps::LayoutKeyUsage;
}

uint8_t KeyTranslator::usageOf(unsigned scanCode, bool extended, bool altDown) const {
    uint8_t virtualKey = m_physicalKeys[physicalKey(scanCode, extended)];
    if (scanCode == KeyCodeMaps::BreakScanCode && extended)
        virtualKey = KeyCodeMaps::PauseVirtualKey;
    if (scanCode == KeyCodeMaps::AltPrintScanCode && altDown)
        virtualKey = KeyCodeMaps::PrintScreenVirtualKey;
    return virtualKey ? m_virtualKeys[virtualKey] : 0;
}

void KeyTranslator::scanCodeEvent(unsigned scanCode, bool extended, bool altDown, bool isDown) {
    const uint8_t usage = usageOf(scanCode, extended, altDown);
    if (!usage || m_keyStates[usage] == uint8_t(isDown))
        return;
    m_keyStates[usage] = uint8_t(isDown);
    qCDebug(lcInput, "key 0x%02x %s", usage, stateName(isDown));
    emit keyReported(usage, isDown);
}

void KeyTranslator::evdevKeyEvent(unsigned evdevCode, bool isDown) {
    if (const auto scanCode = EvdevScanCodes::lookup(evdevCode))
        scanCodeEvent(scanCode->code, scanCode->extended, false, isDown);
}

void KeyTranslator::releaseAll() {
    for (size_t usage = 0; usage < m_keyStates.size(); ++usage) {
        if (!m_keyStates[usage])
            continue;
        m_keyStates[usage] = 0;
        qCDebug(lcInput, "key 0x%02zx up", usage);
        emit keyReported(uint8_t(usage), false);
    }
}

void KeyTranslator::buttonEvent(Button button, bool isDown, QPoint screenPosition) {
    static constexpr uint8_t codes[] = {LeftButtonCode, RightButtonCode, MiddleButtonCode};
    const uint8_t code = codes[int(button)];
    qCDebug(lcInput, "button 0x%02x %s %d,%d", code, stateName(isDown), screenPosition.x(),
            screenPosition.y());
    emit buttonReported(code, isDown, screenPosition.x(), screenPosition.y());
}
