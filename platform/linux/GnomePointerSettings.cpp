#include "GnomePointerSettings.h"

#include "GioLibrary.h"

#include <cmath>

namespace {
constexpr char SpeedKey[] = "speed";
constexpr char DoubleClickKey[] = "double-click";
constexpr char AccelProfileKey[] = "accel-profile";
constexpr char AccelOn[] = "adaptive";
constexpr char AccelOff[] = "flat";
// The desktop takes any number here; below this a double click can hardly be made.
constexpr int MinDoubleClickMs = 100;
// GSettings back ends that keep nothing beyond this process: what is written there reaches no
// desktop.
constexpr const char *ProcessOnlyBackends[] = {"GMemorySettingsBackend", "GNullSettingsBackend"};
} // namespace

// GSettings objects abort the process for a schema that is not installed: look it up first.
// Opened on first use: GSettings starts a worker thread and maps its back end, which a window
// that never touches the pointer settings should not pay for.
struct GnomePointerSettings::Private {
    QByteArray schemaId;
    bool opened = false;
    const GioLibrary *gio = nullptr;
    GSettings *settings = nullptr;
    QString problem; // why there are no settings to write to

    GSettings *open() {
        if (opened)
            return settings;
        opened = true;
        gio = GioLibrary::get();
        if (!gio) {
            problem = QStringLiteral("GIO (libgio-2.0) cannot be loaded");
            return nullptr;
        }
        GSettingsSchemaSource *source = gio->schemaSourceGetDefault();
        GSettingsSchema *schema =
            source ? gio->schemaSourceLookup(source, schemaId.constData(), TRUE) : nullptr;
        if (!schema) {
            problem = QStringLiteral("the GSettings schema %1 is not installed")
                          .arg(QString::fromUtf8(schemaId));
            return nullptr;
        }
        settings = gio->settingsNewFull(schema, nullptr, nullptr);
        gio->schemaUnref(schema);

        GSettingsBackend *backend = nullptr;
        gio->objectGet(settings, "backend", &backend, nullptr);
        const char *type = backend ? gio->typeName(G_OBJECT_TYPE(backend)) : "";
        for (const char *processOnly : ProcessOnlyBackends)
            if (qstrcmp(type, processOnly) == 0)
                problem = QStringLiteral("GSettings keeps values in this process only (%1): no "
                                         "dconf to store them")
                              .arg(QString::fromLatin1(type));
        if (backend)
            gio->objectUnref(backend);
        return settings;
    }

    // The key, when the schema has it and values written to it can reach the desktop.
    bool usable(const char *key, QString &why) {
        if (!open() || !problem.isEmpty()) {
            why = problem;
            return false;
        }
        GSettingsSchema *schema = nullptr;
        gio->objectGet(settings, "settings-schema", &schema, nullptr);
        const bool found = schema && gio->schemaHasKey(schema, key);
        if (schema)
            gio->schemaUnref(schema);
        if (!found)
            why = QStringLiteral("the GSettings schema %1 has no key %2")
                      .arg(QString::fromUtf8(schemaId), QString::fromLatin1(key));
        return found;
    }
};

GnomePointerSettings::GnomePointerSettings(const QByteArray &schemaId) : d(new Private) {
    d->schemaId = schemaId;
}

GnomePointerSettings::~GnomePointerSettings() {
    if (d->settings) {
        d->gio->settingsSync();
        d->gio->objectUnref(d->settings);
    }
    delete d;
}

// dconf commits in the background: sync waits for it, and a commit that failed (no session bus,
// no dconf service) leaves the old value to be read back.
bool GnomePointerSettings::kept(bool readBack, const char *what) {
    if (!readBack)
        return fail(QStringLiteral("GSettings did not keep the %1 (dconf did not commit it)")
                        .arg(QLatin1String(what)));
    return succeed();
}

bool GnomePointerSettings::setSpeed(int speed) {
    QString why;
    if (!d->usable(SpeedKey, why))
        return fail(why);
    const double value = desktopSpeed(speed);
    d->gio->setDouble(d->settings, SpeedKey, value);
    d->gio->settingsSync();
    return kept(std::abs(d->gio->getDouble(d->settings, SpeedKey) - value) < 1e-9, "speed");
}

std::optional<double> GnomePointerSettings::speed() {
    QString why;
    if (!d->usable(SpeedKey, why))
        return std::nullopt;
    return d->gio->getDouble(d->settings, SpeedKey);
}

bool GnomePointerSettings::setDoubleClickTime(int milliseconds) {
    QString why;
    if (!d->usable(DoubleClickKey, why))
        return fail(why);
    if (milliseconds < MinDoubleClickMs)
        return fail(QStringLiteral("a double-click time of %1 ms is too short").arg(milliseconds));
    d->gio->setInt(d->settings, DoubleClickKey, milliseconds);
    d->gio->settingsSync();
    if (d->gio->getInt(d->settings, DoubleClickKey) != milliseconds)
        return fail(QStringLiteral(
            "GSettings did not keep the double-click time (dconf did not commit it)"));
    return succeed();
}

std::optional<int> GnomePointerSettings::doubleClickTime() {
    QString why;
    if (!d->usable(DoubleClickKey, why))
        return std::nullopt;
    return d->gio->getInt(d->settings, DoubleClickKey);
}

bool GnomePointerSettings::setAcceleration(bool on) {
    QString why;
    if (!d->usable(AccelProfileKey, why))
        return fail(why);
    d->gio->setString(d->settings, AccelProfileKey, on ? AccelOn : AccelOff);
    d->gio->settingsSync();
    return kept(acceleration() == on, "acceleration");
}

std::optional<bool> GnomePointerSettings::acceleration() {
    QString why;
    if (!d->usable(AccelProfileKey, why))
        return std::nullopt;
    gchar *profile = d->gio->getString(d->settings, AccelProfileKey);
    // "default" leaves it to the device, which accelerates.
    const bool on = qstrcmp(profile, AccelOff) != 0;
    d->gio->free(profile);
    return on;
}
