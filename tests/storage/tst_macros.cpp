#include "ConsolePrompt.h"
#include "DeviceType.h"
#include "LanguageStore.h"
#include "MacroEncoder.h"
#include "MacroImage.h"
#include "MacroLibrary.h"
#include "MacroLine.h"
#include "SandboxFixture.h"
#include "StorageFailures.h"
#include "StoragePaths.h"
#include "StorageSandbox.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

namespace {

QString press(const QString &key) {
    return MacroLine::make(key, MacroLine::Kind::Press);
}
QString release(const QString &key) {
    return MacroLine::make(key, MacroLine::Kind::Release);
}
QString delay(const QString &ms) {
    return MacroLine::make(ms, MacroLine::Kind::Delay);
}
QString delay(int ms) {
    return delay(QString::number(ms));
}

QByteArray hex(const char *text) {
    return QByteArray::fromHex(text);
}

QByteArray encoded(const QStringList &lines, int deviceType) {
    return MacroEncoder::join(MacroEncoder::encode(lines, deviceType));
}

QStringList keyStrokes(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << press("A") << release("A");
    return lines;
}

struct SentMacro {
    int deviceType;
    int macroId;
    QString name;
};

} // namespace

class MacrosTest : public QObject, SandboxFixture {
    Q_OBJECT

    MacroLibrary library() {
        return MacroLibrary(
            m_languages, [this] { return m_deviceType; },
            [this](int type, int id, const QString &name) {
                m_sent.append({type, id, name});
            },
            m_failures);
    }

    StorageFailures m_failures;
    LanguageStore m_languages;
    int m_deviceType = DeviceType::mouse;
    QList<SentMacro> m_sent;

private slots:
    void init() {
        startSandbox();
        m_deviceType = DeviceType::mouse;
        m_sent.clear();
        m_failures = StorageFailures();
        m_languages.getGlobalStrings("031000");
    }

    void cleanup() { endSandbox(); }

    void encodesBothDialects_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<QByteArray>("bytes");
        const int kb = DeviceType::keyboard;
        const int ms = DeviceType::mouse;

        const QStringList aWithDelay{press("A"), delay(1000), release("A")};
        QTest::newRow("keyboard press, delay, release")
            << aWithDelay << kb << hex("0001 0104 7f000064 8104 0000");
        QTest::newRow("mouse folds 1000 ms into the press")
            << aWithDelay << ms << hex("0001 6404 8104 0000");
        QTest::newRow("keyboard delay below 10 ms is 0 units")
            << QStringList{press("A"), delay(5)} << kb << hex("0001 0104 7f000000 0000");
        QTest::newRow("keyboard 65535 ms")
            << QStringList{delay(65535)} << kb << hex("0001 7f001999 0000");

