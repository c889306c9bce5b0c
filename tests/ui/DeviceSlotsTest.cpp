// The slots behind the pages: what they keep in the profile and what reaches the mouse.
#include "Hid_Thread.h"
#include "LinkState.h"
#include "RecordingPrompt.h"
#include "StorageSandbox.h"
#include "VirtualMouse.h"
#include "WireDescrambler.h"
#include "linux/GnomePointerSettings.h"
#include "myQQuickView.h"

#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Personality = VirtualMouse::Personality;

namespace {

QVariantList numbers(std::initializer_list<int> values) {
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

QVariantList ints(const QVariantList &list) {
    QVariantList out;
    for (const QVariant &v : list)
        out.append(v.toInt());
    return out;
}

} // namespace

class DeviceSlotsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StorageSandbox> m_sandbox;
    QTemporaryDir m_desktopConfig;
    std::unique_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<Hid_Thread> m_hid;
    std::unique_ptr<myQQuickView> m_view;

    void start(Personality personality = Personality::Mouse, const QString &faults = {}) {
        m_view.reset();
        m_hid.reset();
        m_mouse.reset(); // before the next one: its end clears the environment
        m_mouse = std::make_unique<VirtualMouse>(faults, personality);
        m_hid = std::make_unique<Hid_Thread>();
        m_mouse->connect(*m_hid);
        m_view = std::make_unique<myQQuickView>(nullptr, false);
        m_view->setDeviceLink(m_hid.get());
        m_mouse->clearLog();
    }

    // The plain command frames the mouse received, after the sets have gone out.
    QList<QByteArray> frames() {
        m_hid->waitForSend();
        QList<QByteArray> plain;
        for (const QByteArray &f : m_mouse->reports(QStringLiteral("feature_out")))
            plain.append(descrambleWireFrame(f));
        return plain;
    }

    // The bulk data of every output report, reports of one table joined.
    QList<QByteArray> tables(int reportsPerTable) {
        m_hid->waitForSend();
        const QList<QByteArray> out = m_mouse->reports(QStringLiteral("output"));
        QList<QByteArray> joined;
        for (int i = 0; i + reportsPerTable <= out.size(); i += reportsPerTable) {
            QByteArray table;
            for (int r = 0; r < reportsPerTable; ++r)
                table += out[i + r].mid(1);
            joined.append(table);
        }
        return joined;
    }

    QSettings profileFile(int index) {
        m_view->profileSettings(index)->sync();
        return QSettings(QStringLiteral("modules/setting/p%1.bin").arg(index + 1),
                         QSettings::IniFormat);
    }

private slots:
    void initTestCase() {
        // GNOME's settings, kept in a file of this test's own.
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qputenv("XDG_CONFIG_HOME", m_desktopConfig.path().toLocal8Bit());
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=true"));
    }

    void init() {
        m_view.reset();
        m_sandbox = std::make_unique<StorageSandbox>();
        QVERIFY(m_sandbox->isReady());
    }

    void cleanup() {
        m_view.reset();
        m_hid.reset();
        m_mouse.reset();
        m_sandbox.reset();
    }

    void reportRateIsRememberedOnlyForTheMouse() {
        start(Personality::Keyboard);
        const QVariant shipped =
            m_view->currentProfile()->value(QStringLiteral("sensor/reportRate_Q7"));
        m_view->ui_01H_SetReportRate(2);
        QCOMPARE(frames(), QList<QByteArray>{bytesOf("00 01 02 00 00 00 00 00 fc")});
        QCOMPARE(m_view->currentProfile()->value(QStringLiteral("sensor/reportRate_Q7")), shipped);

        start(Personality::Mouse);
        m_view->currentProfile()->remove(QStringLiteral("sensor/reportRate_Q7"));
        QCOMPARE(m_view->ui_81H_GetReportRate().toInt(), 0); // nothing stored: no traffic either
        QVERIFY(m_mouse->log().isEmpty());
        m_view->ui_01H_SetReportRate(2);
        QCOMPARE(frames().size(), 1);
        QCOMPARE(m_view->ui_81H_GetReportRate().toInt(), 2);
    }

