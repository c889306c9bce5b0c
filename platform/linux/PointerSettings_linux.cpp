#include "PointerSettings.h"

// GIO names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <algorithm>

namespace {
constexpr char SpeedKey[] = "speed";
constexpr char DoubleClickKey[] = "double-click";
constexpr char AccelProfileKey[] = "accel-profile";
constexpr char AccelOn[] = "adaptive";
constexpr char AccelOff[] = "flat";
constexpr int DefaultSpeed = 10;
constexpr int MinSpeed = 1;
constexpr int MaxSpeed = 20;
// The desktop takes any number here; below this a double click can hardly be made.
constexpr int MinDoubleClickMs = 100;
} // namespace

// GSettings objects abort the process for a schema that is not installed: look it up first.
// Opened on first use: GSettings starts a worker thread and maps its back end, which a window
// that never touches the pointer settings should not pay for.
struct PointerSettings::Private {
    QByteArray schemaId;
    bool opened = false;
    GSettings *settings = nullptr;

    GSettings *open() {
        if (opened)
            return settings;
        opened = true;
        GSettingsSchemaSource *source = g_settings_schema_source_get_default();
        if (!source)
            return nullptr;
        GSettingsSchema *schema =
            g_settings_schema_source_lookup(source, schemaId.constData(), TRUE);
        if (!schema)
            return nullptr;
        settings = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
        return settings;
    }

    bool has(const char *key) {
        if (!open())
            return false;
        GSettingsSchema *schema = nullptr;
        g_object_get(settings, "settings-schema", &schema, nullptr);
        const bool found = schema && g_settings_schema_has_key(schema, key);
        if (schema)
            g_settings_schema_unref(schema);
        return found;
    }
};

PointerSettings::PointerSettings(const QString &schemaId) : d(new Private) {
    d->schemaId = schemaId.toUtf8();
}

PointerSettings::~PointerSettings() {
    if (d->settings) {
        g_settings_sync();
        g_object_unref(d->settings);
    }
    delete d;
}

bool PointerSettings::isAvailable() const {
    return d->open() != nullptr;
}

double PointerSettings::desktopSpeed(int speed) {
    speed = std::clamp(speed, MinSpeed, MaxSpeed);
    // Two straight pieces, so both ends and the default land where the desktop has them.
    if (speed <= DefaultSpeed)
        return double(speed - DefaultSpeed) / (DefaultSpeed - MinSpeed);
    return double(speed - DefaultSpeed) / (MaxSpeed - DefaultSpeed);
}

bool PointerSettings::setSpeed(int speed) {
    if (!d->has(SpeedKey))
        return false;
    const bool ok = g_settings_set_double(d->settings, SpeedKey, desktopSpeed(speed));
    g_settings_sync();
    return ok;
}

std::optional<double> PointerSettings::speed() const {
    if (!d->has(SpeedKey))
        return std::nullopt;
    return g_settings_get_double(d->settings, SpeedKey);
}

bool PointerSettings::setWheelLines(int) {
    return false;
}

bool PointerSettings::setDoubleClickTime(int milliseconds) {
    if (!d->has(DoubleClickKey) || milliseconds < MinDoubleClickMs)
        return false;
    const bool ok = g_settings_set_int(d->settings, DoubleClickKey, milliseconds);
    g_settings_sync();
    return ok;
}

std::optional<int> PointerSettings::doubleClickTime() const {
    if (!d->has(DoubleClickKey))
        return std::nullopt;
    return g_settings_get_int(d->settings, DoubleClickKey);
}

bool PointerSettings::setAcceleration(bool on) {
    if (!d->has(AccelProfileKey))
        return false;
    const bool ok = g_settings_set_string(d->settings, AccelProfileKey, on ? AccelOn : AccelOff);
    g_settings_sync();
    return ok;
}

std::optional<bool> PointerSettings::acceleration() const {
    if (!d->has(AccelProfileKey))
        return std::nullopt;
    gchar *profile = g_settings_get_string(d->settings, AccelProfileKey);
    // "default" leaves it to the device, which accelerates.
    const bool on = g_strcmp0(profile, AccelOff) != 0;
    g_free(profile);
    return on;
}
