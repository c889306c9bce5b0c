// Starting the program while it runs shows the running window and starts no second one.
#include "TreeCopy.h"
#include "VirtualMouse.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_install;
    QString m_program;

    void prepare(QProcess &process, const VirtualMouse &mouse) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VIRTUAL_MOUSE_PATH));
        env.insert(QStringLiteral("Q7_VIRTUAL_STATE"), mouse.statePath());
        env.insert(QStringLiteral("Q7_VIRTUAL_LOG"), mouse.logPath());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_install.filePath(QStringLiteral("run")));
        process.setProcessEnvironment(env);
    }

    bool noticeSocketExists() const {
        return !QDir(m_install.filePath(QStringLiteral("run")))
                    .entryList({QStringLiteral("q7config-notice-*")}, QDir::System)
                    .isEmpty();
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(m_install.filePath(QStringLiteral("run"))));
        m_program = m_install.filePath(QStringLiteral("q7config"));
        QVERIFY(QFile::copy(QStringLiteral(Q7CONFIG_PATH), m_program));
        QVERIFY(copyTree(QStringLiteral(Q7_MODULES_SOURCE),
                         m_install.filePath(QStringLiteral("modules"))));
    }

    void secondStartRaisesTheFirstAndEnds() {
        VirtualMouse mouse;
        QProcess first;
        prepare(first, mouse);
        first.start(m_program);
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(noticeSocketExists(), 30000);

        QProcess second;
        prepare(second, mouse);
        second.start(m_program);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QByteArray firstSays;
        QTRY_VERIFY_WITH_TIMEOUT(
            (firstSays += first.readAllStandardError()).contains("asked for this window"), 10000);

        first.terminate();
        QVERIFY(first.waitForFinished(15000));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
