// The device lock between the window and q7ctl: per user, not per temp folder, and freed by the
// kernel when its holder dies.
#include "DeviceLock.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class DeviceLockTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        const QString runtime = m_dir.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }

    void oneHolderAtATimeAndTheRefusedOneLearnsWho() {
        DeviceLock window(QStringLiteral("Q7"), QStringLiteral("the q7config window"));
        DeviceLock q7ctl(QStringLiteral("Q7"), QStringLiteral("q7ctl"));
        QVERIFY(window.tryLock());
        QVERIFY(!q7ctl.tryLock());
        QCOMPARE(
            q7ctl.holderText(),
            QStringLiteral("the q7config window (pid %1)").arg(QCoreApplication::applicationPid()));
        window.unlock();
        QVERIFY(q7ctl.tryLock());
        DeviceLock other(QStringLiteral("another device"), QStringLiteral("q7ctl"));
        QVERIFY(other.tryLock());
    }

    void theTempFolderDoesNotSplitTheLock() {
        const QString before = DeviceLock::lockPathFor(QStringLiteral("Q7"));
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", m_dir.path().toLocal8Bit());
        const QString after = DeviceLock::lockPathFor(QStringLiteral("Q7"));
        qputenv("TMPDIR", tmp);
        QCOMPARE(after, before);
        QVERIFY(before.startsWith(m_dir.filePath(QStringLiteral("runtime/"))));
    }

    void aHolderThatDiesFreesIt() {
        int ready[2];
        QVERIFY(pipe(ready) == 0);
        const pid_t child = fork();
        if (child == 0) {
            DeviceLock held(QStringLiteral("Q7"), QStringLiteral("q7ctl"));
            const char c = held.tryLock() ? '1' : '0';
            (void)!write(ready[1], &c, 1);
            pause(); // killed below, without unlocking
            _exit(0);
        }
        char c = 0;
        QCOMPARE(read(ready[0], &c, 1), ssize_t(1));
        QCOMPARE(c, '1');
        DeviceLock mine(QStringLiteral("Q7"), QStringLiteral("the q7config window"));
        QVERIFY(!mine.tryLock());
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        QVERIFY(mine.tryLock());
        close(ready[0]);
        close(ready[1]);
    }
};

QTEST_GUILESS_MAIN(DeviceLockTest)
#include "DeviceLockTest.moc"
