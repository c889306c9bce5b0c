#pragma once

#include "PointerSettings.h"

#include <QByteArray>

// GNOME: GSettings, schema org.gnome.desktop.peripherals.mouse, for every mouse. It has no wheel
// setting. A value counts as set only when GSettings reads it back after writing it through, so a
// write that dconf never commits (no session bus) is reported, not pretended.
class GnomePointerSettings : public PointerSettings {
public:
    static constexpr char DefaultSchema[] = "org.gnome.desktop.peripherals.mouse";

    explicit GnomePointerSettings(const QByteArray &schemaId = DefaultSchema);
    ~GnomePointerSettings() override;

    QString desktop() const override { return QStringLiteral("GNOME"); }
    bool takes(Setting setting) const override { return setting != Setting::WheelLines; }

    bool setSpeed(int speed) override;
    bool setAcceleration(bool on) override;
    std::optional<bool> acceleration() override;
    bool setDoubleClickTime(int milliseconds) override;

    std::optional<double> speed();
    std::optional<int> doubleClickTime();

private:
    // After a write: whether GSettings reads back what was written.
    bool kept(bool readBack, const char *what);

    struct Private;
    Private *d;
};
