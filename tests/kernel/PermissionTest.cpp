// The Q7 is listed but its nodes cannot be opened (EACCES), as without the udev rule: the
// window and q7ctl say so, with the rule and the commands, and nothing reaches the mouse.
#include "KernelRig.h"
#include "KernelWindow.h"

#include <QTest>

class PermissionTest : public QObject {
    Q_OBJECT

    KernelRig m_rig;
    QString m_advice; // q7ctl's words

private slots:
    void initTestCase() { m_rig.addQ7().usb().denyAccess(); }

    void q7ctlSaysWhy() {
        const KernelRig::Run r =
            m_rig.q7ctl({"call", "getSensorType"}, KernelRig::Access::FileModesApply);
        QCOMPARE(r.exitCode, 3);
        qInfo() << r.err;
        QVERIFY2(r.err.contains(QStringLiteral("/dev/hidraw0: permission denied")),
                 qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("70-q7-mouse.rules")), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("udevadm control --reload")), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QVERIFY(m_rig.traffic().isEmpty());
        m_advice = r.err.section(QStringLiteral("permission denied)."), 1).trimmed();
    }

    void theWindowSaysTheSame() {
        KernelWindow window(m_rig, KernelRig::Access::FileModesApply);
        QVERIFY2(window.waitFor(QStringLiteral("permission denied")), qPrintable(window.output()));
        QVERIFY2(window.waitFor(m_advice), qPrintable(window.output()));
        // The box, and no window behind it: the program shows none without the mouse.
        QTRY_COMPARE(window.visibleWindows(), 1);
        QVERIFY(window.pressReturn());
        QTRY_VERIFY_WITH_TIMEOUT(!window.isRunning(), 10000);
        QVERIFY(m_rig.traffic().isEmpty());
    }
};

QTEST_GUILESS_MAIN(PermissionTest)
#include "PermissionTest.moc"
