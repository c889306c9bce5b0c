#include "NoticeChannel.h"

#include "RuntimeDir.h"
#include "UserPrompt.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>

#include <unistd.h>

namespace {
constexpr int ConnectTimeoutMs = 1000;
constexpr quint32 MaxNoticeBytes = 64 * 1024;
} // namespace

NoticeChannel::NoticeChannel(QObject *parent) : QObject(parent) {}

QString NoticeChannel::serverNameFor(const QString &windowTitle) {
    const QByteArray hash =
        QCryptographicHash::hash(windowTitle.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    // In the user's own runtime folder, so other users cannot reach it.
    return QDir(RuntimeDir::path())
        .filePath(
            QStringLiteral("q7config-notice-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash)));
}

QString NoticeChannel::serverName() const {
    return serverNameFor(m_title);
}

bool NoticeChannel::listen(const QString &windowTitle) {
    m_title = windowTitle;
    delete m_server;
    m_server = new QLocalServer(this);
    const QString name = serverName();
    if (!m_server->listen(name)) {
        // A socket left by a program that died answers nobody: take it over.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(ConnectTimeoutMs))
            return false;
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readMessage(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (socket->bytesAvailable() > 0)
                readMessage(socket);
        }
    });
    return true;
}

void NoticeChannel::readMessage(QLocalSocket *socket) {
    QDataStream in(socket);
    in.startTransaction();
    quint32 code = 0, length = 0;
    QByteArray data;
    in >> code >> length >> data;
    if (!in.commitTransaction())
        return; // wait for the rest
    socket->disconnectFromServer();
    if (code == RaiseCode) {
        // A token that is not one still raises the window, as far as it can without one.
        const bool tokenUsable =
            length == quint32(data.size()) && length <= MaxTokenBytes &&
            std::all_of(data.cbegin(), data.cend(), [](char c) { return c > ' ' && c < 0x7f; });
        emit raiseRequested(tokenUsable ? data : QByteArray());
        return;
    }
    if (code != NoticeCode || length > MaxNoticeBytes)
        return;
    // The text ends at its first NUL, as the sender wrote it.
    const QByteArray text = data.left(data.indexOf('\0') < 0 ? data.size() : data.indexOf('\0'));
    if (quint32(text.size()) != length)
        return;
    const QString notice = QString::fromUtf8(text);
    emit noticeReceived(notice);
    UserPrompt::current().warning(m_title, notice);
}

bool NoticeChannel::sendRaw(const QString &windowTitle, quint32 code, quint32 length,
                            const QByteArray &data) {
    QLocalSocket socket;
    socket.connectToServer(serverNameFor(windowTitle));
    return socket.waitForConnected(ConnectTimeoutMs) && write(socket, code, length, data);
}

bool NoticeChannel::write(QLocalSocket &socket, quint32 code, quint32 length,
                          const QByteArray &data) {
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << code << length << data;
    socket.write(message);
    const bool written = socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    return written;
}

bool NoticeChannel::send(const QString &windowTitle, const QString &text) {
    QByteArray data = text.toUtf8();
    const quint32 length = quint32(data.size());
    data.append('\0');
    return sendRaw(windowTitle, NoticeCode, length, data);
}

bool NoticeChannel::sendRaise(const QString &windowTitle,
                              const std::function<QByteArray()> &token) {
    QLocalSocket socket;
    socket.connectToServer(serverNameFor(windowTitle));
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    const QByteArray data = token ? token() : QByteArray();
    return write(socket, RaiseCode, quint32(data.size()), data);
}
