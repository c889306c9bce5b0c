// The sound board builds players only when a sound is first played and an audio output exists,
// keeps the loop and the effects' order, and says once, quietly, that it stays silent.
#include "SoundBoard.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList soundMessages;

void recordSoundMessages(QtMsgType, const QMessageLogContext &context, const QString &text) {
    if (QByteArray(context.category) == "q7.sound")
        soundMessages.append(text);
}

QString fileOf(const QString &path) {
    return QFileInfo(path).fileName();
}

QString fileOf(const SoundBoard &board, int index) {
    return fileOf(board.source(index).toLocalFile());
}

} // namespace

class SoundBoardTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QDir::setCurrent(m_dir.path());
        QDir().mkpath(QStringLiteral("modules/media"));
        for (int i = 0; i < SoundBoard::SoundCount; ++i)
            QVERIFY(QFile::copy(QStringLiteral(Q7_MODULES_DIR "/media/") +
                                    fileOf(SoundBoard::fileFor(i)),
                                SoundBoard::fileFor(i)));
    }

    void withoutOutputNothingIsBuiltAndItSaysSoOnce() {
        QLoggingCategory::setFilterRules(QStringLiteral("q7.sound.debug=true"));
        soundMessages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordSoundMessages);
        int asked = 0;
        {
            SoundBoard board(nullptr, [&asked] { return ++asked, false; });
            QCOMPARE(asked, 0); // not even asked before a sound plays
            for (int click = 0; click < 3; ++click)
                for (int i = 1; i < SoundBoard::SoundCount; ++i)
                    board.play(i);
            board.playBackground();
            QCOMPARE(board.playerCount(), 0);
            QCOMPARE(asked, 1);
            // What was asked is still followed, heard or not.
            QCOMPARE(fileOf(board, 0), QStringLiteral("00.wav"));
            QCOMPARE(fileOf(board, 4), QStringLiteral("04.wav"));
        }
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(soundMessages,
                 QStringList{QStringLiteral("No audio output: the sounds stay silent")});
    }

    void playersAreBuiltOnFirstUseAndTheBackgroundLoops() {
        SoundBoard board(nullptr, [] { return true; });
        QCOMPARE(board.playerCount(), 0);
        board.play(4);
        board.play(4); // a repeat reuses its player
        QCOMPARE(board.playerCount(), 1);
        board.playBackground();
        QCOMPARE(board.playerCount(), 2);
        const auto players = board.findChildren<QSoundEffect *>();
        QCOMPARE(players.size(), 2);
        int looping = 0;
        for (const QSoundEffect *p : players) {
            if (p->loopCount() != QSoundEffect::Infinite)
                continue;
            ++looping;
            QCOMPARE(QFileInfo(p->source().toLocalFile()).fileName(), QStringLiteral("00.wav"));
        }
        QCOMPARE(looping, 1);
        board.clearAll();
        for (int i = 0; i < SoundBoard::SoundCount; ++i)
            QVERIFY(board.source(i).isEmpty());
    }

    void aMissingFileBuildsNothing() {
        QVERIFY(QFile::rename(SoundBoard::fileFor(3), QStringLiteral("aside.wav")));
        SoundBoard board(nullptr, [] { return true; });
        board.play(3);
        QCOMPARE(board.playerCount(), 0);
        QVERIFY(QFile::rename(QStringLiteral("aside.wav"), SoundBoard::fileFor(3)));
    }

    void theOpeningSoundStartsTheBackground() {
        SoundBoard board(nullptr, [] { return false; });
        board.play(1);
        QVERIFY(board.source(0).isEmpty());
        emit board.finished(2); // other effects start nothing
        QVERIFY(board.source(0).isEmpty());
        emit board.finished(1);
        QCOMPARE(fileOf(board, 0), QStringLiteral("00.wav"));
        board.clearAll();
        QVERIFY(board.source(0).isEmpty());
    }

    void outOfRangeIndicesDoNothing() {
        SoundBoard board(nullptr, [] { return true; });
        board.play(0); // the background has its own entry
        board.play(5);
        board.play(-1);
        QCOMPARE(board.playerCount(), 0);
        QVERIFY(board.source(0).isEmpty());
        QVERIFY(board.source(5).isEmpty());
    }
};

QTEST_MAIN(SoundBoardTest)
#include "SoundBoardTest.moc"
