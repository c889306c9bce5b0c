// The sound board builds players only when a sound is first played and an audio output exists,
// keeps the loop and the effects' order, and says once, quietly, that it stays silent. Its players
// here are stand-ins; sound_output plays through the audio module to a real server.
#include "SoundBoard.h"
#include "SoundOutput.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSignalSpy>
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

struct FakePlayer : SoundPlayer {
    void setSource(const QUrl &url) override { m_source = url; }
    QUrl source() const override { return m_source; }
    void setLooping(bool looping) override { m_looping = looping; }
    bool isLooping() const override { return m_looping; }
    void play() override { m_playing = true; }
    void stop() override { m_playing = false; }
    bool isPlaying() const override { return m_playing; }
    QUrl m_source;
    bool m_looping = false;
    bool m_playing = false;
};

struct FakeOutput : SoundOutput {
    explicit FakeOutput(bool present) : m_present(present) {}
    bool hasOutput() override { return ++m_asked, m_present; }
    std::unique_ptr<SoundPlayer> createPlayer() override {
        auto player = std::make_unique<FakePlayer>();
        m_players.append(player.get());
        return player;
    }
    bool m_present;
    int m_asked = 0;
    QList<FakePlayer *> m_players;
};

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
        FakeOutput output(false);
        {
            SoundBoard board(nullptr, &output);
            QCOMPARE(output.m_asked, 0); // not even asked before a sound plays
            for (int click = 0; click < 3; ++click)
                for (int i = 1; i < SoundBoard::SoundCount; ++i)
                    board.play(i);
            board.playBackground();
            QCOMPARE(board.playerCount(), 0);
            QCOMPARE(output.m_asked, 1);
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
        FakeOutput output(true);
        SoundBoard board(nullptr, &output);
        QCOMPARE(board.playerCount(), 0);
        board.play(4);
        board.play(4); // a repeat reuses its player
        QCOMPARE(board.playerCount(), 1);
        board.playBackground();
        QCOMPARE(board.playerCount(), 2);
        QCOMPARE(output.m_players.size(), 2);
        int looping = 0;
        for (const FakePlayer *p : output.m_players) {
            QVERIFY(p->isPlaying());
            if (!p->isLooping())
                continue;
            ++looping;
            QCOMPARE(fileOf(p->source().toLocalFile()), QStringLiteral("00.wav"));
        }
        QCOMPARE(looping, 1);
        // An effect that ends tells so; one restarted does not.
        QSignalSpy ended(&board, &SoundBoard::finished);
        board.play(4);
        QCOMPARE(ended.size(), 0);
        output.m_players[0]->stop();
        output.m_players[0]->onPlayingChanged();
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toInt(), 4);
        board.clearAll();
        for (int i = 0; i < SoundBoard::SoundCount; ++i)
            QVERIFY(board.source(i).isEmpty());
    }

    void aMissingFileBuildsNothing() {
        QVERIFY(QFile::rename(SoundBoard::fileFor(3), QStringLiteral("aside.wav")));
        FakeOutput output(true);
        SoundBoard board(nullptr, &output);
        board.play(3);
        QCOMPARE(board.playerCount(), 0);
        QVERIFY(QFile::rename(QStringLiteral("aside.wav"), SoundBoard::fileFor(3)));
    }

    void theOpeningSoundStartsTheBackground() {
        FakeOutput output(false);
        SoundBoard board(nullptr, &output);
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
        FakeOutput output(true);
        SoundBoard board(nullptr, &output);
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
