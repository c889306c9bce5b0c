// sway's pointer settings against a real headless sway (the Wayland rig gives SWAYSOCK). The rig
// has no input devices, so sway lists no pointer of the mouse and nothing can be read back: the
// backend says so, and the commands it would send for the mouse's pointer are sent for the
// identifier sway gives it, which sway keeps for when the device appears and answers with success.
#include "linux/SwayPointerSettings.h"

#include <QJsonDocument>
#include <QTest>

namespace {
constexpr PointerSettings::Device Q7{0x04d9, 0xa09f};
const QString Q7Identifier = QStringLiteral("1241:41119:Q7_Peripherals_Q7_Gaming_Mouse");
} // namespace

class SwayPointerSettingsTest : public QObject {
    Q_OBJECT
    QString m_socket;

private slots:
    void initTestCase() {
        m_socket = SwayIpc::sessionSocket();
        if (m_socket.isEmpty())
            QFAIL("no SWAYSOCK: this test runs inside the Wayland rig (tests/wayland)");
    }

    // From sway's input list (GET_INPUTS), only the mouse's pointer, by its USB ids.
    void thePointerOfTheMouseAlone() {
        const QJsonArray inputs = QJsonDocument::fromJson(R"([
            {"identifier": "1241:41119:Q7_Peripherals_Q7_Gaming_Mouse", "type": "pointer",
             "vendor": 1241, "product": 41119, "libinput": {"accel_profile": "flat"}},
            {"identifier": "1241:41119:Q7_Peripherals_Q7_Gaming_Mouse_Keyboard",
             "type": "keyboard", "vendor": 1241, "product": 41119},
            {"identifier": "1133:49271:Logitech_USB_Optical_Mouse", "type": "pointer",
             "vendor": 1133, "product": 49271}])")
                                      .array();
        QCOMPARE(SwayPointerSettings::mousePointers(inputs, Q7), QStringList{Q7Identifier});
    }

    void noPointerOfTheMouseInTheRig() {
        const std::unique_ptr<PointerSettings> pointer = PointerSettings::forSession(Q7);
        QCOMPARE(pointer->desktop(), QStringLiteral("sway"));
        QVERIFY(!pointer->setSpeed(15));
        QCOMPARE(pointer->lastError(),
                 QStringLiteral("sway lists no pointer of the mouse (04d9:a09f)"));
        QVERIFY(!pointer->setDoubleClickTime(500));
        QCOMPARE(pointer->lastError(), QStringLiteral("sway has no double-click time setting"));
    }

    void theCommandsReachSwayAndSucceed() {
        SwayPointerSettings sway(m_socket, Q7,
                                 [](const QJsonArray &) { return QStringList{Q7Identifier}; });
        QVERIFY2(sway.setSpeed(15), qPrintable(sway.lastError()));
        QVERIFY2(sway.setAcceleration(false), qPrintable(sway.lastError()));
        QVERIFY2(sway.setWheelLines(6), qPrintable(sway.lastError()));
        // What sway refuses comes back as its own words.
        SwayIpc ipc(m_socket);
        QVERIFY(!ipc.run(QStringLiteral("input \"%1\" pointer_accel fast").arg(Q7Identifier)));
        QVERIFY2(ipc.lastError().startsWith(QLatin1String("sway refused")),
                 qPrintable(ipc.lastError()));
    }
};

QTEST_GUILESS_MAIN(SwayPointerSettingsTest)
#include "SwayPointerSettingsTest.moc"
