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
} // namespace

bool myQQuickView::getMsgAns_FoolProofing() {
    return UserPrompt::current().confirm(m_languages.message(ConfirmTitleMessage),
                                         m_languages.message(ConfirmTextMessage));
}

void myQQuickView::setAcceleration(bool acceleration) {
    if (!m_pointer.acceleration().has_value() || !m_pointer.setAcceleration(acceleration))
        qDebug("setAcceleration Failed");
}

bool myQQuickView::getAcceleration() {
    const std::optional<bool> on = m_pointer.acceleration();
    if (!on)
        qDebug("getAcceleration Failed");
    return on.value_or(false);
}

void myQQuickView::setCursorSpeed(uint cursorSpeed) {
    if (!isSliderIndex("setCursorSpeed", cursorSpeed))
        return;
    currentProfile()->setValue(QStringLiteral("sensor/cursorSpeed_Q7"), cursorSpeed);
    m_files.storeCurrentProfile();
    if (!m_pointer.setSpeed(pointerSpeed(cursorSpeed)))
        qDebug("setCursorSpeed Failed");
}

void myQQuickView::setVerticalScrollLines(uint lines) {
    if (!isSliderIndex("setVerticalScrollLines", lines))
        return;
    currentProfile()->setValue(QStringLiteral("sensor/verticalScrollLines_Q7"), lines);
    m_files.storeCurrentProfile();
    if (!m_pointer.setWheelLines(wheelLines(lines)))
        qDebug("setVerticalScrollLines Failed");
}

void myQQuickView::setDoubleClickSpeed(uint speed) {
    if (!isSliderIndex("setDoubleClickSpeed", speed))
        return;
    currentProfile()->setValue(QStringLiteral("sensor/doubleClickSpeed_Q7"), speed);
    m_files.storeCurrentProfile();
    if (!m_pointer.setDoubleClickTime(doubleClickMs(speed)))
        qDebug("setDoubleClickSpeed Failed");
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
