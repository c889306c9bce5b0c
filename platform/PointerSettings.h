#pragma once

#include <QString>

#include <memory>
#include <optional>

// The desktop's pointer settings for the logged-in user. One backend per desktop, chosen from the
// running session (DesktopSession), each saying which of the four settings it can take. A setter
// that returns false changed nothing it could confirm, and lastError() says why in words.
class PointerSettings {
public:
    enum class Setting { Speed, Acceleration, DoubleClickTime, WheelLines };
    static constexpr Setting Settings[] = {Setting::Speed, Setting::Acceleration,
                                           Setting::DoubleClickTime, Setting::WheelLines};

    // The pointer that backends which set one device look for: the mouse's USB ids.
    struct Device {
        quint16 vendor = 0;
        quint16 product = 0;
    };

    PointerSettings() = default;
    virtual ~PointerSettings() = default;
    PointerSettings(const PointerSettings &) = delete;
    PointerSettings &operator=(const PointerSettings &) = delete;

    // The backend for the running session; one that takes nothing when no desktop was recognised.
    static std::unique_ptr<PointerSettings> forSession(Device mouse);

    // The desktop as users know it ("GNOME", "KDE Plasma", "sway", "Hyprland", "X11"), or a
    // sentence saying that none was recognised.
    virtual QString desktop() const = 0;
    // Whether this desktop has a place for the setting at all.
    virtual bool takes(Setting setting) const = 0;
    // Whether the setting reaches the mouse alone rather than every pointer.
    virtual bool mouseAlone(Setting) const { return false; }

    // Speed on the 1 … 20 scale the pages use, 10 being the desktop's default.
    virtual bool setSpeed(int) { return notTaken(Setting::Speed); }
    virtual bool setAcceleration(bool) { return notTaken(Setting::Acceleration); }
    virtual std::optional<bool> acceleration() {
        notTaken(Setting::Acceleration);
        return std::nullopt;
    }
    virtual bool setDoubleClickTime(int) { return notTaken(Setting::DoubleClickTime); }
    virtual bool setWheelLines(int) { return notTaken(Setting::WheelLines); }

    // Why the last call failed; empty after one that succeeded.
    QString lastError() const { return m_error; }

    // The desktop's value for a speed of 1 … 20: 1 → −1, 10 → 0, 20 → 1, linear in between.
    static double desktopSpeed(int speed);
    // Wheel lines for desktops that only scale the wheel: 3 lines, the usual default, is 1.
    static double scrollFactor(int lines);
    // "cursor speed", "acceleration", "double-click time", "wheel lines".
    static QString settingName(Setting setting);

protected:
    bool fail(const QString &why) {
        m_error = why;
        return false;
    }
    bool succeed() {
        m_error.clear();
        return true;
    }
    bool notTaken(Setting setting) {
        return fail(QStringLiteral("%1 has no %2 setting").arg(desktop(), settingName(setting)));
    }

private:
    QString m_error;
};
