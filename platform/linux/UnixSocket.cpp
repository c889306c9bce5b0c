#include "UnixSocket.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

UnixSocket::UnixSocket(UnixSocket &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

UnixSocket &UnixSocket::operator=(UnixSocket &&other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

UnixSocket::~UnixSocket() {
    if (m_fd >= 0)
        ::close(m_fd);
}

UnixSocket UnixSocket::connectTo(const QString &path, int timeoutMs) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return UnixSocket();
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    UnixSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.isValid())
        return socket;
    // A listener whose queue is full makes connect() wait; the limit holds for it and for send().
    const timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(socket.m_fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    int result;
    do {
        result =
            ::connect(socket.m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    } while (result < 0 && errno == EINTR);
    return result == 0 ? std::move(socket) : UnixSocket();
}

bool UnixSocket::write(const QByteArray &bytes) {
    qsizetype sent = 0;
    while (isValid() && sent < bytes.size()) {
        const ssize_t n =
            ::send(m_fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return isValid();
}

bool UnixSocket::readAvailable(QByteArray &into, qsizetype limit) {
    char chunk[4096];
    while (into.size() <= limit) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0) {
            into.append(chunk, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}
