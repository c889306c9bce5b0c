#pragma once

#include <QByteArray>
#include <QString>

// One end of a local stream socket (AF_UNIX), blocking, with a time limit on each step; closed
// when destroyed. Plain system calls: Qt Network's local sockets cost its pages for the whole run.
class UnixSocket {
public:
    // Takes an open descriptor, or -1.
    explicit UnixSocket(int fd = -1) : m_fd(fd) {}
    UnixSocket(UnixSocket &&other) noexcept;
    UnixSocket &operator=(UnixSocket &&other) noexcept;
    UnixSocket(const UnixSocket &) = delete;
    UnixSocket &operator=(const UnixSocket &) = delete;
    ~UnixSocket();

    // Not connected when nobody listens at `path` (no socket, or one its program left behind)
    // or a listener lets the time pass.
    static UnixSocket connectTo(const QString &path, int timeoutMs);
    bool isValid() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // All of `bytes`, or false.
    bool write(const QByteArray &bytes);
    // Whatever is there without waiting (the descriptor is non-blocking then), until `into` holds
    // more than `limit` bytes; false at the end of the stream or on an error.
    bool readAvailable(QByteArray &into, qsizetype limit);

private:
    int m_fd;
};
