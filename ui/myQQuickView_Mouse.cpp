// The mouse-dialect slots: the pages' values to the mouse, and its page state in the profile.
#include "myQQuickView.h"

#include "ByteList.h"
#include "Hid_Thread.h"
#include "ProfileKeys.h"

#include <QByteArray>

namespace {
constexpr int DpiCodes = 8;
constexpr int ColourTableBytes = 24;
constexpr uchar PackedColourType = 2;
constexpr int PackedColourBytes = 4;
constexpr int KeyTableBytes = 64;
constexpr int KeyEntries = 16;
constexpr int KeyRecordBytes = 4;
constexpr int MacroBytes = 128;
constexpr int DefaultStageCount = 8;
constexpr int DpiStages = 8;
constexpr int FireKeys = 3;

// Key records: function type, three parameters.
constexpr uchar GunSwitchType = 8;
constexpr int GunSwitchModeByte = 3;
constexpr uchar FireKeyHeaderType = 0x0B;
// A fire-key record of the recoil data: game, weapon, fire time, fire period.
constexpr int FireTimeField = 2;
constexpr int FirePeriodField = 3;

// Option bytes: press gun on (4th byte, bit 3) and wheel direction (3rd byte, bit 6).
constexpr uchar PressGunBit = 0x08;
constexpr uchar ScrollSwapBit = 0x40;
constexpr int ScrollSwapShift = 6;

// Gun-switch modes and what byte 3 becomes in tables 1 to 4.
struct GunSwitchRewrite {
    uchar mode;
    uchar table[4];
};
constexpr GunSwitchRewrite GunSwitchRewrites[] = {
    {4, {1, 0, 0, 0}}, // loop switch
    {5, {0, 2, 1, 0}}, // two-gun loop
    {6, {0, 2, 3, 1}}, // three-gun loop
};

} // namespace

QVariant myQQuickView::getSensorType() {
    uchar type = 0, option1 = 0, option2 = 0;
    if (m_hid)
        m_hid->hid_83H_GetFunctionOption(type, option1, option2);
    return int(type);
}

bool myQQuickView::chkIsLogoLedWork() {
    uchar option1 = 0, option2 = 0, option3 = 0;
    return m_hid && m_hid->hid_87H_GetLEDInstructFunction(0, option1, option2, option3) &&
           option1 == 0;
}

void myQQuickView::ui_0BH_SetCurrentDPIStage(uchar dpiStage) {
    // The mouse refuses other stages; the profile must not keep one it never took.
    if (dpiStage < 1 || dpiStage > DpiStages) {
        qWarning("ui_0BH_SetCurrentDPIStage: stage %u refused (1 to %d)", dpiStage, DpiStages);
        return;
    }
    currentProfile()->setValue(ProfileKeys::dpiStage, int(dpiStage));
    m_files.storeCurrentProfile();
    sendDpiStage(dpiStage);
    emit settingsChanged();
}

void myQQuickView::sendDpiStage(uchar dpiStage) {
    if (m_hid)
        m_hid->hid_0BH_SetCurrentDPIStage(dpiStage);
}

void myQQuickView::ui_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2,
                                          QVariantList configs) {
    currentProfile()->setValue(ProfileKeys::ledEffect, configs);
    m_files.storeCurrentProfile();
    sendLedEffect(effect, option1, option2);
    emit settingsChanged();
}

void myQQuickView::sendLedEffect(uchar effect, uchar option1, uchar option2) {
    if (m_hid)
        m_hid->hid_0DH_SetRGBLedEffect(effect, option1, option2);
}

void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24) {
    currentProfile()->setValue(ProfileKeys::colours(type), src24);
    m_files.storeCurrentProfile();
    sendStageColours(type, src24);
}

