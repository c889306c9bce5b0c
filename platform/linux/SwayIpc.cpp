#include "SwayIpc.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocalSocket>

#include <cstring>

namespace {
constexpr char Magic[] = "i3-ipc";
constexpr int MagicSize = sizeof(Magic) - 1;
constexpr int HeaderSize = MagicSize + 2 * int(sizeof(quint32));
// Far beyond any reply sway gives to these requests: a length above it is nonsense.
constexpr quint32 MaxPayload = 16 * 1024 * 1024;

// Reads exactly size bytes before the deadline.
bool readExactly(QLocalSocket &socket, QByteArray &out, qint64 size, QDeadlineTimer deadline) {
    out.clear();
    while (out.size() < size) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        out += socket.read(size - out.size());
    }
    return true;
}
} // namespace

QString SwayIpc::sessionSocket() {
    return qEnvironmentVariable("SWAYSOCK");
}

QByteArray SwayIpc::encode(MessageType type, const QByteArray &payload) {
    QByteArray wire(Magic, MagicSize);
    const quint32 header[2] = {quint32(payload.size()), quint32(type)};
    wire.append(reinterpret_cast<const char *>(header), sizeof(header));
    return wire + payload;
}

std::optional<QJsonDocument> SwayIpc::request(MessageType type, const QByteArray &payload) {
    if (m_socketPath.isEmpty()) {
        m_error = QStringLiteral("no sway socket (SWAYSOCK is not set)");
        return std::nullopt;
    }
    const QDeadlineTimer deadline(TimeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(TimeoutMs)) {
        m_error = QStringLiteral("sway does not answer on %1: %2")
                      .arg(m_socketPath, socket.errorString());
        return std::nullopt;
    }
    socket.write(encode(type, payload));
    QByteArray header, body;
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())) ||
        !readExactly(socket, header, HeaderSize, deadline)) {
        m_error = QStringLiteral("sway gave no reply in %1 ms").arg(TimeoutMs);
        return std::nullopt;
    }
    quint32 fields[2];
    std::memcpy(fields, header.constData() + MagicSize, sizeof(fields));
    if (!header.startsWith(Magic) || fields[1] != quint32(type) || fields[0] > MaxPayload) {
        m_error = QStringLiteral("sway's reply is not an IPC message");
        return std::nullopt;
    }
    if (!readExactly(socket, body, fields[0], deadline)) {
        m_error = QStringLiteral("sway's reply was cut short");
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        m_error = QStringLiteral("sway's reply is not JSON: %1").arg(error.errorString());
        return std::nullopt;
    }
    m_error.clear();
    return doc;
}

bool SwayIpc::run(const QString &commands) {
    const std::optional<QJsonDocument> reply = request(RunCommand, commands.toUtf8());
    if (!reply)
        return false;
    // One result per command: {"success": bool, "error": text}.
    const QJsonArray results = reply->array();
    if (results.isEmpty()) {
        m_error = QStringLiteral("sway answered \"%1\" with no result").arg(commands);
        return false;
    }
    for (const QJsonValue &result : results) {
        if (!result.toObject().value(QLatin1String("success")).toBool()) {
            m_error =
                QStringLiteral("sway refused \"%1\": %2")
                    .arg(commands, result.toObject().value(QLatin1String("error")).toString());
            return false;
        }
    }
    return true;
}