    void profileSwitch() {
        start(Personality::Keyboard);
        m_view->ui_02H_SetCurrentProfile(0); // already current: nothing, even to a keyboard
        QVERIFY(frames().isEmpty());
        m_view->ui_02H_SetCurrentProfile(3);
        QCOMPARE(frames(), QList<QByteArray>{bytesOf("00 02 03 00 00 00 00 00 fa")});

        start(Personality::Mouse);
        m_view->ui_02H_SetCurrentProfile(4);
        QCOMPARE(m_view->currentProfileIndex(), 4);
        QVERIFY(frames().isEmpty());
        m_view->ui_0BH_SetCurrentDPIStage(6);
        QCOMPARE(profileFile(4).value(QStringLiteral("sensor/stage_Q7")).toInt(), 6);
        QVERIFY(profileFile(0).value(QStringLiteral("sensor/stage_Q7")).toInt() != 6 ||
                !profileFile(0).contains(QStringLiteral("sensor/stage_Q7")));
        m_view->ui_02H_SetCurrentProfile(10); // no such profile
        QCOMPARE(m_view->currentProfileIndex(), 4);
    }

    void keyboardTablesAndPictures() {
        start(Personality::Keyboard);
        QVariantList matrix;
        for (int i = 0; i < 512; ++i)
            matrix.append(i % 256);
        matrix[510] = 0x77;
        m_view->ui_0DH_SetKeyMatrix(matrix);
        const QList<QByteArray> sent = tables(8);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(uchar(sent[0][510]), uchar(0x77));
        QSettings p1 = profileFile(0);
        QCOMPARE(ints(p1.value(QStringLiteral("keydefine/125")).toList()),
                 numbers({244, 245, 246, 247}));
        QVERIFY(!p1.contains(QStringLiteral("keydefine/126")));

        m_mouse->clearLog();
        QVariantList picture = numbers({9, 8, 7});
        m_view->ui_12H_SetUserPicture(3, 255, picture);
        QVERIFY(frames().isEmpty());
        QCOMPARE(ints(m_view->ui_92H_GetUserPicture(3)), picture);
        m_view->ui_12H_SetUserPicture(3, 1, picture);
        QCOMPARE(frames().size(), 1);
        // A short list reaches the device with zeros after it.
        QCOMPARE(tables(8).value(0).left(4), bytesOf("09 08 07 00"));
    }

    void storedListsComeBackAsNumbers() {
        start();
        m_view->ui_0DH_SetRGBLedEffect(2, 200, 5, numbers({2, 7, 4}));
        m_view->ui_11H_SetDPISet(8, numbers({7, 15, 23, 31, 39, 49, 93, 103}),
                                 numbers({800, 1600, 2400, 3200, 4000, 5000, 7200, 8000}));
        m_view->ui_0BH_SetCurrentDPIStage(3);
        QCOMPARE(frames().size(), 3);
        m_view.reset(); // a restart reads the files again
        m_view = std::make_unique<myQQuickView>(nullptr, false);
        m_view->setDeviceLink(m_hid.get());
        const QVariantList effect = m_view->ui_8DH_GetRGBLedEffect();
        QCOMPARE(effect, QVariantList({2u, 7u, 4u}));
        QCOMPARE(effect[0].typeId(), int(QMetaType::UInt));
        QCOMPARE(ints(m_view->ui_91H_GetDPISet()),
                 numbers({800, 1600, 2400, 3200, 4000, 5000, 7200, 8000}));
        QCOMPARE(m_view->ui_8BH_GetCurrentDPIStage().toInt(), 3);
    }

    void gunSwitchSpreadsOverFourTables() {
        start();
        m_view->saveSelGundata(0, numbers({0, 1, 11, 21}));
        m_view->saveSelGundata(1, numbers({1, 2, 12, 22}));
        m_view->saveSelGundata(2, numbers({2, 3, 13, 23}));
        QVariantList keys;
        for (int i = 0; i < 64; ++i)
            keys.append(0x20 + i);
        const QVariantList fiveLoop = numbers({8, 0, 1, 5}), sevenOther = numbers({8, 0, 0, 7});
        for (int i = 0; i < 4; ++i)
            keys[20 + i] = fiveLoop[i], keys[28 + i] = sevenOther[i];
        m_view->ui_12H_SetKeyMatrix(keys);

        const QList<QByteArray> sent = frames();
        QCOMPARE(sent.size(), 4);
        for (int t = 0; t < 4; ++t)
            QCOMPARE(uchar(sent[t][2]), uchar(t + 1));
        const QList<QByteArray> table = tables(2);
        QCOMPARE(table.size(), 4);
        const uchar entry5[] = {0, 2, 1, 0};
        for (int t = 0; t < 4; ++t) {
            QCOMPARE(uchar(table[t][23]), entry5[t]);
            QCOMPARE(uchar(table[t][31]), uchar(7)); // an unknown mode stays as it was
        }
        QCOMPARE(table[0].left(4), bytesOf("20 21 22 23"));
        QCOMPARE(table[1].left(4), bytesOf("0b 00 15 0b")); // fire key 0: period 21, time 11
        QCOMPARE(table[2].left(4), bytesOf("0b 01 16 0c"));
        QCOMPARE(table[3].left(4), bytesOf("0b 02 17 0d"));
        // The profile keeps the table as the page gave it.
        QCOMPARE(ints(m_view->getKeydefine(5)), fiveLoop);
    }