void myQQuickView::sendStageColours(uchar type, const QVariantList &src24) {
    QByteArray bytes = ByteList::toBytes(src24, ColourTableBytes);
    if (type == PackedColourType) {
        // Two colour ids a byte: the even stage in the low nibble, the odd one in the high.
        for (int k = 0; k < PackedColourBytes; ++k)
            bytes[k] = char((bytes[2 * k] & 0x0f) | (uchar(bytes[2 * k + 1]) << 4));
    }
    if (m_hid)
        m_hid->hid_10H_SetLED8StageColor(type, ByteList::raw(bytes));
}

void myQQuickView::ui_11H_SetDPISet(uchar dpiStage, QVariantList src8, QVariantList valueForIndex) {
    currentProfile()->setValue(ProfileKeys::dpiValues, valueForIndex);
    m_files.storeCurrentProfile();
    sendDpiSet(dpiStage, src8);
    emit settingsChanged();
}

void myQQuickView::sendDpiSet(uchar stageCount, const QVariantList &src8) {
    QByteArray bytes = ByteList::toBytes(src8, DpiCodes);
    if (m_hid)
        m_hid->hid_11H_SetDPISet(stageCount, ByteList::raw(bytes));
}

void myQQuickView::ui_12H_SetKeyMatrix(QVariantList src64) {
    for (int n = 0; n < KeyEntries; ++n) {
        QVariantList record;
        for (int i = 0; i < KeyRecordBytes; ++i)
            record.append(src64.value(n * KeyRecordBytes + i, 0));
        currentProfile()->setValue(ProfileKeys::mouseKey(n), record);
    }
    m_files.storeCurrentProfile();
    sendKeyMatrix(src64);
}

void myQQuickView::sendKeyMatrix(const QVariantList &src64) {
    if (!m_hid)
        return;
    QVariantList fireKeys[FireKeys];
    for (int k = 0; k < FireKeys; ++k)
        fireKeys[k] = getSelGundata(k);

    QByteArray tables[4];
    tables[0] = ByteList::toBytes(src64, KeyTableBytes);
    bool hasGunSwitch = false;
    for (int n = 0; n < KeyEntries; ++n)
        hasGunSwitch |= uchar(tables[0][n * KeyRecordBytes]) == GunSwitchType;
    if (!hasGunSwitch) {
        m_hid->hid_12H_SetKeyMatrix(ByteList::raw(tables[0]), 1);
        return;
    }

    // Gun-switch keys walk through the four tables: each table gets its step of the loop.
    tables[1] = tables[2] = tables[3] = tables[0];
    for (int n = 0; n < KeyEntries; ++n) {
        const int at = n * KeyRecordBytes;
        if (uchar(tables[0][at]) != GunSwitchType)
            continue;
        const uchar mode = uchar(tables[0][at + GunSwitchModeByte]);
        for (const GunSwitchRewrite &rewrite : GunSwitchRewrites)
            if (rewrite.mode == mode)
                for (int t = 0; t < 4; ++t)
                    tables[t][at + GunSwitchModeByte] = char(rewrite.table[t]);
    }
    m_hid->hid_12H_SetKeyMatrix(ByteList::raw(tables[0]), 1);
    // Tables 2 to 4 open with the timing of fire keys 0 to 2.
    for (int k = 0; k < FireKeys; ++k) {
        QByteArray &table = tables[k + 1];
        table[0] = char(FireKeyHeaderType);
        table[1] = char(k);
        table[2] = char(fireKeys[k].value(FirePeriodField).toUInt());
        table[3] = char(fireKeys[k].value(FireTimeField).toUInt());
        m_hid->hid_12H_SetKeyMatrix(ByteList::raw(table), uchar(k + 2));
    }
}

void myQQuickView::ui_13H_SetMacroKey(QVariant macroId, QVariant name) {
    sendMacroKey(macroId.toInt(), name.toString(), true);
}

void myQQuickView::sendMacroKey(int macroId, const QString &name, bool warnWhenCut) {
    QByteArray image = m_macros.macroImage(DeviceType::mouse, name, warnWhenCut);
    if (image.size() != MacroBytes)
        return;
    if (m_hid)
        m_hid->hid_13H_SetMacroKey(uchar(macroId), ByteList::raw(image));
}

