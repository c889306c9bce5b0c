// Global key capture through libevdev on the event nodes udev lists: keys and buttons written
// to an emulated keyboard and mouse reach the q7.input lines with their USB usages; a keyboard
// plugged in later is picked up from its uevent, a removed one is closed, and no device is
// ever grabbed away from the desktop.
#include "InputNode.h"
#include "KernelRig.h"
#include "KernelWindow.h"

#include <QTest>

#include <linux/input-event-codes.h>

using q7kernel::InputNode;

class KeyCaptureTest : public QObject {
    Q_OBJECT

    KernelRig m_rig;

    static void press(InputNode &device, unsigned code) {
        device.key(code, 1);
        device.key(code, 0);
    }

private slots:
    void keysFromEveryKeyboardReachTheScene() {
        m_rig.addQ7();
        InputNode keyboard(m_rig.bed(), InputNode::Kind::Keyboard, "Test Keyboard");
        InputNode mouse(m_rig.bed(), InputNode::Kind::Mouse, "Test Mouse");
        keyboard.plug();
        mouse.plug();
        KernelWindow window(m_rig, KernelRig::Access::Full, QStringLiteral("q7.input.debug=true"));
        QVERIFY2(window.waitFor(QStringLiteral("reading \"/dev/input/event0\" \"Test Keyboard\"")),
                 qPrintable(window.output()));
        QVERIFY2(window.waitFor(QStringLiteral("reading \"/dev/input/event1\" \"Test Mouse\"")),
                 qPrintable(window.output()));

        // Plain, extended and the two keys whose scan codes the maps swap; then a click.
        for (unsigned code : {KEY_A, KEY_KPENTER, KEY_RIGHTCTRL, KEY_PAUSE, KEY_NUMLOCK})
            press(keyboard, code);
        press(mouse, BTN_LEFT);
        for (const char *line :
             {"key 0x04 down", "key 0x04 up", "key 0x58 down", "key 0x58 up", "key 0xe4 down",
              "key 0xe4 up", "key 0x48 down", "key 0x48 up", "key 0x53 down", "key 0x53 up",
              "button 0xf0 down", "button 0xf0 up"})
            QVERIFY2(window.waitFor(QStringLiteral("q7.input: ") + QLatin1String(line)),
                     qPrintable(window.output()));

        // A keyboard plugged in now is found from its uevent.
        InputNode later(m_rig.bed(), InputNode::Kind::Keyboard, "Later Keyboard");
        later.plug();
        QVERIFY2(window.waitFor(QStringLiteral("reading \"/dev/input/event2\" \"Later Keyboard\"")),
                 qPrintable(window.output()));
        press(later, KEY_B);
        QVERIFY2(window.waitFor(QStringLiteral("q7.input: key 0x05 up")),
                 qPrintable(window.output()));

        // A keyboard pulled out is let go.
        QCOMPARE(keyboard.openCount(), 1);
        keyboard.unplug();
        QVERIFY2(window.waitFor(QStringLiteral("input device \"Test Keyboard\" is gone")),
                 qPrintable(window.output()));
        QTRY_COMPARE(keyboard.openCount(), 0);
        press(later, KEY_C);
        QVERIFY2(window.waitFor(QStringLiteral("q7.input: key 0x06 up")),
                 qPrintable(window.output()));

        QCOMPARE(keyboard.grabs() + mouse.grabs() + later.grabs(), 0);
    }
};

QTEST_GUILESS_MAIN(KeyCaptureTest)
#include "KeyCaptureTest.moc"
