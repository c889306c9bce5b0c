// A profile chosen by a rule, by q7ctl or over D-Bus reaches the mouse: only what differs, the
// last one asked for wins, and again after the mouse was plugged in again.
#include "Hid_Thread.h"
#include "ProfileApplier.h"
#include "ProfileFollower.h"
#include "RecordingPrompt.h"
#include "RuleStore.h"
#include "VirtualMouse.h"
#include "Widget.h"
#include "WireDescrambler.h"
#include "myQQuickView.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Stands in for the desktop's focus watch (the backends have tests of their own).
class FakeFocus : public QObject {
    Q_OBJECT
signals:
    void focusChanged(const QString &applicationId);
};

class ProfileSwitchTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void writeProfile(int index, int rateCode, int stage) {
        QSettings p(m_dir.filePath(QStringLiteral("modules/setting/p%1.bin").arg(index + 1)),
                    QSettings::IniFormat);
        p.clear();
        p.setValue(QStringLiteral("sensor/reportRate_Q7"), rateCode);
        p.setValue(QStringLiteral("sensor/stage_Q7"), stage);
    }

    // Every page of profile 1 differs from profile 0 (index 1 is "profile 2" in the window).
    void writeWholeProfiles() {
        QSettings p0(m_dir.filePath(QStringLiteral("modules/setting/p1.bin")),
                     QSettings::IniFormat);
        p0.setValue(QStringLiteral("sensor/dpi_Q7"), QVariantList{1000, 2000, 0, 0, 0, 0, 0, 0});
        p0.setValue(QStringLiteral("color_Q7/type2"), QVariantList{0, 1, 2, 3, 4, 5, 6, 7});
        p0.setValue(QStringLiteral("color_Q7/type0"), QVariantList(24, 0x10));
        p0.setValue(QStringLiteral("color_Q7/ledEffect"), QVariantList{0, 7, 4, 1}); // static
        QSettings p1(m_dir.filePath(QStringLiteral("modules/setting/p2.bin")),
                     QSettings::IniFormat);
        p1.setValue(QStringLiteral("sensor/dpi_Q7"), QVariantList{1000, 2000, 4000, 0, 0, 0, 0, 0});
        p1.setValue(QStringLiteral("color_Q7/type2"), QVariantList{7, 6, 5, 4, 3, 2, 1, 0});
        QVariantList red;
        for (int i = 0; i < 8; ++i)
            red << 255 << 0 << 0;
        p1.setValue(QStringLiteral("color_Q7/type0"), red);
        p1.setValue(QStringLiteral("color_Q7/ledEffect"), QVariantList{2, 3, 0, 1}); // breathing
        p1.setValue(QStringLiteral("keydefine_Q7/2"), QVariantList{9, 0, 3, 0});     // macro 3
        p1.setValue(QStringLiteral("keydefine_Q7/4"), QVariantList{3, 0, 0xE9, 0});  // volume up
    }

    static QList<QByteArray> frames(const VirtualMouse &mouse) {
        QList<QByteArray> plain;
        for (const QByteArray &f : mouse.reports(QStringLiteral("feature_out")))
            plain.append(descrambleWireFrame(f).toHex(' '));
        return plain;
    }
    static QList<QByteArray> outputs(const VirtualMouse &mouse) {
        QList<QByteArray> data;
        for (const QByteArray &r : mouse.reports(QStringLiteral("output")))
            data.append(r.toHex(' '));
        return data;
    }
    // An output report: its report number and data, then zeros to the mouse's 32 bytes.
    static QByteArray report(const char *hex) {
        QByteArray bytes = bytesOf(hex);
        bytes.append(33 - bytes.size(), '\0');
        return bytes.toHex(' ');
    }