void myQQuickView::sendMacro(int deviceType, int macroId, const QString &name) {
    if (deviceType == DeviceType::keyboard)
        ui_11H_SetMacroKey(macroId, name);
    else if (deviceType == DeviceType::mouse)
        ui_13H_SetMacroKey(macroId, name);
}

void myQQuickView::q7_0CH_SetPressGun(uchar x, uchar y, uchar times, uchar enable, uchar cursorBack,
                                      uchar fireKey) {
    uchar o0 = 0, o1 = 0, o2 = 0, o3 = 0;
    // Read, change, write: after a failed read the write would clear the mouse's options.
    if (!m_hid || !m_hid->hid_83H_GetKeyboardoption(o0, o1, o2, o3)) {
        qWarning("q7_0CH_SetPressGun: the options could not be read; nothing sent");
        return;
    }
    o3 = enable ? uchar(o3 | PressGunBit) : uchar(o3 & ~PressGunBit);
    ui_03H_SetKeyboardoption(o0, o1, o2, o3);
    // With the wheel reversed the vertical pull runs the other way.
    const uchar pull = o2 ? uchar(256 - y) : y;
    ui_04H_SetButtonSensitivity(cursorBack, times, x, pull, fireKey);
}

void myQQuickView::setScrollPinSwap(bool isSwap) {
    currentProfile()->setValue(ProfileKeys::scrollSwap, isSwap);
    m_files.storeCurrentProfile();
    if (!m_hid)
        return;
    uchar type = 0, option1 = 0, option2 = 0, rate = 0;
    // Read, change, write: after a failed read the write would send rate 0 and cleared options.
    if (!m_hid->hid_83H_GetFunctionOption(type, option1, option2) ||
        !m_hid->hid_81H_GetReportRate(rate)) {
        qWarning("setScrollPinSwap: the options could not be read; nothing sent");
        return;
    }
    option1 = uchar((option1 & ~ScrollSwapBit) | (uchar(isSwap) << ScrollSwapShift));
    m_hid->hid_03H_SetFunctionOption(type, rate, option1, option2);
}

bool myQQuickView::getScrollPinSwap() {
    return currentProfile()->value(ProfileKeys::scrollSwap, false).toBool();
}

QVariant myQQuickView::ui_8BH_GetCurrentDPIStage() {
    return int(uchar(currentProfile()->value(ProfileKeys::dpiStage, 0).toUInt()));
}

QVariantList myQQuickView::ui_8DH_GetRGBLedEffect() {
    return ByteList::toUnsigned(currentProfile()->value(ProfileKeys::ledEffect, 0).toList());
}

QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type) {
    return ByteList::toUnsigned(currentProfile()->value(ProfileKeys::colours(type), 0).toList());
}

uchar myQQuickView::ui_91H_SyncDPI() {
    uchar stages = 0;
    uchar codes[DpiCodes] = {};
    return m_hid && m_hid->hid_91H_GetDPISet(stages, codes) ? stages : DefaultStageCount;
}

QVariantList myQQuickView::ui_91H_GetDPISet() {
    // Numbers, as ui_11H_SetDPISet takes them (the file gives them back as text).
    return ByteList::toUnsigned(currentProfile()->value(ProfileKeys::dpiValues).toList());
}

QVariantList myQQuickView::ui_92H_GetKeyMatrix() {
    uchar table[KeyTableBytes] = {};
    if (m_hid)
        m_hid->hid_92H_GetKeyMatrix(table);
    return ByteList::fromBytes(table, KeyTableBytes);
}

QVariantList myQQuickView::ui_93H_GetMacroKey(uchar macroId) {
    uchar image[MacroBytes] = {};
    if (m_hid)
        m_hid->hid_93H_GetMacroKey(macroId, image);
    return ByteList::fromBytes(image, MacroBytes);
}
