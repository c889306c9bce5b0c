// q7ctl as a user runs it: the real binary with the virtual mouse preloaded.
#include "DeviceLock.h"
#include "Hid_Thread.h"
#include "ProcessRun.h"
#include "TreeCopy.h"
#include "VirtualMouse.h"
#include "WireDescrambler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class Q7ctlTest : public QObject {
    Q_OBJECT

    // q7ctl copied with a fresh modules/ beside it: calls may change the files there.
    QTemporaryDir m_install;
    QString m_q7ctl;

    using Run = ProcessRun;

    // The mouse's 64-byte key table with every key unassigned, as one JSON argument.
    static QString emptyKeyTable() {
        QStringList zeros;
        for (int i = 0; i < 64; ++i)
            zeros.append(QStringLiteral("0"));
        return QLatin1Char('[') + zeros.join(QLatin1Char(',')) + QLatin1Char(']');
    }

    static QByteArray readAll(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    Run q7ctl(const VirtualMouse &mouse, const QStringList &args, const QString &faults = {},
              const QStringList &extraEnv = {}) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VIRTUAL_MOUSE_PATH));
        env.insert(QStringLiteral("Q7_VIRTUAL_STATE"), mouse.statePath());
        env.insert(QStringLiteral("Q7_VIRTUAL_LOG"), mouse.logPath());
        env.remove(QStringLiteral("Q7_VIRTUAL_FAULT"));
        // No session bus: a window the developer has open must not take these calls.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + m_install.filePath(QStringLiteral("no-bus")));
        if (!faults.isEmpty())
            env.insert(QStringLiteral("Q7_VIRTUAL_FAULT"), faults);
        for (const QString &pair : extraEnv)
            env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(env);
        process.start(m_q7ctl, args);
        return ProcessRun::finish(process, 30000);
    }

    // q7ctl call SLOT ARGS...
    Run call(const VirtualMouse &mouse, const QStringList &slotAndArgs, const QString &faults = {},
             const QStringList &extraEnv = {}) const {
        return q7ctl(mouse, QStringList{QStringLiteral("call")} + slotAndArgs, faults, extraEnv);
    }

