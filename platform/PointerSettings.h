#pragma once

#include <QString>

#include <optional>

// The desktop's pointer settings for the logged-in user.
class PointerSettings {
public:
    static constexpr char DefaultSchema[] = "org.gnome.desktop.peripherals.mouse";

    explicit PointerSettings(const QString &schemaId = QString::fromLatin1(DefaultSchema));
    ~PointerSettings();
    PointerSettings(const PointerSettings &) = delete;
    PointerSettings &operator=(const PointerSettings &) = delete;

    // False when the desktop has no such settings (the schema is not installed).
    bool isAvailable() const;

    // Speed on the 1 … 20 scale the pages use, 10 being the desktop's default.
    bool setSpeed(int speed);
    std::optional<double> speed() const;
    // No desktop-wide wheel setting exists here: always false.
    bool setWheelLines(int lines);
    bool setDoubleClickTime(int milliseconds);
    std::optional<int> doubleClickTime() const;
    bool setAcceleration(bool on);
    std::optional<bool> acceleration() const;

    // The desktop's value for a speed of 1 … 20: 1 → −1, 10 → 0, 20 → 1, linear in between.
    static double desktopSpeed(int speed);

private:
    struct Private;
    Private *d;
};
