// q7ctl as a user runs it: the real binary with the virtual mouse preloaded.
#include "DeviceLock.h"
#include "Hid_Thread.h"
#include "VirtualMouse.h"

#include <QProcess>
#include <QTest>

class Q7ctlTest : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode;
        QString out;
        QString err;
    };

    static Run q7ctl(const VirtualMouse &mouse, const QStringList &args,
                     const QString &faults = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VIRTUAL_MOUSE_PATH));
        env.insert(QStringLiteral("Q7_VIRTUAL_STATE"), mouse.statePath());
        env.insert(QStringLiteral("Q7_VIRTUAL_LOG"), mouse.logPath());
        env.remove(QStringLiteral("Q7_VIRTUAL_FAULT"));
        if (!faults.isEmpty())
            env.insert(QStringLiteral("Q7_VIRTUAL_FAULT"), faults);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(Q7CTL_PATH), args);
        if (!process.waitForFinished(30000))
            return {-1, {}, QStringLiteral("timed out")};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    void listsSlotsWithTypes() {
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, {QStringLiteral("slots")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QStringLiteral("playMedia_Index(uchar index)\n")));
        QVERIFY(r.out.contains(QStringLiteral("syncFW()\n")));
    }

    void callsASlotAgainstTheMouse() {
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, {QStringLiteral("call"), QStringLiteral("setEnableAudio"),
                                    QStringLiteral("false")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty()); // a void slot prints nothing
    }

    void refusesBadCallsBeforeTouchingTheDevice_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown slot") << QStringList{QStringLiteral("call"), QStringLiteral("nope")}
                                      << "no slot named \"nope\"";
        QTest::newRow("too many") << QStringList{QStringLiteral("call"), QStringLiteral("initUI"),
                                                 QStringLiteral("1")}
                                  << "initUI takes 0 argument(s), 1 given";
        QTest::newRow("wrong type")
            << QStringList{QStringLiteral("call"), QStringLiteral("playMedia_Index"),
                           QStringLiteral("\"x\"")}
            << "must be a whole number from 0 to 255";
        QTest::newRow("out of range")
            << QStringList{QStringLiteral("call"), QStringLiteral("playMedia_Index"),
                           QStringLiteral("256")}
            << "must be a whole number from 0 to 255";
        QTest::newRow("malformed JSON")
            << QStringList{QStringLiteral("call"), QStringLiteral("setEnableAudio"),
                           QStringLiteral("tru")}
            << "not a JSON value";
        QTest::newRow("no command") << QStringList{} << "usage:";
    }
    void refusesBadCallsBeforeTouchingTheDevice() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(mouse.log().isEmpty());
    }

    void absentDeviceExits3() {
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, {QStringLiteral("call"), QStringLiteral("initUI")},
                            QStringLiteral("absent"));
        QCOMPARE(r.exitCode, 3);
        QVERIFY2(r.err.contains(QStringLiteral("Can not detect")), qPrintable(r.err));
    }

    void refusesWhileTheProgramHoldsTheMouse() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        DeviceLock lock(hid.currentEntry().commandPath);
        QVERIFY(lock.tryLock());
        const Run r = q7ctl(mouse, {QStringLiteral("call"), QStringLiteral("initUI")});
        QCOMPARE(r.exitCode, 4);
        QVERIFY2(r.err.contains(QStringLiteral("in use")), qPrintable(r.err));
        lock.unlock();
        QCOMPARE(q7ctl(mouse, {QStringLiteral("call"), QStringLiteral("initUI")}).exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(Q7ctlTest)
#include "Q7ctlTest.moc"
