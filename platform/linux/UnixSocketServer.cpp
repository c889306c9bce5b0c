#include "UnixSocketServer.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
constexpr int ListenBacklog = 16;
constexpr int AcceptRetryMs = 1000;
} // namespace

struct UnixSocketServer::Connection {
    UnixSocket socket;
    QByteArray received;
    std::unique_ptr<QSocketNotifier> notifier;
};

UnixSocketServer::UnixSocketServer(qsizetype maxMessageBytes, MessageLength messageLength,
                                   QObject *parent)
    : QObject(parent), m_maxMessageBytes(maxMessageBytes),
      m_messageLength(std::move(messageLength)) {}

UnixSocketServer::~UnixSocketServer() {
    close();
}

bool UnixSocketServer::listen(const QString &path, int probeTimeoutMs) {
    close();
    const QByteArray name = QFile::encodeName(path);
    const int error = bindAndListen(name);
    if (error != EADDRINUSE)
        return error == 0;
    // Taken: by a live program, or by a socket left when its program died. Only a socket is
    // removed, never another kind of file that happens to have the name.
    struct stat status {};
    if (UnixSocket::connectTo(path, probeTimeoutMs).isValid() ||
        ::lstat(name.constData(), &status) != 0 || !S_ISSOCK(status.st_mode) ||
        ::unlink(name.constData()) != 0)
        return false;
    return bindAndListen(name) == 0;
}

int UnixSocketServer::bindAndListen(const QByteArray &name) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return ENAMETOOLONG;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    UnixSocket listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener.isValid())
        return errno;
    if (::bind(listener.fd(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return errno;
    if (::listen(listener.fd(), ListenBacklog) != 0) {
        const int error = errno;
        ::unlink(name.constData());
        return error;
    }
    m_listener = std::move(listener);
    m_boundName = name;
    m_notifier = new QSocketNotifier(m_listener.fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSocketServer::acceptPending);
    return 0;
}

void UnixSocketServer::close() {
    m_connections.clear();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_listener.isValid()) {
        m_listener = UnixSocket();
        ::unlink(m_boundName.constData());
    }
    m_boundName.clear();
}

void UnixSocketServer::acceptPending() {
    for (;;) {
        const int fd = ::accept4(m_listener.fd(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                // Out of descriptors: the waiting client stays queued; try again later instead
                // of spinning on a listener that stays readable.
                m_notifier->setEnabled(false);
                QTimer::singleShot(AcceptRetryMs, m_notifier,
                                   [notifier = m_notifier] { notifier->setEnabled(true); });
            }
            return;
        }
        // What a client sent before it was accepted shows as readable at once.
        auto connection = std::make_unique<Connection>();
        connection->socket = UnixSocket(fd);
        connection->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        Connection *raw = connection.get();
        connect(raw->notifier.get(), &QSocketNotifier::activated, this,
                [this, raw] { readFrom(raw); });
        m_connections.push_back(std::move(connection));
    }
}

void UnixSocketServer::readFrom(Connection *connection) {
    const bool open = connection->socket.readAvailable(connection->received, m_maxMessageBytes);
    const qsizetype length = m_messageLength(connection->received);
    if (open && length == 0 && connection->received.size() <= m_maxMessageBytes)
        return;
    const QByteArray message = connection->received.left(length);
    // Done, gone or too long. The notifier is inside its own signal: it goes once that is over.
    connection->notifier->setEnabled(false);
    connection->notifier.release()->deleteLater();
    std::erase_if(m_connections, [connection](const auto &c) { return c.get() == connection; });
    if (length > 0)
        emit messageReceived(message);
}
