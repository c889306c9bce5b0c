// The window's start on a user's stack: the device check finds the Q7 through hidapi and
// libudev ("Device Connect"), the watcher reads the ready reports from the event node, and an
// Apply on the sensor page reaches the mouse.
#include "KernelRig.h"
#include "KernelWindow.h"

#include <QTest>

class WindowStartTest : public QObject {
    Q_OBJECT

    KernelRig m_rig;

    int count(const QString &kind) const {
        return int(reportsOfKind(m_rig.traffic(), kind).size());
    }

private slots:
    void startsFindsAndApplies() {
        m_rig.addQ7();
        KernelWindow window(m_rig);
        QVERIFY2(window.waitFor(QStringLiteral("Device Connect")), qPrintable(window.output()));
        QVERIFY2(window.applySensorPage(), qPrintable(window.output()));
        const int frames = count(QStringLiteral("feature_out"));
        // Every command is answered by a ready report, which the watcher reads on its node.
        QTRY_VERIFY(count(QStringLiteral("event")) >= frames);
        for (const WireReport &report : m_rig.traffic())
            QVERIFY(!report.refused);
        QVERIFY(window.isRunning());
    }
};

QTEST_GUILESS_MAIN(WindowStartTest)
#include "WindowStartTest.moc"
