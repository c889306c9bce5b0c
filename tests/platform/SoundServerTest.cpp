// The audio libraries load only where a sound server may listen: one named outright, or a socket
// where PulseAudio (or PipeWire in its place) puts it.
#include "SoundServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SoundServerTest : public QObject {
    Q_OBJECT
private slots:
    void fromItsSocket() {
        QTemporaryDir dir;
        const QString none = dir.filePath(QStringLiteral("none"));
        QProcessEnvironment env;
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        QVERIFY(!SoundServer::mayListen(env, none));

        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("tcp:elsewhere"));
        QVERIFY(SoundServer::mayListen(env, none));
        env.remove(QStringLiteral("PULSE_SERVER"));

        // The session's socket, the one named by PULSE_RUNTIME_PATH, and the system-wide one.
        const auto socketAt = [&dir](const QString &relative) {
            QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(relative)).path()));
            QFile file(dir.filePath(relative));
            QVERIFY(file.open(QIODevice::WriteOnly));
        };
        socketAt(QStringLiteral("pulse/native"));
        QVERIFY(SoundServer::mayListen(env, none));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("empty")));
        QVERIFY(!SoundServer::mayListen(env, none));
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir.filePath(QStringLiteral("pulse")));
        QVERIFY(SoundServer::mayListen(env, none));
        env.remove(QStringLiteral("PULSE_RUNTIME_PATH"));
        QVERIFY(SoundServer::mayListen(env, dir.filePath(QStringLiteral("pulse/native"))));
    }
};

QTEST_GUILESS_MAIN(SoundServerTest)
#include "SoundServerTest.moc"
