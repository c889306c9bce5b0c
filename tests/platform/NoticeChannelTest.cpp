// The notice channel: a notice reaches the window with the title, a forged one does not; a socket
// left by a program that died is taken over, anything else at its name is left alone.
#include "NoticeChannel.h"
#include "RecordingPrompt.h"

#include <QDataStream>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
sockaddr_un addressOf(const QString &path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

// What a program that was killed leaves: the socket file, with nobody listening.
bool leaveDeadSocket(const QString &path) {
    const sockaddr_un address = addressOf(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 &&
        ::listen(fd, 1) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

// A client of our own: connected, it writes what it is given when it is given it.
int connectTo(const QString &path) {
    const sockaddr_un address = addressOf(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

class NoticeChannelTest : public QObject {
    Q_OBJECT
private slots:
    void noticeIsShownWithTheWindowTitle() {
        RecordingPrompt prompt;
        NoticeChannel channel;
        QVERIFY(channel.listen(QStringLiteral("Notice Test Ä")));
        QSignalSpy received(&channel, &NoticeChannel::noticeReceived);
        QVERIFY(NoticeChannel::send(QStringLiteral("Notice Test Ä"), QStringLiteral("héllo ✓")));
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(prompt.warnings, QStringList{QStringLiteral("héllo ✓")});
        QCOMPARE(prompt.titles, QStringList{QStringLiteral("Notice Test Ä")});
        QVERIFY(!NoticeChannel::send(QStringLiteral("Nobody has this title"), QStringLiteral("x")));
    }

    void checksCodeAndLength() {
        RecordingPrompt prompt;
        NoticeChannel channel;
        QVERIFY(channel.listen(QStringLiteral("Checks")));
        QSignalSpy received(&channel, &NoticeChannel::noticeReceived);
        const QByteArray text = QStringLiteral("ü").toUtf8() + '\0'; // two bytes of UTF-8
        QVERIFY(NoticeChannel::sendRaw(QStringLiteral("Checks"), 9486, 2, text));
        QVERIFY(
            NoticeChannel::sendRaw(QStringLiteral("Checks"), NoticeChannel::NoticeCode, 1, text));
        QVERIFY(
            NoticeChannel::sendRaw(QStringLiteral("Checks"), NoticeChannel::NoticeCode, 2, text));
        QTRY_COMPARE(received.count(), 1);
        // Longer than any real message: dropped, and the channel still listens.
        NoticeChannel::sendRaw(QStringLiteral("Checks"), NoticeChannel::NoticeCode, 2,
                               QByteArray(200 * 1024, 'x'));
        QVERIFY(NoticeChannel::send(QStringLiteral("Checks"), QStringLiteral("after")));
        QTRY_COMPARE(received.count(), 2);
        QTest::qWait(100);
        QCOMPARE(prompt.warnings, (QStringList{QStringLiteral("ü"), QStringLiteral("after")}));
    }

    void messageInPiecesIsAssembledAndSilentClientsAreLetGo() {
        NoticeChannel channel;
        QVERIFY(channel.listen(QStringLiteral("Pieces")));
        QSignalSpy raised(&channel, &NoticeChannel::raiseRequested);
        QByteArray message;
        QDataStream(&message, QIODevice::WriteOnly)
            << NoticeChannel::RaiseCode << quint32(5) << QByteArrayLiteral("tok-1");
        // One client says nothing and leaves, one waits silently, one writes in two pieces.
        ::close(connectTo(channel.serverName()));
        const int silent = connectTo(channel.serverName());
        const int pieces = connectTo(channel.serverName());
        QVERIFY(silent >= 0 && pieces >= 0);
        QCOMPARE(::write(pieces, message.constData(), 7), 7);
        QTest::qWait(50);
        QCOMPARE(raised.count(), 0);
        QCOMPARE(::write(pieces, message.constData() + 7, size_t(message.size() - 7)),
                 ssize_t(message.size() - 7));
        QTRY_COMPARE(raised.count(), 1);
        QCOMPARE(raised[0][0].toByteArray(), QByteArrayLiteral("tok-1"));
        // Once its message is read, the window closes the connection.
        char byte;
        QCOMPARE(::recv(pieces, &byte, 1, MSG_DONTWAIT), ssize_t(0));
        ::close(pieces);
        ::close(silent);
    }

    void raiseCarriesTheActivationToken() {
        NoticeChannel channel;
        QVERIFY(channel.listen(QStringLiteral("Raise")));
        QSignalSpy raised(&channel, &NoticeChannel::raiseRequested);
        int asked = 0;
        const auto token = [&asked] {
            ++asked;
            return QByteArrayLiteral("4e44-08bd_91922c");
        };
        QVERIFY(NoticeChannel::sendRaise(QStringLiteral("Raise"), token));
        QTRY_COMPARE(raised.count(), 1);
        QCOMPARE(raised[0][0].toByteArray(), QByteArrayLiteral("4e44-08bd_91922c"));
        // A start that finds no window asks the compositor for nothing.
        QVERIFY(!NoticeChannel::sendRaise(QStringLiteral("Nobody has this title"), token));
        QCOMPARE(asked, 1);

        // Not a token (a control character, a length that does not match): the window still
        // comes forward, without it.
        QVERIFY(NoticeChannel::sendRaw(QStringLiteral("Raise"), NoticeChannel::RaiseCode, 3,
                                       QByteArrayLiteral("a\nb")));
        QVERIFY(NoticeChannel::sendRaw(QStringLiteral("Raise"), NoticeChannel::RaiseCode, 5,
                                       QByteArrayLiteral("abc")));
        QVERIFY(NoticeChannel::sendRaise(QStringLiteral("Raise")));
        QTRY_COMPARE(raised.count(), 4);
        for (int i = 1; i < 4; ++i)
            QCOMPARE(raised[i][0].toByteArray(), QByteArray());
    }

    void secondWindowWithTheSameTitleDoesNotSteal() {
        NoticeChannel first, second;
        QVERIFY(first.listen(QStringLiteral("Shared")));
        QVERIFY(!second.listen(QStringLiteral("Shared")));
    }

    void deadProgramsSocketIsTakenOverAndOtherFilesLeftAlone() {
        const QString title = QStringLiteral("Left behind");
        const QString path = NoticeChannel::serverNameFor(title);
        QVERIFY(leaveDeadSocket(path));
        {
            NoticeChannel channel;
            QVERIFY(channel.listen(title));
            QSignalSpy raised(&channel, &NoticeChannel::raiseRequested);
            QVERIFY(NoticeChannel::sendRaise(title));
            QTRY_COMPARE(raised.count(), 1);
        }
        // A window that closes takes its socket with it.
        QVERIFY(!QFile::exists(path));

        QFile other(path);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        NoticeChannel channel;
        QVERIFY(!channel.listen(title));
        QVERIFY(QFile::exists(path));
        QVERIFY(other.remove());
    }
};

QTEST_GUILESS_MAIN(NoticeChannelTest)
#include "NoticeChannelTest.moc"
