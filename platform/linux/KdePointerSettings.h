#pragma once

#include "PointerSettings.h"

#include <QList>
#include <QStringList>
#include <QVariant>

#include <memory>

// KDE Plasma 5 and 6. Speed and acceleration go to the mouse's pointer alone through KWin's
// input devices on the session bus (org.kde.KWin, /org/kde/KWin/InputDevice) and into kcminputrc
// ([Libinput][vendor][product][name]) so they survive a restart; on X11, where KWin has no input
// devices, to the X server's device (for the session). Double-click time and wheel lines go to
// kdeglobals [KDE] for every mouse, announced with org.kde.KGlobalSettings.notifyChange.
class KdePointerSettings : public PointerSettings {
public:
    // configFolder holds kcminputrc and kdeglobals; x11 sets the device where KWin has none.
    KdePointerSettings(Device mouse, const QString &configFolder,
                       std::unique_ptr<PointerSettings> x11 = {});
    ~KdePointerSettings() override;
    // $XDG_CONFIG_HOME, ~/.config without it.
    static QString userConfigFolder();

    QString desktop() const override { return QStringLiteral("KDE Plasma"); }
    bool takes(Setting) const override { return true; }
    bool mouseAlone(Setting setting) const override {
        return setting == Setting::Speed || setting == Setting::Acceleration;
    }

    bool setSpeed(int speed) override;
    bool setAcceleration(bool on) override;
    std::optional<bool> acceleration() override;
    bool setDoubleClickTime(int milliseconds) override;
    bool setWheelLines(int lines) override;

private:
    struct InputDevice {
        QString path;
        QString name;
    };
    // The mouse's pointers among KWin's input devices; empty with lastError() set when none.
    QList<InputDevice> mouseDevices();
    struct Property {
        const char *name;
        QVariant value;
    };
    // Sets the properties on each of the mouse's devices, reads them back, then keeps key=value
    // in kcminputrc.
    bool setDeviceProperties(const QList<Property> &properties, const QString &key,
                             const QString &configValue);
    bool setGlobal(const QString &key, int value);

    Device m_mouse;
    QString m_configFolder;
    std::unique_ptr<PointerSettings> m_x11;
};
