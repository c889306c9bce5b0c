#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

#include <optional>

// A client of sway's IPC socket (the i3 protocol): one request, one reply, bounded in time so a
// compositor that hangs cannot freeze the window.
class SwayIpc {
public:
    enum MessageType : quint32 { RunCommand = 0, GetVersion = 7, GetInputs = 100 };
    static constexpr int TimeoutMs = 1000;

    explicit SwayIpc(const QString &socketPath) : m_socketPath(socketPath) {}
    // The socket the session names (SWAYSOCK); empty outside sway.
    static QString sessionSocket();

    // The reply's JSON, or nothing when sway did not answer in time or answered nonsense
    // (lastError() says which).
    std::optional<QJsonDocument> request(MessageType type, const QByteArray &payload = {});
    bool answers() { return request(GetVersion).has_value(); }
    // Runs commands (separated by ';'); true when sway says each succeeded.
    bool run(const QString &commands);

    QString lastError() const { return m_error; }

    // The wire form: "i3-ipc", payload length and type (native byte order), payload.
    static QByteArray encode(MessageType type, const QByteArray &payload);

private:
    QString m_socketPath;
    QString m_error;
};