    void macroRepeatGoesIntoTheHeader() {
        start();
        const QString name = m_view->createMacroIni().toString();
        QVERIFY(!name.isEmpty());
        const QString marker = QStringLiteral("      [延时]");
        QVERIFY(m_view->saveMacroIni(name, {QStringLiteral("100") + marker}).toBool());
        m_view->ui_13H_SetMacroKey(3, name);
        QCOMPARE(frames().value(0), bytesOf("00 13 03 80 00 00 00 00 69"));
        QCOMPARE(tables(4).value(0).left(2), bytesOf("00 01"));

        QSettings(QStringLiteral("modules/macro/%1.bin").arg(name), QSettings::IniFormat)
            .setValue(QStringLiteral("config/repeat"), 300);
        m_mouse->clearLog();
        m_view->ui_13H_SetMacroKey(3, name);
        QCOMPARE(tables(4).value(0).left(2), bytesOf("01 2c"));
    }

    void keyboardMacroKeepsItsHeader() {
        start(Personality::Keyboard);
        const QString name = m_view->createMacroIni().toString();
        const QStringList lines{QStringLiteral("A      [按下]"), QStringLiteral("50      [延时]"),
                                QStringLiteral("A      [松开]")};
        QVERIFY(m_view->saveMacroIni(name, lines).toBool());
        // Header, A down, 50 ms in 10 ms units, A up, terminator, zeros to 192 bytes.
        QByteArray expected = bytesOf("00 01 01 04 7f 00 00 05 81 04 00 00");
        expected.append(192 - expected.size(), '\0');
        m_mouse->clearLog();
        m_view->ui_11H_SetMacroKey(5, name);
        QCOMPARE(frames(), QList<QByteArray>{bytesOf("00 11 00 05 03 00 00 00 e6")});
        QCOMPARE(tables(3).value(0), expected);
    }

    void pressGun_data() {
        QTest::addColumn<int>("option1");
        QTest::addColumn<QByteArray>("sensitivity");
        QTest::newRow("wheel normal") << 0 << bytesOf("00 04 01 03 00 14 02 00 e1");
        QTest::newRow("wheel reversed") << 1 << bytesOf("00 04 01 03 00 ec 02 00 09");
    }
    void pressGun() {
        QFETCH(int, option1);
        QFETCH(QByteArray, sensitivity);
        start();
        m_hid->hid_03H_SetFunctionOption(3, 1, uchar(option1), 0x00);
        m_hid->waitForSend(); // the set runs on the pool: out before the log is cleared
        m_mouse->clearLog();
        m_view->q7_0CH_SetPressGun(0, 20, 3, 1, 1, 2);
        const QList<QByteArray> sent = frames();
        QCOMPARE(sent.size(), 3); // read the options, write them back, then the press gun
        QCOMPARE(uchar(sent[1][1]), uchar(0x03));
        QCOMPARE(uchar(sent[1][4]), uchar(option1));
        QCOMPARE(uchar(sent[1][5]), uchar(0x08)); // press gun switched on
        QCOMPARE(sent[2], sensitivity);
    }

    void scrollSwapChangesOnlyItsBit() {
        start();
        m_hid->hid_01H_SetReportRate(2);
        m_hid->hid_03H_SetFunctionOption(3, 2, 0x05, 0x08);
        m_hid->waitForSend();
        m_mouse->clearLog();
        m_view->setScrollPinSwap(true);
        QCOMPARE(frames().value(2), bytesOf("00 03 03 02 45 08 00 00 aa"));
        QVERIFY(m_view->getScrollPinSwap());
        m_mouse->clearLog();
        m_view->setScrollPinSwap(false);
        QCOMPARE(frames().value(2), bytesOf("00 03 03 02 05 08 00 00 ea"));
        QVERIFY(!m_view->getScrollPinSwap());
    }

    // Writing back what a failed read left would send rate 0 and cleared options.
    void readChangeWriteSendsNothingAfterAFailedRead() {
        start(Personality::Mouse, QStringLiteral("no-answer"));
        m_view->setScrollPinSwap(true);
        m_view->q7_0CH_SetPressGun(0, 20, 3, 1, 1, 2);
        for (const QByteArray &frame : frames())
            QVERIFY2(uchar(frame[1]) & 0x80, frame.toHex(' ').constData()); // reads only
        QCOMPARE(m_mouse->reports(QStringLiteral("feature_out")).size(), 2);
    }

