#include "KdePointerSettings.h"

#include "KdeConfigFile.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDir>

#include <cmath>

namespace {
constexpr char KWinService[] = "org.kde.KWin";
constexpr char ManagerPath[] = "/org/kde/KWin/InputDevice";
constexpr char ManagerInterface[] = "org.kde.KWin.InputDeviceManager";
constexpr char DeviceInterface[] = "org.kde.KWin.InputDevice";
constexpr char PropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr int CallTimeoutMs = 2000;

constexpr char InputConfig[] = "kcminputrc";
constexpr char InputGroup[] = "Libinput";
constexpr char SpeedKey[] = "PointerAcceleration";
constexpr char ProfileKey[] = "PointerAccelerationProfile";
// libinput's profile bits, as KWin keeps them in kcminputrc.
constexpr int ProfileFlat = 1;
constexpr int ProfileAdaptive = 2;

constexpr char GlobalConfig[] = "kdeglobals";
constexpr char GlobalGroup[] = "KDE";
constexpr char DoubleClickKey[] = "DoubleClickInterval";
constexpr char WheelLinesKey[] = "WheelScrollLines";
// KGlobalSettings.notifyChange(SettingsChanged, SETTINGS_MOUSE): Qt programs on Plasma read
// [KDE] of kdeglobals again.
constexpr char NotifyPath[] = "/KGlobalSettings";
constexpr char NotifyInterface[] = "org.kde.KGlobalSettings";
constexpr char NotifySignal[] = "notifyChange";
constexpr int SettingsChanged = 3;
constexpr int SettingsMouse = 0;

QDBusMessage propertyCall(const QString &path, const char *method, const QVariantList &args) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(KWinService), path,
                                       QLatin1String(PropertiesInterface), QLatin1String(method));
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, CallTimeoutMs);
}

std::optional<QVariant> getProperty(const QString &path, const char *interface,
                                    const char *property, QString *error) {
    const QDBusMessage reply =
        propertyCall(path, "Get", {QLatin1String(interface), QLatin1String(property)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        *error = reply.errorMessage();
        return std::nullopt;
    }
    return reply.arguments().first().value<QDBusVariant>().variant();
}

bool sameValue(const QVariant &a, const QVariant &b) {
    if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
        return std::abs(a.toDouble() - b.toDouble()) < 1e-6;
    return a == b;
}
} // namespace

KdePointerSettings::KdePointerSettings(Device mouse, const QString &configFolder,
                                       std::unique_ptr<PointerSettings> x11)
    : m_mouse(mouse), m_configFolder(configFolder), m_x11(std::move(x11)) {}

KdePointerSettings::~KdePointerSettings() = default;

QString KdePointerSettings::userConfigFolder() {
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    return folder.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : folder;
}

QList<KdePointerSettings::InputDevice> KdePointerSettings::mouseDevices() {
    if (!QDBusConnection::sessionBus().isConnected()) {
        fail(QStringLiteral("there is no session bus to reach KWin on"));
        return {};
    }
    QString error;
    const std::optional<QVariant> names =
        getProperty(QLatin1String(ManagerPath), ManagerInterface, "devicesSysNames", &error);
    if (!names) {
        fail(QStringLiteral("KWin's input devices do not answer: %1").arg(error));
        return {};
    }
    QList<InputDevice> found;
    for (const QString &sysName : names->toStringList()) {
        const QString path = QLatin1String(ManagerPath) + QLatin1Char('/') + sysName;
        const QDBusMessage reply = propertyCall(path, "GetAll", {QLatin1String(DeviceInterface)});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            continue; // gone since the list was read
        const QVariantMap device = qdbus_cast<QVariantMap>(reply.arguments().first());
        if (device.value(QStringLiteral("pointer")).toBool() &&
            device.value(QStringLiteral("vendor")).toUInt() == m_mouse.vendor &&
            device.value(QStringLiteral("product")).toUInt() == m_mouse.product)
            found.append({path, device.value(QStringLiteral("name")).toString()});
    }
    if (found.isEmpty())
        fail(QStringLiteral("KWin lists no pointer of the mouse (%1:%2)")
                 .arg(m_mouse.vendor, 4, 16, QLatin1Char('0'))
                 .arg(m_mouse.product, 4, 16, QLatin1Char('0')));
    return found;
}

