#pragma once

#include "UnixSocket.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

// Listens on a local stream socket (AF_UNIX) in the thread that owns it, with socket notifiers
// instead of Qt Network. One message per connection: the connection is closed once it has sent
// a whole message (which is then passed on), when its client closes it, or when it has sent more
// than the largest message.
class UnixSocketServer : public QObject {
    Q_OBJECT
public:
    // Given what one connection has sent so far: the length of the whole message it starts
    // with, or 0 while more is needed.
    using MessageLength = std::function<qsizetype(const QByteArray &received)>;

    UnixSocketServer(qsizetype maxMessageBytes, MessageLength messageLength,
                     QObject *parent = nullptr);
    // Removes the socket it made, as a program leaving does.
    ~UnixSocketServer() override;

    // False when a live program listens at `path` (it answers within `probeTimeoutMs`) or the
    // socket cannot be made. A socket a program left behind when it ended is taken over.
    bool listen(const QString &path, int probeTimeoutMs);
    void close();

signals:
    // After its connection is closed: a window that handles it in a nested event loop (a
    // message box) cannot be handed it again.
    void messageReceived(const QByteArray &message);

private:
    struct Connection;
    // 0, or the errno that stopped it.
    int bindAndListen(const QByteArray &name);
    void acceptPending();
    void readFrom(Connection *connection);

    qsizetype m_maxMessageBytes;
    MessageLength m_messageLength;
    UnixSocket m_listener;
    QByteArray m_boundName;
    QSocketNotifier *m_notifier = nullptr;
    std::vector<std::unique_ptr<Connection>> m_connections;
};