    void slidersAndStagesOutsideThePagesRangeChangeNothing() {
        start();
        m_view->setCursorSpeed(4);
        m_view->ui_0BH_SetCurrentDPIStage(3);
        const uint doubleClick = m_view->getDoubleClickSpeed();
        m_hid->waitForSend();
        m_mouse->clearLog();
        m_view->setCursorSpeed(11);
        m_view->setVerticalScrollLines(40000000);
        m_view->setDoubleClickSpeed(40000000);
        m_view->ui_0BH_SetCurrentDPIStage(0);
        m_view->ui_0BH_SetCurrentDPIStage(100);
        QCOMPARE(m_view->getCursorSpeed(), 4u);
        QCOMPARE(m_view->getDoubleClickSpeed(), doubleClick);
        QCOMPARE(m_view->ui_8BH_GetCurrentDPIStage().toInt(), 3);
        QVERIFY(frames().isEmpty());
    }

    void mouseReadsAtStart() {
        start(); // its sensor type and stage count: q7ctl's results
        QVERIFY(m_view->chkIsLogoLedWork());
        start(Personality::Mouse, QStringLiteral("absent"));
        RecordingPrompt prompt;
        QCOMPARE(m_view->ui_91H_SyncDPI(), uchar(8));
        QVERIFY(!m_view->chkIsLogoLedWork());
        QCOMPARE(m_view->getSensorType().toInt(), 0);
    }

    void pointerSettings() {
        start();
        // What GNOME cannot take shows before anything is applied.
        QCOMPARE(m_view->pointerNote(), QStringLiteral("Not taken by GNOME: wheel lines"));
        m_view->currentProfile()->remove(QStringLiteral("sensor/cursorSpeed_Q7"));
        QCOMPARE(m_view->getCursorSpeed(), 0u); // never applied, whatever the desktop has
        m_view->setCursorSpeed(0);
        QCOMPARE(m_view->getCursorSpeed(), 0u);
        QCOMPARE(GnomePointerSettings().speed().value(), -1.0); // speed 1
        m_view->setCursorSpeed(10);
        QCOMPARE(GnomePointerSettings().speed().value(), 1.0); // speed 20
        m_view->setDoubleClickSpeed(10); // the shortest: 900 ms less 70 a step
        QCOMPARE(GnomePointerSettings().doubleClickTime().value(), 200);
        QVERIFY(m_view->takePointerFailures().isEmpty());
        QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
        m_view->setVerticalScrollLines(4);
        QCOMPARE(m_view->getVerticalScrollLines(), 4u); // kept in the profile all the same
        QCOMPARE(m_view->takePointerFailures(),
                 QStringList{QStringLiteral("setVerticalScrollLines: the desktop did not take the "
                                            "wheel lines: GNOME has no wheel lines setting")});
        QCOMPARE(m_view->pointerNote(), QStringLiteral("Not taken by GNOME: wheel lines"));
        m_view->setAcceleration(false);
        QVERIFY(!m_view->getAcceleration());
        m_view->setAcceleration(true);
        QVERIFY(m_view->getAcceleration());
        m_view->setCursorSpeed(10);
        const uint otherProfile =
            m_view->profileSettings(1)->value(QStringLiteral("sensor/cursorSpeed_Q7"), 0).toUInt();
        QVERIFY(otherProfile != 10);
        m_view->ui_02H_SetCurrentProfile(1);
        QCOMPARE(m_view->getCursorSpeed(), otherProfile); // per profile

        // A setting the desktop has a place for but did not take shows with its reason.
        m_view->setPointerSettings(std::make_unique<GnomePointerSettings>("org.example.none"));
        QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
        m_view->setCursorSpeed(3);
        QCOMPARE(m_view->pointerNote(),
                 QStringLiteral("Not taken by GNOME: cursor speed (the GSettings schema "
                                "org.example.none is not installed); wheel lines"));
    }

    void lastLeftButtonQuestion() {
        start();
        RecordingPrompt prompt;
        const QStringList strings = m_view->getGlobalStrings(QStringLiteral("031000"));
        QVERIFY(!strings.isEmpty());
        prompt.answerYes = false;
        QVERIFY(!m_view->getMsgAns_FoolProofing());
        prompt.answerYes = true;
        QVERIFY(m_view->getMsgAns_FoolProofing());
        QCOMPARE(prompt.confirmations.size(), 2);
        QCOMPARE(prompt.titles[0], QStringLiteral("WARNING"));
        QCOMPARE(prompt.confirmations[0],
                 QStringLiteral("This is the last key that works as the left button.\nChange it "
                                "anyway?"));
    }
};

QTEST_MAIN(DeviceSlotsTest)
#include "DeviceSlotsTest.moc"