bool KdePointerSettings::setDeviceProperties(const QList<Property> &properties, const QString &key,
                                             const QString &configValue) {
    const QList<InputDevice> devices = mouseDevices();
    if (devices.isEmpty())
        return false;
    for (const InputDevice &device : devices) {
        for (const Property &property : properties) {
            const QString name = QLatin1String(property.name);
            const QDBusMessage reply =
                propertyCall(device.path, "Set",
                             {QLatin1String(DeviceInterface), name,
                              QVariant::fromValue(QDBusVariant(property.value))});
            if (reply.type() != QDBusMessage::ReplyMessage)
                return fail(QStringLiteral("KWin refused %1 for %2: %3")
                                .arg(name, device.name, reply.errorMessage()));
            QString error;
            const std::optional<QVariant> now =
                getProperty(device.path, DeviceInterface, property.name, &error);
            if (!now || !sameValue(*now, property.value))
                return fail(QStringLiteral("KWin did not keep %1 for %2").arg(name, device.name));
        }
    }
    // KWin reads these groups when a device appears, so the value outlives the session.
    for (const InputDevice &device : devices) {
        QString error;
        const QStringList group{QLatin1String(InputGroup), QString::number(m_mouse.vendor),
                                QString::number(m_mouse.product), device.name};
        if (!KdeConfigFile::write(m_configFolder + QLatin1Char('/') + QLatin1String(InputConfig),
                                  group, {{key, configValue}}, &error))
            return fail(QStringLiteral("set for this session, but not kept: %1").arg(error));
    }
    return succeed();
}

bool KdePointerSettings::setSpeed(int speed) {
    if (m_x11) {
        const bool ok = m_x11->setSpeed(speed);
        return ok ? succeed() : fail(m_x11->lastError());
    }
    const double value = desktopSpeed(speed);
    return setDeviceProperties({{"pointerAcceleration", value}}, QLatin1String(SpeedKey),
                               QString::number(value, 'f', 3));
}

bool KdePointerSettings::setAcceleration(bool on) {
    if (m_x11) {
        const bool ok = m_x11->setAcceleration(on);
        return ok ? succeed() : fail(m_x11->lastError());
    }
    // Both named, so the profile is the one asked for whichever KWin reads first.
    return setDeviceProperties(
        {{"pointerAccelerationProfileFlat", !on}, {"pointerAccelerationProfileAdaptive", on}},
        QLatin1String(ProfileKey), QString::number(on ? ProfileAdaptive : ProfileFlat));
}

std::optional<bool> KdePointerSettings::acceleration() {
    if (m_x11)
        return m_x11->acceleration();
    const QList<InputDevice> devices = mouseDevices();
    if (devices.isEmpty())
        return std::nullopt;
    QString error;
    const std::optional<QVariant> flat = getProperty(devices.first().path, DeviceInterface,
                                                     "pointerAccelerationProfileFlat", &error);
    if (!flat) {
        fail(QStringLiteral("KWin did not say the profile: %1").arg(error));
        return std::nullopt;
    }
    return !flat->toBool();
}

bool KdePointerSettings::setGlobal(const QString &key, int value) {
    QString error;
    if (!KdeConfigFile::write(m_configFolder + QLatin1Char('/') + QLatin1String(GlobalConfig),
                              {QLatin1String(GlobalGroup)}, {{key, QString::number(value)}},
                              &error))
        return fail(error);
    QDBusMessage notice = QDBusMessage::createSignal(
        QLatin1String(NotifyPath), QLatin1String(NotifyInterface), QLatin1String(NotifySignal));
    notice << SettingsChanged << SettingsMouse;
    if (!QDBusConnection::sessionBus().send(notice))
        return fail(QStringLiteral("kdeglobals has it, but running programs were not told "
                                   "(no session bus)"));
    return succeed();
}

bool KdePointerSettings::setDoubleClickTime(int milliseconds) {
    return setGlobal(QLatin1String(DoubleClickKey), milliseconds);
}

bool KdePointerSettings::setWheelLines(int lines) {
    return setGlobal(QLatin1String(WheelLinesKey), lines);
}
