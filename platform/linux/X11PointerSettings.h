#pragma once

#include "PointerSettings.h"

#include <QByteArray>

#include <functional>

struct xcb_connection_t;

// A plain X11 session: the libinput properties of the mouse's own pointer device through XInput
// ("libinput Accel Speed", "libinput Accel Profile Enabled"), found by its "Device Product ID".
// They last for the X session; X11 has no double-click time or wheel lines of its own.
class X11PointerSettings : public PointerSettings {
public:
    // display: as DISPLAY names it; empty for DISPLAY itself.
    explicit X11PointerSettings(Device mouse, const QByteArray &display = {});

    QString desktop() const override { return QStringLiteral("X11"); }
    bool takes(Setting setting) const override {
        return setting == Setting::Speed || setting == Setting::Acceleration;
    }
    bool mouseAlone(Setting setting) const override { return takes(setting); }

    bool setSpeed(int speed) override;
    bool setAcceleration(bool on) override;
    std::optional<bool> acceleration() override;

private:
    struct Connection;
    // Calls change(connection, device) for each slave pointer with the mouse's ids that has the
    // property; false with lastError() set when the server, or such a device, is not there.
    bool forEachMousePointer(const char *property,
                             const std::function<bool(Connection &, quint16)> &change);

    Device m_mouse;
    QByteArray m_display;
};