private slots:
    void initTestCase() {
        // Device locks live in the runtime folder: a private one keeps other runs out.
        const QString tmp = m_install.filePath(QStringLiteral("tmp"));
        const QString runtime = m_install.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(tmp) && QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("TMPDIR", tmp.toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        m_q7ctl = m_install.filePath(QStringLiteral("q7ctl"));
        QVERIFY(QFile::copy(QStringLiteral(Q7CTL_PATH), m_q7ctl));
        QVERIFY(copyTree(QStringLiteral(Q7_MODULES_SOURCE),
                         m_install.filePath(QStringLiteral("modules"))));
    }

    // Bad calls, and values the types let through but the mouse or the files must not get.
    void refusesBadCallsBeforeTouchingAnything_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString zeros = emptyKeyTable();
        QTest::newRow("no command") << QStringList{} << "usage:";
        QTest::newRow("unknown slot") << QStringList{"call", "nope"} << "no slot named \"nope\"";
        QTest::newRow("too many") << QStringList{"call", "initUI", "1"}
                                  << "initUI takes 0 argument(s), 1 given";
        QTest::newRow("wrong type") << QStringList{"call", "playMedia_Index", "\"x\""}
                                    << "must be a whole number from 0 to 255";
        QTest::newRow("out of range") << QStringList{"call", "playMedia_Index", "256"}
                                      << "must be a whole number from 0 to 255";
        QTest::newRow("malformed JSON")
            << QStringList{"call", "setEnableAudio", "tru"} << "not a JSON value";
        QTest::newRow("empty key table")
            << QStringList{"call", "ui_12H_SetKeyMatrix", "[]"}
            << "argument 1 (src64) must be 64 whole numbers from 0 to 255";
        QTest::newRow("no left button")
            << QStringList{"call", "ui_12H_SetKeyMatrix", zeros} << "no key keeps the left button";
        QTest::newRow("misspelt macro")
            << QStringList{"call", "ui_13H_SetMacroKey", "1", "\"Macro. 01\""}
            << "argument 2 (name) must be the name of an existing macro";
        QTest::newRow("stage the mouse refuses")
            << QStringList{"call", "ui_0BH_SetCurrentDPIStage", "100"}
            << "argument 1 (dpiStage) must be a whole number from 1 to 8";
        QTest::newRow("short DPI lists")
            << QStringList{"call", "ui_11H_SetDPISet", "2", "[1,2]", "[null,{\"a\":[1]}]"}
            << "argument 2 (src8) must be 8 whole numbers";
        QTest::newRow("objects in a DPI list")
            << QStringList{"call", "ui_11H_SetDPISet", "2", "[1,2,3,4,5,6,7,8]",
                           "[null,{\"a\":[1]},3,4,5,6,7,8]"}
            << "argument 3 (valueForIndex) must be 8 whole numbers";
        QTest::newRow("rate the mouse ignores") << QStringList{"call", "ui_01H_SetReportRate", "3"}
                                                << "argument 1 (rate) must be one of 1, 2, 4, 8";
        QTest::newRow("keyboard slot")
            << QStringList{"call", "ui_09H_SetKeyboardMode", "1"} << "applies to a keyboard only";
        QTest::newRow("text where a weapon number belongs")
            << QStringList{"call", "saveGundata", "0", "[\"AKM\",\"three\"]"}
            << "argument 2 (gunData): up to 84 values, per weapon a name and six whole numbers";
        QTest::newRow("nested settings") << QStringList{"call", "saveApConfig", "[[1],{\"a\":1}]"}
                                         << "numbers, strings or booleans";
    }
    void refusesBadCallsBeforeTouchingAnything() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        VirtualMouse mouse;
        const QString profile = m_install.filePath(QStringLiteral("modules/setting/p1.bin"));
        const QString config = m_install.filePath(QStringLiteral("modules/setting/apConfig.bin"));
        const QByteArray profileBefore = readAll(profile), configBefore = readAll(config);
        const Run r = q7ctl(mouse, args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(mouse.reports(QStringLiteral("feature_out")).isEmpty());
        QCOMPARE(readAll(profile), profileBefore);
        QCOMPARE(readAll(config), configBefore);
    }

    void weaponNamesAreStored() {
        VirtualMouse mouse;
        const Run saved = call(mouse, {"saveGundata", "1", "[\"My rifle\",3,0,9,2,1,1]"});
        QVERIFY2(saved.exitCode == 0, qPrintable(saved.err));
        const Run read = call(mouse, {"getGundata", "1"});
        // Numbers come back as numbers, so the list can be given back to saveGundata.
        QVERIFY2(read.out.startsWith(QStringLiteral("[\"My rifle\",3,0,9,2,1,1,")),
                 qPrintable(read.out));
    }

    void listsEachSlotsDomainAndYesLetsTheLastLeftButtonGo() {
        VirtualMouse mouse;
        const Run listed = q7ctl(mouse, {QStringLiteral("slots")});
        QCOMPARE(listed.exitCode, 0);
        QVERIFY(listed.out.contains(QStringLiteral("playMedia_Index(uchar index)\n")));
        QVERIFY(listed.out.contains(
            QStringLiteral("ui_12H_SetKeyMatrix(QVariantList src64)\n    for the mouse only\n"
                           "    src64: 64 whole numbers from 0 to 255\n")));
        const Run r = q7ctl(mouse, {"--yes", "call", "ui_12H_SetKeyMatrix", emptyKeyTable()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(mouse.reports(QStringLiteral("output")).size(), 2);
    }

    // The window keeps its silent presets; q7ctl names the command and the cause.
    void failedExchangesExit5_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("call");
        QTest::addColumn<QString>("message");
        QString guns = QStringLiteral("[1,0,240,0");
        for (int n = 1; n < 16; ++n)
            guns += n == 5 ? QStringLiteral(",8,0,1,5") : QStringLiteral(",0,0,0,0");
        guns += QLatin1Char(']');
        QTest::newRow("write failed")
            << "write-error" << QStringList{"ui_0BH_SetCurrentDPIStage", "3"}
            << "command 0x0b: write failed";
        QTest::newRow("no answer")
            << "stall" << QStringList{"ui_92H_GetKeyMatrix"} << "command 0x92: no answer";
        QTest::newRow("link busy")
            << "slow:800" << QStringList{"ui_12H_SetKeyMatrix", guns} << "command 0x12: link busy";
        QTest::newRow("options unread")
            << "no-answer" << QStringList{"setScrollPinSwap", "true"} << "command 0x83: no answer";
    }
    void failedExchangesExit5() {
        QFETCH(QString, fault);
        QFETCH(QStringList, call);
        QFETCH(QString, message);
        VirtualMouse mouse;
        const Run r = this->call(mouse, call, fault);
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains(QStringLiteral("q7ctl: ") + message), qPrintable(r.err));
    }

    void aSlotThatRefusesExits5() {
        VirtualMouse mouse;
        const QString factory = m_install.filePath(QStringLiteral("modules/setting/pD.bin"));
        const QByteArray kept = readAll(factory);
        QFile broken(factory);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray("\x00\x01\x02\xff binary", 12));
        broken.close();
        const Run r = call(mouse, {"resetProfile", "0"});
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(kept);
        broken.close();
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains(QStringLiteral("kept as it is")), qPrintable(r.err));
    }

    void printsResultsAsJson() {
        VirtualMouse mouse;
        Run r = call(mouse, {"ui_91H_SyncDPI"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("8\n"));
        r = call(mouse, {"getSensorType"});
        QCOMPARE(r.out, QStringLiteral("3\n")); // a QVariant result
        r = call(mouse, {"chkLanguages"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject languages = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(languages.value(QStringLiteral("ENGLISH")).toString(), QStringLiteral("031000"));
        r = call(mouse, {"getKeydefine", "0"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith(QLatin1Char('[')) && r.out.count(QLatin1Char(',')) == 3,
                 qPrintable(r.out));
    }

    void confirmationsNeedYes() {
        VirtualMouse mouse;
        QCOMPARE(call(mouse, {"getMsgAns_FoolProofing"}).out, QStringLiteral("false\n"));
        QCOMPARE(q7ctl(mouse, {"--yes", "call", "getMsgAns_FoolProofing"}).out,
                 QStringLiteral("true\n"));
    }

    // A setting the desktop did not take exits 5 and says why; the profile keeps the index.
    void pointerSettingsNotTaken_data() {
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<QString>("why");
        // The schema installed, no session bus: GSettings writes, dconf never commits.
        QTest::newRow("GNOME without dconf")
            << QStringList{"XDG_CURRENT_DESKTOP=GNOME", "GSETTINGS_BACKEND=dconf",
                           "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent", "DISPLAY="}
            << "dconf did not commit it";
        QTest::newRow("GNOME in memory")
            << QStringList{"XDG_CURRENT_DESKTOP=GNOME", "GSETTINGS_BACKEND=memory"}
            << "in this process only";
        QTest::newRow("no desktop") << QStringList{"XDG_CURRENT_DESKTOP=",
                                                   "XDG_SESSION_TYPE=tty",
                                                   "DISPLAY=",
                                                   "WAYLAND_DISPLAY=",
                                                   "SWAYSOCK=",
                                                   "HYPRLAND_INSTANCE_SIGNATURE=",
                                                   "KDE_FULL_SESSION="}
                                    << "no desktop we can set the pointer on";
    }
    void pointerSettingsNotTaken() {
        QFETCH(QStringList, env);
        QFETCH(QString, why);
        VirtualMouse mouse;
        QTemporaryDir config;
        env << QStringLiteral("XDG_CONFIG_HOME=") + config.path();
        const Run r = call(mouse, {"setCursorSpeed", "9"}, {}, env);
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains(QStringLiteral("setCursorSpeed: the desktop did not take")) &&
                     r.err.contains(why),
                 qPrintable(r.err));
        QCOMPARE(call(mouse, {"getCursorSpeed"}, {}, env).out, QStringLiteral("9\n"));
    }

    void unwritableProfileExits5() {
        VirtualMouse mouse;
        // A folder in place of the first profile fails its writes, for root too.
        const QString profile = m_install.filePath(QStringLiteral("modules/setting/p1.bin"));
        const QString kept = profile + QStringLiteral(".kept");
        QVERIFY(QFile::rename(profile, kept));
        QVERIFY(QDir().mkpath(profile));
        const Run r = call(mouse, {"ui_0BH_SetCurrentDPIStage", "5"});
        QVERIFY(QDir().rmdir(profile));
        QVERIFY(QFile::rename(kept, profile));
        QCOMPARE(r.exitCode, 5);
        QCOMPARE(r.err.count(QStringLiteral("p1.bin could not be saved")), 1);
    }

    // The set frames the mouse took, plain, and the bulk data after each.
    static QList<QByteArray> sets(const VirtualMouse &mouse) {
        QList<QByteArray> frames;
        for (const VirtualMouse::Report &r : mouse.log()) {
            if (r.kind == QLatin1String("feature_out") && !r.refused) {
                const QByteArray plain = descrambleWireFrame(r.bytes);
                if (uchar(plain[1]) < 0x80)
                    frames.append(plain);
            } else if (r.kind == QLatin1String("output") && !frames.isEmpty()) {
                frames.last() += r.bytes.mid(1);
            }
        }
        return frames;
    }

    // The last set of that code; of the key tables the first, which holds the keys as given
    // (the others are its gun-switch steps).
    static QByteArray lastSet(const VirtualMouse &mouse, uchar code) {
        QByteArray found;
        for (const QByteArray &frame : sets(mouse))
            if (uchar(frame[1]) == code && (found.isEmpty() || code != 0x12))
                found = frame;
        return found;
    }

    // Each word as a user types it: its frame on the wire, and the value it prints back. The
    // stage and rate words are the D-Bus test's, through the same actions.
    void wordsReachTheMouse_data() {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QByteArray>("frame"); // plain frame bytes 1 … 4
        QTest::addColumn<int>("bulkAt");
        QTest::addColumn<QByteArray>("bulk");
        // Breathing is effect 3, which takes no brightness; speed step 5 gives 4.
        QTest::newRow("lighting") << QStringList{"lighting", "breathing", "--brightness",
                                                 "3",        "--speed",   "5"}
                                  << "breathing --brightness 3 --speed 5" << bytesOf("0d 03 00 04")
                                  << 0 << QByteArray();
        // The virtual mouse's sensor (type 3): 800 is 0x07, 1600 0x0f, a stage off 0x80.
        QTest::newRow("dpi-stages")
            << QStringList{"dpi-stages", "800", "1600"} << "800 1600 0 0 0 0 0 0"
            << bytesOf("11 08 08 00") << 9 << bytesOf("07 0f 80 80 80 80 80 80");
        // Key 10's record: a consumer key (3), volume up is usage 0x00e9.
        QTest::newRow("key") << QStringList{"key", "side-button-1", "volume-up"} << "volume-up"
                             << bytesOf("12") << 9 + 9 * 4 << bytesOf("03 00 e9 00");
    }
    void wordsReachTheMouse() {
        QFETCH(QStringList, set);
        QFETCH(QString, printed);
        QFETCH(QByteArray, frame);
        QFETCH(int, bulkAt);
        QFETCH(QByteArray, bulk);
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, set);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out, printed + QLatin1Char('\n'));
        const QByteArray sent = lastSet(mouse, uchar(frame[0]));
        QCOMPARE(sent.mid(1, frame.size()), frame);
        QCOMPARE(sent.mid(bulkAt, bulk.size()), bulk);
        // Without its value the word prints what the profile now holds.
        const QStringList get = set.first() == QLatin1String("key") ? set.mid(0, 2) : set.mid(0, 1);
        QCOMPARE(q7ctl(mouse, get).out, printed + QLatin1Char('\n'));
    }

    void badWordsExit2WithWhatIsAccepted_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown word")
            << QStringList{"frobnicate"} << "the words are: slots, call, profile, dpi, dpi-stages";
        QTest::newRow("stage word")
            << QStringList{"dpi", "up"} << "a stage from 1 to 8, next or prev";
        QTest::newRow("effect") << QStringList{"lighting", "sparkle"}
                                << "one of static, twinkling, breathing";
        QTest::newRow("brightness") << QStringList{"lighting", "wave", "--brightness", "9"}
                                    << "brightness and speed are 0 to 7";
        QTest::newRow("key name") << QStringList{"key", "thumb", "a"} << "side-button-1";
        QTest::newRow("function") << QStringList{"key", "1", "frobnicate"} << "dpi-switch";
        QTest::newRow("DPI value") << QStringList{"dpi-stages", "801"} << "600, 800, 1000";
        QTest::newRow("colour") << QStringList{"colour", "1", "green"} << "#RRGGBB";
        QTest::newRow("macro word") << QStringList{"macro", "rename"} << "list, show NAME";
        QTest::newRow("bare file slot") << QStringList{"call", "saveProfile", "0"}
                                        << "needs a file; use: q7ctl profile export N FILE";
    }
    void badWordsExit2WithWhatIsAccepted() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(sets(mouse).isEmpty());
    }

    void profilesAndMacrosToAndFromFiles() {
        VirtualMouse mouse;
        QTemporaryDir files;
        const QString exported = files.filePath(QStringLiteral("two.pf"));
        QCOMPARE(q7ctl(mouse, {"profile", "export", "2", exported}).exitCode, 0);
        const QByteArray two =
            readAll(m_install.filePath(QStringLiteral("modules/setting/p2.bin")));
        QCOMPARE(readAll(exported), two);
        QCOMPARE(q7ctl(mouse, {"profile", "import", "9", exported}).exitCode, 0);
        QCOMPARE(readAll(m_install.filePath(QStringLiteral("modules/setting/p9.bin"))), two);
        // A file that is not a profile leaves the profile as it was.
        const QString junk = files.filePath(QStringLiteral("junk.pf"));
        QFile(junk).open(QIODevice::WriteOnly);
        const Run refused = q7ctl(mouse, {"profile", "import", "9", junk});
        QCOMPARE(refused.exitCode, 5);
        QVERIFY2(refused.err.contains(QStringLiteral("kept as it is")), qPrintable(refused.err));
        QCOMPARE(readAll(m_install.filePath(QStringLiteral("modules/setting/p9.bin"))), two);

        const QString name = call(mouse, {"createMacroIni"}).out.trimmed();
        QVERIFY(
            call(mouse, {"saveMacroIni", name, "[\"A      [按下]\",\"A      [松开]\"]"}).exitCode ==
            0);
        const QString macroFile = files.filePath(QStringLiteral("mine.bin"));
        QCOMPARE(
            q7ctl(mouse, {"macro", "export", name.mid(1, name.size() - 2), macroFile}).exitCode, 0);
        const Run imported = q7ctl(mouse, {"macro", "import", "Jump twice", macroFile});
        QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
        QCOMPARE(imported.out, QStringLiteral("Jump twice\n"));
        QVERIFY(
            q7ctl(mouse, {"macro", "list"}).out.split('\n').contains(QStringLiteral("Jump twice")));
        QCOMPARE(q7ctl(mouse, {"macro", "show", "Jump twice"}).out,
                 QStringLiteral("A      [按下]\nA      [松开]\n"));
        QCOMPARE(q7ctl(mouse, {"macro", "import", "../out", macroFile}).exitCode, 2);
    }

    // Without the window the profile is applied here: the mouse is given all of it (nothing is
    // known of what it holds), then q7ctl ends.
    void aProfileIsAppliedWithoutTheWindow() {
        VirtualMouse mouse;
        const Run r = q7ctl(mouse, {"profile", "3"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("3\n"));
        const QList<QByteArray> sent = sets(mouse);
        QVERIFY(sent.size() >= 5);
        QVERIFY(std::any_of(sent.cbegin(), sent.cend(), [](const QByteArray &f) {
            return f.startsWith(bytesOf("0012014008"));
        }));
        const Run status = q7ctl(mouse, {"status", "--json"});
        QCOMPARE(status.exitCode, 0);
        const QJsonObject s = QJsonDocument::fromJson(status.out.toUtf8()).object();
        QCOMPARE(s.value(QStringLiteral("keys")).toArray().size(), 14);
        QVERIFY(q7ctl(mouse, {"status"}).out.contains(QStringLiteral("polling rate")));
    }

    // Rule words need no mouse; names the desktop could never report are refused.
    void rulesFromTheCommandLine() {
        VirtualMouse mouse;
        QCOMPARE(q7ctl(mouse, {"rule", "add", "Steam Game", "4"}).exitCode, 0);
        QCOMPARE(q7ctl(mouse, {"rule", "add", "firefox", "2"}).exitCode, 0);
        QCOMPARE(q7ctl(mouse, {"rule", "default", "1"}).exitCode, 0);
        QCOMPARE(q7ctl(mouse, {"rule", "remove", "firefox"}).exitCode, 0);
        QCOMPARE(q7ctl(mouse, {"rule", "list"}).out, QStringLiteral("4 Steam Game\ndefault 1\n"));
        QCOMPARE(q7ctl(mouse, {"rules", "off"}).exitCode, 0);
        QCOMPARE(q7ctl(mouse, {"rules"}).out, QStringLiteral("off\n"));
        QCOMPARE(q7ctl(mouse, {"rule", "add", "bad\tname", "2"}).exitCode, 2);
        QCOMPARE(q7ctl(mouse, {"rule", "add", "x", "11"}).exitCode, 2);
        QCOMPARE(q7ctl(mouse, {"rule", "remove", "nothing"}).exitCode, 5);
        QCOMPARE(q7ctl(mouse, {"rule", "frob"}).exitCode, 2);
        QCOMPARE(q7ctl(mouse, {"rule", "list"}, QStringLiteral("absent")).exitCode, 0);
        QFile::remove(m_install.filePath(QStringLiteral("modules/setting/profileRules.ini")));
    }

    void refusesWhileTheProgramHoldsTheMouse() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        DeviceLock lock(DeviceLock::keyFor(hid.currentEntry()),
                        QStringLiteral("the q7config window"));
        QVERIFY(lock.tryLock());
        const Run r = call(mouse, {"initUI"});
        QCOMPARE(r.exitCode, 4);
        QVERIFY2(r.err.contains(QStringLiteral("in use by the q7config window (pid ")),
                 qPrintable(r.err));
        lock.unlock();
        QCOMPARE(call(mouse, {"initUI"}).exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(Q7ctlTest)
#include "Q7ctlTest.moc"