private slots:
    void init() {
        QDir::setCurrent(m_dir.path());
        QDir(m_dir.path()).mkpath(QStringLiteral("modules/setting"));
        QSettings config(m_dir.filePath(QStringLiteral("modules/setting/apConfig.bin")),
                         QSettings::IniFormat);
        config.setValue(QStringLiteral("common/product_name"),
                        QStringList{QStringLiteral("Keyboard"), QStringLiteral("Q7")});
        writeProfile(0, 1, 2); // 1000 Hz, stage 2
        writeProfile(1, 8, 3); // 125 Hz, stage 3
        writeProfile(2, 2, 4); // 500 Hz, stage 4
        QFile::remove(RuleStore::defaultPath());
    }

    // The first apply sends the whole profile (the record knows nothing); a switch then costs
    // the sets that differ, frames and data, in the order the pages send them.
    void aSwitchSendsWhatDiffers() {
        writeWholeProfiles();
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp(false));
        myQQuickView *view = widget.view();
        const QString macro = view->createMacroIni().toString();
        QVERIFY(view->saveMacroIni(macro, {QStringLiteral("100      [延时]")}).toBool());
        view->setMacroIniConfig(macro, {2, 1}); // slot 3
        view->applyProfile(0);
        QVERIFY(frames(mouse).contains("00 12 01 40 08 00 00 00 a4")); // key table 1
        mouse.clearLog();

        view->applyProfile(1);
        QCOMPARE(view->currentProfileIndex(), 1);
        QCOMPARE(frames(mouse), (QList<QByteArray>{
                                    "00 01 08 00 00 00 00 00 f6", // 125 Hz
                                    "00 11 08 08 00 00 00 00 de", // DPI stages
                                    "00 0b 03 00 00 00 00 00 f1", // stage 3
                                    "00 10 02 04 00 00 00 00 e9", // stage colour ids
                                    "00 10 00 18 00 00 00 00 d7", // lighting colours
                                    "00 0d 03 00 0a 00 00 00 e5", // breathing, slowest
                                    "00 12 01 40 08 00 00 00 a4", // key table 1
                                    "00 13 03 80 00 00 00 00 69", // the macro key 2 plays
                                }));
        const QList<QByteArray> data = outputs(mouse);
        QCOMPARE(data.size(), 1 + 1 + 1 + 2 + 4);
        QCOMPARE(data.mid(0, 5),
                 (QList<QByteArray>{
                     report("00 09 13 27 80 80 80 80 80"), // 1000, 2000, 4000 dpi, the rest off
                     report("00 67 45 23 01"),             // ids 7 … 0, two a byte
                     report("00 ff 00 00 ff 00 00 ff 00 00 ff 00 00 ff 00 00 ff 00 00 ff 00 00 "
                            "ff 00 00"),
                     report("00 01 00 f0 00 01 00 f1 00 09 00 03 00 01 00 f4 00 03 00 e9 00 07 "
                            "00 03 00 0b 00 00 00 07 00 03 00"),
                     report("00 05 00 03 00 03 00 8a 01 03 00 23 02 03 00 94 01 00 00 00 00 00 "
                            "00 00 00 04 00 01 00 04 00 02 00"),
                 }));
        mouse.clearLog();
        view->applyProfile(1);
        QCOMPARE(frames(mouse), QList<QByteArray>());

        // Back: the same places with profile 0's content; the macro stays where it is.
        view->applyProfile(0);
        const QList<QByteArray> back = frames(mouse);
        QCOMPARE(back.size(), 7);
        QCOMPARE(back.at(5), QByteArray("00 0d 01 ff 00 00 00 00 f2")); // static, brightest
        QCOMPARE(outputs(mouse).at(2), report("00 10 10 10 10 10 10 10 10 10 10 10 10 10 10 10 "
                                              "10 10 10 10 10 10 10 10 10"));
        QVERIFY(prompt.warnings.isEmpty());
    }

    // A switch asked for while another is being sent: the mouse ends with the last one.
    void theLastProfileAskedForWins() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp(false));
        myQQuickView *view = widget.view();
        ProfileApplier *applier = view->profileApplier();
        view->applyProfile(0);
        mouse.clearLog();
        QSignalSpy applied(applier, &ProfileApplier::applied);
        // Delivered while the switch to profile 2 waits for the link after its first set.
        QTimer::singleShot(0, view, [view] { view->applyProfile(2); });
        view->applyProfile(1);
        QCOMPARE(applied.size(), 1);
        QCOMPARE(applied.first().value(0).toInt(), 2);
        QCOMPARE(view->currentProfileIndex(), 2);
        const QList<QByteArray> sent = frames(mouse);
        QCOMPARE(sent.first(), QByteArray("00 01 08 00 00 00 00 00 f6")); // profile 2's first
        QCOMPARE(sent.mid(sent.size() - 2),
                 (QList<QByteArray>{"00 01 02 00 00 00 00 00 fc", "00 0b 04 00 00 00 00 00 f0"}));
        for (const PreparedSet &set : applier->setsFor(2))
            QVERIFY(widget.deviceLink().sentRecord().holds(set));
    }

    // A set the unplugged mouse never took is not remembered as sent; what a re-plugged mouse
    // is given is the kernel unplug test's.
    void aSetTheGoneMouseMissedIsNotRemembered() {
        VirtualMouse mouse;
        RecordingPrompt prompt;
        Widget widget;
        QVERIFY(widget.startUp(false));
        widget.view()->applyProfile(1);
        qputenv("Q7_VIRTUAL_FAULT", "unplug-after:0");
        mouse.restart();
        widget.view()->ui_0BH_SetCurrentDPIStage(3);
        widget.deviceLink().waitForSend();
        qunsetenv("Q7_VIRTUAL_FAULT");
        QVERIFY(widget.deviceLink().sentRecord().isEmpty());
    }

    void rulesFollowTheFocus() {
        RuleStore rules;
        QVERIFY(rules.addRule(QStringLiteral("firefox"), 2));
        QVERIFY(rules.addRule(QStringLiteral("Steam"), 5));
        QList<int> applied;
        ProfileFollower follower(rules, [&applied](int p) { applied.append(p); });
        FakeFocus focus;
        connect(&focus, &FakeFocus::focusChanged, &follower, &ProfileFollower::focusChanged);
        emit focus.focusChanged(QStringLiteral("firefox"));
        emit focus.focusChanged(QStringLiteral("firefox")); // the same window again: nothing
        emit focus.focusChanged(QString());                 // between windows: nothing
        emit focus.focusChanged(QStringLiteral("steam"));   // case differs: still its rule
        emit focus.focusChanged(QStringLiteral("xterm"));   // no rule, no default: nothing
        QCOMPARE(applied, (QList<int>{2, 5}));
        QVERIFY(rules.setDefaultProfile(0));
        follower.setOwnNames({QStringLiteral("q7config")});
        emit focus.focusChanged(QStringLiteral("firefox"));
        emit focus.focusChanged(QStringLiteral("xterm"));
        emit focus.focusChanged(QStringLiteral("q7config")); // our own window: as it is
        QCOMPARE(applied, (QList<int>{2, 5, 2, 0}));
        QVERIFY(rules.setRulesOn(false));
        emit focus.focusChanged(QStringLiteral("Steam"));
        QCOMPARE(applied.size(), 4);
        // Everything survives a restart of the program.
        const RuleStore again;
        QCOMPARE(again.profileFor(QStringLiteral("Steam")), std::optional<int>(5));
        QCOMPARE(again.defaultProfile(), std::optional<int>(0));
        QVERIFY(!again.rulesOn());
    }

    void badNamesAreRefusedAndNothingIsLost() {
        RuleStore rules;
        QVERIFY(rules.addRule(QStringLiteral("game"), 1));
        QString error;
        for (const QString &bad : {QString(), QStringLiteral("  "), QStringLiteral("a\nb"),
                                   QStringLiteral("a\x01"), QString(300, QLatin1Char('x'))}) {
            QVERIFY(!rules.addRule(bad, 1, &error));
            QVERIFY(!error.isEmpty());
        }
        QVERIFY(!rules.addRule(QStringLiteral("game"), 10, &error));
        QCOMPARE(RuleStore().rules().size(), 1);

        // A hand-edited file with one broken entry: the rest is read, and the first write keeps
        // the file as it was beside it.
        QFile file(RuleStore::defaultPath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("[rules]\n7\\application=\n7\\profile=3\n8\\application=other\n8\\profile=4\n"
                   "[broken");
        file.close();
        RuleStore damaged;
        QVERIFY(!damaged.problem().isEmpty());
        QCOMPARE(damaged.profileFor(QStringLiteral("other")), std::optional<int>(3));
        const QByteArray before = [] {
            QFile f(RuleStore::defaultPath());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(damaged.addRule(QStringLiteral("third"), 2));
        QFile kept(RuleStore::defaultPath() + QStringLiteral(".damaged"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
        QCOMPARE(RuleStore().rules().size(), 3); // game, other, third
    }
};

QTEST_MAIN(ProfileSwitchTest)
#include "ProfileSwitchTest.moc"
