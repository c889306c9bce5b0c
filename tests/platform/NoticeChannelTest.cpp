// The notice channel: a notice reaches the window with the title, a forged one does not.
#include "NoticeChannel.h"
#include "RecordingPrompt.h"

#include <QSignalSpy>
#include <QTest>

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
        QTest::qWait(100);
        QCOMPARE(prompt.warnings, QStringList{QStringLiteral("ü")});
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
};

QTEST_GUILESS_MAIN(NoticeChannelTest)
#include "NoticeChannelTest.moc"
