// The sounds as a user hears them: the view plays through the audio module (Qt Multimedia) to a
// real PulseAudio server whose null sink is recorded. The opening sound plays, the background loop
// follows it and keeps looping, and sound off silences both.
#include "NullSinkServer.h"
#include "SoundBoard.h"
#include "SoundModule.h"
#include "myQQuickView.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// Peaks of the shipped sounds are near 26000; the null sink's silence is exactly 0.
constexpr int Heard = 2000;
constexpr int Silent = 50;
constexpr int LoopMs = 300;

// A steady tone as the background, a few times shorter than the recording that checks it loops.
QByteArray shortLoop() {
    const int frames = NullSinkServer::SampleRate * LoopMs / 1000;
    QByteArray wav("RIFF");
    auto put32 = [&wav](quint32 v) { wav.append(reinterpret_cast<const char *>(&v), 4); };
    auto put16 = [&wav](quint16 v) { wav.append(reinterpret_cast<const char *>(&v), 2); };
    put32(36 + frames * 2);
    wav.append("WAVEfmt ");
    put32(16), put16(1), put16(1), put32(NullSinkServer::SampleRate);
    put32(NullSinkServer::SampleRate * 2), put16(2), put16(16);
    wav.append("data");
    put32(frames * 2);
    for (int i = 0; i < frames; ++i)
        put16(quint16(qint16(20000 * std::sin(2 * M_PI * 440.0 * i / NullSinkServer::SampleRate))));
    return wav;
}

} // namespace

class SoundOutputTest : public QObject {
    Q_OBJECT

    NullSinkServer m_server;
    std::unique_ptr<NullSinkServer::Recording> m_recording;
    QTemporaryDir m_dir;
    std::unique_ptr<myQQuickView> m_view;

    QString media(int index) const { return m_dir.filePath(SoundBoard::fileFor(index)); }
    // From now (ms of the recording), after the given time has been recorded.
    int now() { return m_recording->position(); }
    int loudest(int at, int fromMs, int toMs) {
        if (!m_recording->reach(at + toMs))
            qWarning("the recording stalled");
        return m_recording->loudest(at + fromMs, at + toMs);
    }

private slots:
    void initTestCase() {
        // Before anything asks Qt Multimedia for outputs: it looks once.
        QString error;
        if (!m_server.start(&error)) {
            if (qgetenv("CI") == "true")
                QFAIL(qPrintable(error));
            QSKIP(qPrintable(QStringLiteral("no audio server to play to: ") + error));
        }
        QVERIFY(!QMediaDevices::audioOutputs().isEmpty());
        // The program's own audio module, as the build leaves it beside the program.
        SoundModule::setPath(QStringLiteral(Q7_SOUND_MODULE));
        m_recording = std::make_unique<NullSinkServer::Recording>(m_server);
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(QDir().mkpath(QStringLiteral("modules/media")));
        for (int i = 0; i < SoundBoard::SoundCount; ++i)
            QVERIFY(QFile::copy(QStringLiteral(Q7_MODULES_DIR "/media/") +
                                    QFileInfo(SoundBoard::fileFor(i)).fileName(),
                                media(i)));
        QVERIFY2(m_recording->reach(100), "the sink's monitor records nothing");
    }

    void init() { m_view = std::make_unique<myQQuickView>(nullptr, true); }
    void cleanup() { m_view.reset(); }

    void theOpeningSoundIsFollowedByTheBackground() {
        const int at = now();
        m_view->playMedia_Index(1);
        // The opening lasts 1.2 s; the background (6 s) follows when it ends.
        QVERIFY2(loudest(at, 100, 1000) > Heard, "no opening sound");
        QVERIFY2(loudest(at, 2000, 3000) > Heard, "no background after the opening");
        QCOMPARE(m_view->soundBoard()->source(0).fileName(), QStringLiteral("00.wav"));
    }

    void theBackgroundLoops() {
        QFile::remove(media(0));
        QFile loop(media(0));
        QVERIFY(loop.open(QIODevice::WriteOnly) && loop.write(shortLoop()) > 0);
        loop.close();
        const int at = now();
        m_view->playMedia_Index(0);
        // Every stretch as long as one pass, over several passes, hears the tone: a sound that
        // played once would leave them silent after the first.
        for (int from = LoopMs; from < 6 * LoopMs; from += LoopMs / 2)
            QVERIFY2(loudest(at, from, from + LoopMs) > Heard,
                     qPrintable(QStringLiteral("silent from %1 ms").arg(from)));
        QVERIFY(QFile::remove(media(0)));
        QVERIFY(QFile::copy(QStringLiteral(Q7_MODULES_DIR "/media/00.wav"), media(0)));
    }

    void soundOffSilencesEverything() {
        m_view->playMedia_Index(1);
        m_view->playMedia_Index(0);
        const int playing = now();
        QVERIFY2(loudest(playing, 100, 300) > Heard, "nothing played");
        // What the global-settings page does when the user picks sound off.
        const int at = now();
        m_view->setEnableAudio(false);
        m_view->clearAllMedia();
        m_view->playMedia_Index(4);
        m_view->playMedia_Index(1);
        m_view->playMedia_Index(0);
        QVERIFY2(loudest(at, 300, 1800) < Silent, "still heard with sound off");
    }
};

QTEST_MAIN(SoundOutputTest)
#include "SoundOutputTest.moc"