        QTest::newRow("mouse 5 ms folds as 1")
            << QStringList{press("A"), delay(5)} << ms << hex("0001 0104 0000");
        QTest::newRow("mouse 1270 ms still folds")
            << QStringList{press("A"), delay(1270)} << ms << hex("0001 7f04 0000");
        QTest::newRow("mouse fold keeps the release bit")
            << QStringList{release("B"), delay(30)} << ms << hex("0001 8305 0000");
        QTest::newRow("mouse 1271 ms is medium")
            << QStringList{press("A"), delay(1271)} << ms << hex("0001 0104 4001 0000");
        QTest::newRow("mouse 5100 ms is medium")
            << QStringList{press("A"), delay(5100)} << ms << hex("0001 0104 ff01 0000");
        QTest::newRow("mouse 5101 ms is long")
            << QStringList{press("A"), delay(5101)} << ms << hex("0001 0104 000100ff 0000");
        QTest::newRow("mouse 65535 ms is long")
            << QStringList{press("A"), delay(65535)} << ms << hex("0001 0104 00010ccd 0000");
        QTest::newRow("keyboard delay longer than the device holds is the longest")
            << QStringList{delay(700000), delay(2147483647)} << kb
            << hex("0001 7f00ffff 7f00ffff 0000");
        QTest::newRow("mouse delay longer than the device holds is the longest")
            << QStringList{press("A"), delay(1310700), delay(1310720), delay(2147483647)} << ms
            << hex("0001 0104 0001ffff 0001ffff 0001ffff 0000");
        QTest::newRow("mouse delay first is long")
            << QStringList{delay(1000)} << ms << hex("0001 00010032 0000");
        QTest::newRow("mouse short first delay at least one unit")
            << QStringList{delay(5)} << ms << hex("0001 00010001 0000");
        QTest::newRow("mouse second delay in a row is long")
            << QStringList{press("A"), delay(100), delay(100)} << ms
            << hex("0001 0a04 00010005 0000");
        QTest::newRow("mouse fold after an unmapped key lands on the pair before")
            << QStringList{press("A"), press("Hyper"), delay(200)} << ms << hex("0001 1404 0000");
        QTest::newRow("mouse fold with nothing before lands on the header")
            << QStringList{press("Hyper"), delay(200)} << ms << hex("1401 0000");
        QTest::newRow("skipped delays")
            << QStringList{press("A"), delay(0), delay("abc"), delay(-5), delay(""), release("A")}
            << ms << hex("0001 0104 8104 0000");
        QTest::newRow("marker after five spaces is no marker")
            << QStringList{"A     [按下]", press("B")} << ms << hex("0001 0105 0000");
        QTest::newRow("unknown marker and unmapped keys are left out")
            << QStringList{"A   [pressed]", press("KP 7"), press("KP 7 "), release("MS-L")} << kb
            << hex("0001 015f 81f0 0000");
        QTest::newRow("other device types keep keys, drop delays")
            << aWithDelay << 2 << hex("0001 0104 8104 0000");
        QTest::newRow("empty macro") << QStringList{} << ms << hex("0001 0000");
    }

    void encodesBothDialects() {
        QFETCH(QStringList, lines);
        QFETCH(int, deviceType);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encoded(lines, deviceType).toHex(' '), bytes.toHex(' '));
    }

    void qmlGetsTheBytesOfTheConnectedDevice() {
        int type = DeviceType::keyboard;
        const MacroEncoder encoder([&type] { return type; });
        const QStringList lines{press("A"), delay(1000), release("A")};
        QCOMPARE(encoder.macroIncode(lines),
                 (QVariantList{0, 1, 1, 4, 0x7f, 0, 0, 0x64, 0x81, 4, 0, 0}));
        type = DeviceType::mouse;
        QCOMPARE(encoder.macroIncode(lines), (QVariantList{0, 1, 0x64, 4, 0x81, 4, 0, 0}));
    }

    void longMacrosAreCutAfterTheLastWholeRecord_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QByteArray>("tail"); // the end of the image, padding included

        // 94 pairs fill the keyboard image exactly: 2 + 188 + 2 bytes.
        QTest::newRow("keyboard exactly full")
            << keyStrokes(47) << DeviceType::keyboard << false << hex("8104 0000");
        QTest::newRow("keyboard 100 pairs")
            << keyStrokes(50) << DeviceType::keyboard << true << hex("8104 0000");
        // The cut never leaves a key held: the press before a delay that does not fit goes too.
        QStringList delays = keyStrokes(46);
        delays << press("B") << delay(1000) << release("B");
        QTest::newRow("keyboard press before the cut")
            << delays << DeviceType::keyboard << true << hex("8104 0000 00000000");
        QStringList rolls;
        for (int i = 0; i < 20; ++i)
            rolls << press("A") << press("B") << release("A") << release("B");
        QTest::newRow("mouse rolled keys")
            << rolls << DeviceType::mouse << true << hex("8104 8105 0000 00000000");
        QTest::newRow("mouse exactly full")
            << keyStrokes(31) << DeviceType::mouse << false << hex("8104 0000");
        QTest::newRow("mouse 70 pairs")
            << keyStrokes(35) << DeviceType::mouse << true << hex("8104 0000");
    }

    void longMacrosAreCutAfterTheLastWholeRecord() {
        QFETCH(QStringList, lines);
        QFETCH(int, deviceType);
        QFETCH(bool, cut);
        QFETCH(QByteArray, tail);
        const MacroImage image =
            MacroImage::place(MacroEncoder::encode(lines, deviceType), deviceType);
        QCOMPARE(image.wasCut(), cut);
        QCOMPARE(image.bytes().size(), MacroImage::capacity(deviceType));
        QVERIFY2(image.bytes().endsWith(tail), qPrintable(image.bytes().toHex(' ')));
        QCOMPARE(image.bytes().left(4), hex("0001 0104"));
    }

    void createPicksTheFirstFreeNumber() {
        MacroLibrary macros = library();
        QCOMPARE(macros.getMacroIniNames(), QStringList());
        QCOMPARE(macros.createMacroIni().toString(), QString("Macro. 001"));
        QVERIFY(
            StorageSandbox::writeFile(StoragePaths::macro("Macro. 003"), "[config]\ntotal=0\n"));
        QCOMPARE(macros.createMacroIni().toString(), QString("Macro. 002"));
        QCOMPARE(macros.createMacroIni().toString(), QString("Macro. 004"));
        QCOMPARE(macros.getMacroIniNames(), (QStringList{"Macro. 001.bin", "Macro. 002.bin",
                                                         "Macro. 003.bin", "Macro. 004.bin"}));
        QCOMPARE(macros.loadMacroIniConfig("Macro. 001"), (QVariantList{-1, 1}));
        QCOMPARE(macros.loadMacroIni("Macro. 001"), QStringList());
        QVERIFY(macros.deleteMacroIni("Macro. 001").toBool());
        QVERIFY(!macros.deleteMacroIni("Macro. 001").toBool());
        QCOMPARE(macros.createMacroIni().toString(), QString("Macro. 001"));
    }

    void linesRoundTripAndBoundMacrosAreSent() {
        MacroLibrary macros = library();
        const QString name = macros.createMacroIni().toString();
        const QStringList lines{press(", <"), delay(1000), release(", <"), press("KP 7 ")};
        QVERIFY(macros.saveMacroIni(name, lines).toBool());
        QVERIFY(m_sent.isEmpty()); // not bound yet
        QCOMPARE(macros.loadMacroIni(name), lines);
        QVERIFY(macros.saveMacroIni(name, lines.mid(0, 1)).toBool());
        QCOMPARE(macros.loadMacroIni(name), lines.mid(0, 1)); // old lines are gone

        macros.setMacroIniConfig(name, {3, 2});
        QVERIFY(macros.saveMacroIni(name, lines).toBool());
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.at(0).deviceType, int(DeviceType::mouse));
        QCOMPARE(m_sent.at(0).macroId, 4);
        QCOMPARE(m_sent.at(0).name, name);

        m_deviceType = DeviceType::keyboard;
        QVERIFY(macros.saveMacroIni(name, lines).toBool());
        QCOMPARE(m_sent.last().macroId, 3);
        macros.setMacroIniConfig(name, {12, 1});
        m_deviceType = DeviceType::mouse;
        QVERIFY(macros.saveMacroIni(name, lines).toBool());
        QCOMPARE(m_sent.size(), 2); // mouse slots end at 11

        QVERIFY(!macros.saveMacroIni("Nobody", lines).toBool());
        QVERIFY(!QFile::exists(StoragePaths::macro("Nobody")));
        QCOMPARE(macros.loadMacroIni("Nobody"), QStringList());
    }

    void bindingBelongsToTheDeviceTypeThatMadeIt() {
        MacroLibrary macros = library();
        const QString name = macros.createMacroIni().toString();
        m_deviceType = DeviceType::keyboard;
        macros.setMacroIniConfig(name, {5, 7});
        QCOMPARE(macros.loadMacroIniConfig(name), (QVariantList{5, 7}));
        m_deviceType = DeviceType::mouse;
        QCOMPARE(macros.loadMacroIniConfig(name), (QVariantList{-1, 7}));
        macros.setMacroIniConfig(name, {4}); // a short list reads its missing values as zero
        QCOMPARE(macros.loadMacroIniConfig(name), (QVariantList{4, 0}));
        macros.setMacroIniConfig("Nobody", {1, 1});
        QVERIFY(!QFile::exists(StoragePaths::macro("Nobody")));
        QCOMPARE(macros.loadMacroIniConfig("Nobody"), QVariantList());
    }

    void namesFollowFileSystemRulesEverywhere_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("dots at the end") << "Wait..." << true;
        QTest::newRow("longest") << QString(246, 'a') << true;
        QTest::newRow("too long") << QString(247, 'a') << false;
        QTest::newRow("too long in UTF-8") << QString(124, QChar(0x4e2d)) << false;
        QTest::newRow("slash") << "../setting/p1" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("control character") << "a\nb" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("hidden") << ".x" << false;
        QTest::newRow("dot dot") << ".." << false;
    }

    void namesFollowFileSystemRulesEverywhere() {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        MacroLibrary macros = library();
        const QByteArray profile = StorageSandbox::readFile(StoragePaths::profile(0));
        QVERIFY(StorageSandbox::writeFile(StoragePaths::macro("Mine"),
                                          "[config]\ntotal=1\n[macro]\n0=x\n"));

        macros.renameMacroIniFile("Mine", name);
        QCOMPARE(macros.loadMacroIni(name).size(), valid ? 1 : 0);
        int warnings = valid ? 0 : 1;
        QCOMPARE(m_prompt->warningCount(), warnings);
        QCOMPARE(macros.getMacroIniNames().size(), 1); // nothing hides from the list

        // An import of a file of that name; no file name holds a slash, so those rows pick
        // "...bin", whose name is "..", and names too long for the file system have no file.
        const QString picked =
            name.contains('/') ? QString("pick/...bin") : "pick/" + name + ".bin";
        if (StorageSandbox::writeFile(picked, "[config]\ntotal=0\n")) {
            if (valid)
                QVERIFY(macros.deleteMacroIni(name).toBool());
            m_prompt->queueFileName(m_sandbox->path(picked));
            QCOMPARE(macros.loadMacroIniFromFile().toString(), valid ? name : QString());
            QCOMPARE(m_prompt->warningCount(), valid ? 0 : ++warnings);
        }
        if (valid)
            return;
        QVERIFY(!macros.saveMacroIni(name, {press("A")}).toBool());
        QVERIFY(!macros.deleteMacroIni(name).toBool());
        macros.setMacroIniConfig(name, {1, 1});
        QCOMPARE(StorageSandbox::readFile(StoragePaths::profile(0)), profile);
        QCOMPARE(QDir("modules/macro").entryList(QDir::Files), QStringList{"Mine.bin"});
        QCOMPARE(QDir("modules").entryList(QDir::Files), QStringList());
    }

    void renameNeverOverwrites() {
        MacroLibrary macros = library();
        const QString first = macros.createMacroIni().toString();
        const QString second = macros.createMacroIni().toString();
        macros.saveMacroIni(first, {press("A")});
        macros.renameMacroIniFile(first, second);
        QCOMPARE(m_prompt->warningCount(), 1);
        QCOMPARE(macros.loadMacroIni(first), QStringList{press("A")});
        QCOMPARE(macros.loadMacroIni(second), QStringList());
        macros.renameMacroIniFile(first, "Fire burst");
        QCOMPARE(macros.loadMacroIni("Fire burst"), QStringList{press("A")});
        QVERIFY(!QFile::exists(StoragePaths::macro(first)));
    }

    void importReplacesOnlyWithACheckedCopy() {
        MacroLibrary macros = library();
        QVERIFY(StorageSandbox::writeFile(StoragePaths::macro("Burst"),
                                          "[config]\ntotal=1\n[macro]\n0=old\n"));
        QVERIFY(QDir().mkpath("pick"));

        QVERIFY(StorageSandbox::writeFile("pick/Burst.bin", "not a macro at all\n"));
        m_prompt->queueFileName(m_sandbox->path("pick/Burst.bin"));
        QCOMPARE(macros.loadMacroIniFromFile().toString(), QString());
        QCOMPARE(m_prompt->warningCount(), 1);
        QCOMPARE(macros.loadMacroIni("Burst"), QStringList{"old"});

        m_prompt->queueFileName(m_sandbox->path("pick/Gone.bin"));
        QCOMPARE(macros.loadMacroIniFromFile().toString(), QString());
        QCOMPARE(m_prompt->warningCount(), 2);

        QVERIFY(StorageSandbox::writeFile("pick/Burst.bin", "[config]\ntotal=1\n[macro]\n0=new\n"));
        m_prompt->queueFileName(m_sandbox->path("pick/Burst.bin"));
        QCOMPARE(macros.loadMacroIniFromFile().toString(), QString("Burst"));
        QCOMPARE(macros.loadMacroIni("Burst"), QStringList{"new"});
        QCOMPARE(m_prompt->warningCount(), 2);
        QCOMPARE(QDir("modules/macro").entryList(QDir::Files), QStringList{"Burst.bin"});
    }

    void exportCopiesTheMacro() {
        MacroLibrary macros = library();
        const QString name = macros.createMacroIni().toString();
        macros.saveMacroIni(name, {press("A")});
        QVERIFY(StorageSandbox::writeFile("out.bin", "[old]\nk=1\n"));
        m_prompt->queueFileName(m_sandbox->path("out.bin"));
        macros.saveMacroIniToFile(name);
        QCOMPARE(StorageSandbox::readFile("out.bin"),
                 StorageSandbox::readFile(StoragePaths::macro(name)));
        // No dialog for a macro that does not exist: the queued name stays unused.
        m_prompt->queueFileName(m_sandbox->path("other.bin"));
        macros.saveMacroIniToFile("Nobody");
        QVERIFY(!QFile::exists("other.bin"));
    }

    void deviceImageWarnsWhenCut() {
        MacroLibrary macros = library();
        const QString name = macros.createMacroIni().toString();
        macros.saveMacroIni(name, keyStrokes(50));
        macros.setMacroIniConfig(name, {-1, 2});
        const QByteArray mouse = macros.macroImage(DeviceType::mouse, name);
        QCOMPARE(mouse.size(), 128);
        QCOMPARE(mouse.left(2), hex("0002"));
        QCOMPARE(mouse.mid(124, 4), hex("8104 0000"));
        QCOMPARE(m_prompt->warningCount(), 1);
        QCOMPARE(macros.macroImage(DeviceType::keyboard, name).size(), 192);
        QCOMPARE(m_prompt->warningCount(), 2);
        macros.saveMacroIni(name, keyStrokes(2));
        // The keyboard keeps its header whatever the repeat count.
        QCOMPARE(macros.macroImage(DeviceType::keyboard, name).left(10),
                 hex("0001 0104 8104 0104 8104"));
        QCOMPARE(m_prompt->warningCount(), 2);
        QCOMPARE(macros.macroImage(2, name), QByteArray());
    }
};

QTEST_GUILESS_MAIN(MacrosTest)
#include "tst_macros.moc"
