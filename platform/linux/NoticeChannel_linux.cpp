#include "NoticeChannel.h"

#include "RuntimeDir.h"
#include "UnixSocket.h"
#include "UnixSocketServer.h"
#include "UserPrompt.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>

#include <algorithm>

#include <unistd.h>

namespace {
constexpr int ConnectTimeoutMs = 1000;
constexpr quint32 MaxNoticeBytes = 64 * 1024;

// A message: the code and the announced length as 32-bit numbers, then the data as a Qt byte
// array (its own 32-bit length, then its bytes), all as QDataStream writes them.
struct Message {
    quint32 code = 0;
    quint32 length = 0;
    QByteArray data;
};
constexpr qsizetype HeaderBytes = 3 * sizeof(quint32);
// The longest notice and its NUL; no real message is longer.
constexpr qsizetype MaxMessageBytes = HeaderBytes + MaxNoticeBytes + 1;

QByteArray encode(quint32 code, quint32 length, const QByteArray &data) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << code << length << data;
    return bytes;
}

// The bytes the whole message at the start of `received` takes, or 0 while more is needed.
qsizetype decode(const QByteArray &received, Message &message) {
    QDataStream in(received);
    in >> message.code >> message.length >> message.data;
    return in.status() == QDataStream::Ok ? qsizetype(in.device()->pos()) : 0;
}
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
    m_server = new UnixSocketServer(
        MaxMessageBytes,
        [](const QByteArray &received) {
            Message message;
            return decode(received, message);
        },
        this);
    connect(m_server, &UnixSocketServer::messageReceived, this, &NoticeChannel::handleMessage);
    // A socket left by a program that died answers nobody: it is taken over.
    return m_server->listen(serverName(), ConnectTimeoutMs);
}

void NoticeChannel::handleMessage(const QByteArray &bytes) {
    Message message;
    decode(bytes, message);
    const QByteArray &data = message.data;
    if (message.code == RaiseCode) {
        // A token that is not one still raises the window, as far as it can without one.
        const bool tokenUsable =
            message.length == quint32(data.size()) && message.length <= MaxTokenBytes &&
            std::all_of(data.cbegin(), data.cend(), [](char c) { return c > ' ' && c < 0x7f; });
        emit raiseRequested(tokenUsable ? data : QByteArray());
        return;
    }
    if (message.code != NoticeCode || message.length > MaxNoticeBytes)
        return;
    // The text ends at its first NUL, as the sender wrote it.
    const QByteArray text = data.left(data.indexOf('\0') < 0 ? data.size() : data.indexOf('\0'));
    if (quint32(text.size()) != message.length)
        return;
    const QString notice = QString::fromUtf8(text);
    emit noticeReceived(notice);
    UserPrompt::current().warning(m_title, notice);
}

bool NoticeChannel::sendRaw(const QString &windowTitle, quint32 code, quint32 length,
                            const QByteArray &data) {
    return UnixSocket::connectTo(serverNameFor(windowTitle), ConnectTimeoutMs)
        .write(encode(code, length, data));
}

bool NoticeChannel::send(const QString &windowTitle, const QString &text) {
    QByteArray data = text.toUtf8();
    const quint32 length = quint32(data.size());
    data.append('\0');
    return sendRaw(windowTitle, NoticeCode, length, data);
}

bool NoticeChannel::sendRaise(const QString &windowTitle,
                              const std::function<QByteArray()> &token) {
    UnixSocket socket = UnixSocket::connectTo(serverNameFor(windowTitle), ConnectTimeoutMs);
    if (!socket.isValid())
        return false;
    const QByteArray data = token ? token() : QByteArray();
    return socket.write(encode(RaiseCode, quint32(data.size()), data));
}
