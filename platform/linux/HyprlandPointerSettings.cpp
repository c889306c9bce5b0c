#include "HyprlandPointerSettings.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

namespace {
constexpr char SocketName[] = ".socket.sock";
constexpr char OkReply[] = "ok";
// Requests start with their flags and a '/': none for plain text, 'j' for JSON.
constexpr char PlainFlags[] = "/";
constexpr char JsonFlags[] = "j/";
} // namespace

QString HyprlandPointerSettings::sessionSocket() {
    const QString signature = qEnvironmentVariable("HYPRLAND_INSTANCE_SIGNATURE");
    if (signature.isEmpty() || signature.contains(QLatin1Char('/')))
        return {};
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    for (const QString &base : {runtime + QStringLiteral("/hypr"), QStringLiteral("/tmp/hypr")}) {
        const QString path = base + QLatin1Char('/') + signature + QLatin1Char('/') + SocketName;
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

std::optional<QByteArray> HyprlandPointerSettings::request(const QString &socketPath,
                                                           const QByteArray &command,
                                                           QString *error) {
    const auto failed = [error](const QString &why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (socketPath.isEmpty())
        return failed(
            QStringLiteral("no Hyprland socket (HYPRLAND_INSTANCE_SIGNATURE names none)"));
    const QDeadlineTimer deadline(TimeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(TimeoutMs))
        return failed(QStringLiteral("Hyprland does not answer on %1: %2")
                          .arg(socketPath, socket.errorString()));
    socket.write(command);
    QByteArray reply;
    while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(deadline.remainingTime()));
        reply += socket.readAll();
    }
    reply += socket.readAll();
    if (reply.isEmpty())
        return failed(QStringLiteral("Hyprland gave no reply in %1 ms").arg(TimeoutMs));
    return reply;
}

bool HyprlandPointerSettings::answers(const QString &socketPath) {
    return request(socketPath, QByteArray(JsonFlags) + "version").has_value();
}

bool HyprlandPointerSettings::keyword(const QString &option, const QString &value) {
    QString error;
    const std::optional<QByteArray> reply =
        request(m_socketPath,
                PlainFlags + QStringLiteral("keyword %1 %2").arg(option, value).toUtf8(), &error);
    if (!reply)
        return fail(error);
    if (reply->trimmed() != OkReply)
        return fail(QStringLiteral("Hyprland refused %1 %2: %3")
                        .arg(option, value, QString::fromUtf8(reply->trimmed())));
    return succeed();
}

bool HyprlandPointerSettings::setSpeed(int speed) {
    return keyword(QStringLiteral("input:sensitivity"),
                   QString::number(desktopSpeed(speed), 'f', 3));
}

bool HyprlandPointerSettings::setAcceleration(bool on) {
    return keyword(QStringLiteral("input:accel_profile"),
                   on ? QStringLiteral("adaptive") : QStringLiteral("flat"));
}

bool HyprlandPointerSettings::setWheelLines(int lines) {
    return keyword(QStringLiteral("input:scroll_factor"),
                   QString::number(scrollFactor(lines), 'f', 3));
}

std::optional<bool> HyprlandPointerSettings::acceleration() {
    QString error;
    const std::optional<QByteArray> reply =
        request(m_socketPath, QByteArray(JsonFlags) + "getoption input:accel_profile", &error);
    if (!reply) {
        fail(error);
        return std::nullopt;
    }
    // {"option": "input:accel_profile", "str": "flat", …}; an empty profile is the device's own.
    const QJsonObject option = QJsonDocument::fromJson(*reply).object();
    if (!option.contains(QLatin1String("str"))) {
        fail(QStringLiteral("Hyprland's answer names no profile"));
        return std::nullopt;
    }
    succeed();
    return option.value(QLatin1String("str")).toString() != QLatin1String("flat");
}
