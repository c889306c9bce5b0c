// The desktop's pointer settings, remembered per profile as the sensor page's slider indices.
#include "myQQuickView.h"

#include "UserPrompt.h"

#include <QDebug>

namespace {
constexpr int ConfirmTitleMessage = 4;
constexpr int ConfirmTextMessage = 5;
constexpr uint SliderTop = 10; // the sensor page's sliders run from 0 to 10

// Beyond the sliders the desktop's values run out of range (the double-click time overflows).
bool isSliderIndex(const char *slot, uint index) {
    if (index <= SliderTop)
        return true;
    qWarning("%s: slider index %u refused (0 to %u)", slot, index, SliderTop);
    return false;
}

// Slider index 0 … 10 to the desktop's values.
int pointerSpeed(uint index) {
    return index == 0 ? 1 : int(2 * index);
}
int wheelLines(uint index) {
    return int(index) + 1;
}
int doubleClickMs(uint index) {
    return 900 - 70 * int(index);
}

// The settings the sensor page applies, in its order.
constexpr PointerSettings::Setting PageSettings[] = {PointerSettings::Setting::Speed,
                                                     PointerSettings::Setting::WheelLines,
                                                     PointerSettings::Setting::DoubleClickTime};
} // namespace

PointerSettings &myQQuickView::pointerSettings() {
    if (!m_pointer)
        m_pointer = PointerSettings::forSession(m_pointerDevice);
    return *m_pointer;
}

void myQQuickView::setPointerSettings(std::unique_ptr<PointerSettings> settings) {
    m_pointer = std::move(settings);
    m_pointerStatus.clear();
    emit pointerNoteChanged();
}

QStringList myQQuickView::takePointerFailures() {
    return std::exchange(m_pointerFailures, {});
}

QString myQQuickView::pointerNote() {
    PointerSettings &pointer = pointerSettings();
    QStringList notTaken;
    for (const PointerSettings::Setting setting : PageSettings) {
        // A setting the desktop has no place for needs no reason; one it failed to take does.
        const QString name = PointerSettings::settingName(setting);
        const QString why = m_pointerStatus.value(setting);
        if (!pointer.takes(setting))
            notTaken.append(name);
        else if (!why.isEmpty())
            notTaken.append(QStringLiteral("%1 (%2)").arg(name, why));
    }
    if (notTaken.isEmpty())
        return {};
    return QStringLiteral("Not taken by %1: %2")
        .arg(pointer.desktop(), notTaken.join(QStringLiteral("; ")));
}

// A setting the desktop did not take keeps its debug line and is reported: to q7ctl
// through takePointerFailures, to the page through pointerNote.
void myQQuickView::pointerOutcome(const char *slot, PointerSettings::Setting setting, bool ok) {
    const QString why = ok ? QString() : pointerSettings().lastError();
    if (!ok) {
        qDebug("%s Failed", slot);
        m_pointerFailures.append(
            QStringLiteral("%1: the desktop did not take the %2: %3")
                .arg(QLatin1String(slot), PointerSettings::settingName(setting), why));
    }
    m_pointerStatus[setting] = why;
    emit pointerNoteChanged();
}

bool myQQuickView::getMsgAns_FoolProofing() {
    return UserPrompt::current().confirm(m_languages.message(ConfirmTitleMessage),
                                         m_languages.message(ConfirmTextMessage));
}

void myQQuickView::setAcceleration(bool acceleration) {
    PointerSettings &pointer = pointerSettings();
    const bool ok = pointer.acceleration().has_value() && pointer.setAcceleration(acceleration);
    pointerOutcome("setAcceleration", PointerSettings::Setting::Acceleration, ok);
}

bool myQQuickView::getAcceleration() {
    const std::optional<bool> on = pointerSettings().acceleration();
    if (!on) {
        qDebug("getAcceleration Failed");
        m_pointerFailures.append(QStringLiteral("getAcceleration: the desktop did not say: %1")
                                     .arg(pointerSettings().lastError()));
    }
    return on.value_or(false);
}

void myQQuickView::setCursorSpeed(uint cursorSpeed) {
    if (!isSliderIndex("setCursorSpeed", cursorSpeed))
        return;
    currentProfile()->setValue(QStringLiteral("sensor/cursorSpeed_Q7"), cursorSpeed);
    m_files.storeCurrentProfile();
    pointerOutcome("setCursorSpeed", PointerSettings::Setting::Speed,
                   pointerSettings().setSpeed(pointerSpeed(cursorSpeed)));
}

void myQQuickView::setVerticalScrollLines(uint lines) {
    if (!isSliderIndex("setVerticalScrollLines", lines))
        return;
    currentProfile()->setValue(QStringLiteral("sensor/verticalScrollLines_Q7"), lines);
    m_files.storeCurrentProfile();
    pointerOutcome("setVerticalScrollLines", PointerSettings::Setting::WheelLines,
                   pointerSettings().setWheelLines(wheelLines(lines)));
}

void myQQuickView::setDoubleClickSpeed(uint speed) {
    if (!isSliderIndex("setDoubleClickSpeed", speed))
        return;
    currentProfile()->setValue(QStringLiteral("sensor/doubleClickSpeed_Q7"), speed);
    m_files.storeCurrentProfile();
    pointerOutcome("setDoubleClickSpeed", PointerSettings::Setting::DoubleClickTime,
                   pointerSettings().setDoubleClickTime(doubleClickMs(speed)));
}

uint myQQuickView::getCursorSpeed() {
    return currentProfile()->value(QStringLiteral("sensor/cursorSpeed_Q7"), 0).toUInt();
}

uint myQQuickView::getVerticalScrollLines() {
    return currentProfile()->value(QStringLiteral("sensor/verticalScrollLines_Q7"), 0).toUInt();
}

uint myQQuickView::getDoubleClickSpeed() {
    return currentProfile()->value(QStringLiteral("sensor/doubleClickSpeed_Q7"), 0).toUInt();
}
