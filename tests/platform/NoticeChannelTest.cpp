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

    void secondWindowWithTheSameTitleDoesNotSteal() {
        NoticeChannel first, second;
        QVERIFY(first.listen(QStringLiteral("Shared")));
        QVERIFY(!second.listen(QStringLiteral("Shared")));
    }
};

QTEST_GUILESS_MAIN(NoticeChannelTest)
#include "NoticeChannelTest.moc"
