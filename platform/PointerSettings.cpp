#include "PointerSettings.h"

#include <algorithm>

namespace {
constexpr int DefaultSpeed = 10;
constexpr int MinSpeed = 1;
constexpr int MaxSpeed = 20;
// Lines per wheel notch that toolkits scroll when nobody changed it.
constexpr int DefaultWheelLines = 3;
} // namespace

double PointerSettings::desktopSpeed(int speed) {
    speed = std::clamp(speed, MinSpeed, MaxSpeed);
    // Two straight pieces, so both ends and the default land where the desktops have them.
    if (speed <= DefaultSpeed)
        return double(speed - DefaultSpeed) / (DefaultSpeed - MinSpeed);
    return double(speed - DefaultSpeed) / (MaxSpeed - DefaultSpeed);
}

double PointerSettings::scrollFactor(int lines) {
    return double(std::max(lines, 1)) / DefaultWheelLines;
}

QString PointerSettings::settingName(Setting setting) {
    switch (setting) {
    case Setting::Speed:
        return QStringLiteral("cursor speed");
    case Setting::Acceleration:
        return QStringLiteral("acceleration");
    case Setting::DoubleClickTime:
        return QStringLiteral("double-click time");
    case Setting::WheelLines:
        return QStringLiteral("wheel lines");
    }
    return {};
}
