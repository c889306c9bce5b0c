// Damaged files and failing writes: every reader of the program meets each kind of damage and
// must neither crash, hang, nor change another file; every failed write is told once.
#include "AppConfigStore.h"
#include "ConsolePrompt.h"
#include "KeyDefineStore.h"
#include "LanguageStore.h"
#include "MacroLibrary.h"
#include "ProfileStore.h"
#include "RecoilStore.h"
#include "RuleStore.h"
#include "SandboxFixture.h"
#include "SettingsFiles.h"
#include "StoragePaths.h"
#include "StorageSandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

namespace {

// Each kind of damage, made in place of a file.
enum class Damage {
    Empty,
    Truncated,
    Binary,
    Huge,
    BadUtf8,
    Folder,
    Fifo,
    Device,
    WrongTypes,
    LyingCounts,
    Missing // no file at all: what a file dialog may still name
};

bool damage(const QString &path, Damage kind) {
    QFile::remove(path);
    switch (kind) {
    case Damage::Empty:
        return StorageSandbox::writeFile(path, "");
    case Damage::Truncated:
        return StorageSandbox::writeFile(path, "[common]\ntotal=3\n0=1\n[sens");
    case Damage::Binary:
        return StorageSandbox::writeFile(path,
                                         QByteArray::fromHex("89504e470d0a1a0a00ff10") + "=\x01");
    case Damage::Huge:
        return StorageSandbox::writeFile(path,
                                         "[common]\n" + QByteArray(6 * 1024 * 1024, 'x') + "\n");
    case Damage::BadUtf8:
        return StorageSandbox::writeFile(path,
                                         "[font]\nfamily=\xff\xfe\xc3\n[strings]\n1=\xc3\x28\n");
    case Damage::Folder:
        return QDir().mkpath(path);
    case Damage::Fifo:
        return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case Damage::Device:
        return QFile::link(QStringLiteral("/dev/zero"), path);
    case Damage::WrongTypes:
        return StorageSandbox::writeFile(
            path, "[common]\ntotal=abc\n1=@ByteArray(\\xff)\n[config]\ntotal=[1]\nrepeat=x\n"
                  "[gunData]\n0=@Variant(\\0\\0\\0\\x7f)\n[font]\ntotal=-5\n[sensor]\nstage_Q7=@"
                  "Invalid()\n");
    case Damage::LyingCounts:
        return StorageSandbox::writeFile(
            path, "[common]\ntotal=2000000000\n0=1\n1=1\n[config]\ntotal=2000000000\n[macro]\n0=A\n"
                  "[font]\ntotal=2000000000\n[strings]\n1=one\n");
    case Damage::Missing:
        return !QFile::exists(path);
    }
    return false;
}

QMap<QString, QByteArray> snapshot(const QString &except) {
    QMap<QString, QByteArray> files;
    QDirIterator it(QStringLiteral("modules"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir::cleanPath(it.next());
        if (path != QDir::cleanPath(except))
            files.insert(path, StorageSandbox::readFile(path));
    }
    return files;
}

} // namespace

class DamagedFilesTest : public QObject, SandboxFixture {
    Q_OBJECT

private slots:
    void init() { startSandbox(); }
    void cleanup() { endSandbox(); }

    void everyReaderSurvivesEveryDamage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind");
        const QStringList files{StoragePaths::appConfig,          StoragePaths::profile(0),
                                StoragePaths::factoryProfile,     StoragePaths::macro("Burst"),
                                StoragePaths::language("031000"), StoragePaths::gunData("0"),
                                StoragePaths::selectedGunData,    RuleStore::defaultPath()};
        const char *kinds[] = {"empty",  "truncated", "binary", "huge",        "bad UTF-8",
                               "folder", "FIFO",      "device", "wrong types", "lying counts"};
        for (const QString &file : files) {
            for (int kind = 0; kind <= int(Damage::LyingCounts); ++kind)
                QTest::addRow("%s %s", qPrintable(QFileInfo(file).fileName()), kinds[kind])
                    << file << kind;
        }
    }
    void everyReaderSurvivesEveryDamage() {
        QFETCH(QString, file);
        QFETCH(int, kind);
        QVERIFY(damage(file, Damage(kind)));
        const QMap<QString, QByteArray> before = snapshot(file);

        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        ProfileStore profiles(files);
        KeyDefineStore keys(files, [] { return int(DeviceType::mouse); });
        MacroLibrary macros(
            languages, [] { return int(DeviceType::mouse); }, {}, files.failures());
        RecoilStore recoil(files.failures());

        QVERIFY(config.loadApConfig().size() <= 32);
        config.loadDeviceApConfig();
        AppConfigStore::windowTitle();
        config.productName(1);
        config.deviceCode(0);
        for (int page : {0, 2, 3})
            profiles.loadDefaultProfile(uchar(page));
        keys.getKeydefine(0);
        files.profile(0).value(QStringLiteral("sensor/stage_Q7"));
        QVERIFY(languages.getGlobalStrings(QStringLiteral("031000")).size() <= 4097);
        languages.getProductLayoutStrings_Q7(QStringLiteral("031000"));
        languages.chkLanguages();
        macros.getMacroIniNames();
        QVERIFY(macros.loadMacroIni(QStringLiteral("Burst")).size() <= 1);
        macros.loadMacroIniConfig(QStringLiteral("Burst"));
        macros.macroImage(DeviceType::mouse, QStringLiteral("Burst"));
        recoil.getGundata(0);
        for (int key = 0; key < 3; ++key)
            recoil.getSelGundata(key);
        const RuleStore rules;
        QVERIFY(rules.rules().size() <= RuleStore::maximumRules);
        for (const RuleStore::Rule &r : rules.rules())
            QVERIFY(!RuleStore::nameProblem(r.application));

        // Only the damaged file may change, and only when it is a file of ours that was written.
        files.storeAll();
        QCOMPARE(snapshot(file), before);
    }
    void importsTakeRegularSettingsFilesOnly_data() {
        QTest::addColumn<int>("kind");
        for (const Damage kind : {Damage::Empty, Damage::Truncated, Damage::Binary, Damage::Huge,
                                  Damage::Folder, Damage::Fifo, Damage::Device, Damage::Missing})
            QTest::addRow("%d", int(kind)) << int(kind);
    }
    void importsTakeRegularSettingsFilesOnly() {
        QFETCH(int, kind);
        QVERIFY(damage(QStringLiteral("pick.bin"), Damage(kind)));
        const QMap<QString, QByteArray> before = snapshot(QString());
        SettingsFiles files;
        LanguageStore languages;
        ProfileStore profiles(files);
        AppConfigStore config(files, languages);
        MacroLibrary macros(
            languages, [] { return int(DeviceType::mouse); }, {}, files.failures());

        const QVariant stage = files.profile(0).value(QStringLiteral("sensor/stage_Q7"));
        m_prompt->queueFileName(m_sandbox->path(QStringLiteral("pick.bin")));
        profiles.loadProfile(0);
        QCOMPARE(files.profile(0).value(QStringLiteral("sensor/stage_Q7")), stage);
        m_prompt->queueFileName(m_sandbox->path(QStringLiteral("pick.bin")));
        QCOMPARE(macros.loadMacroIniFromFile().toString(), QString());
        m_prompt->queueFileName(m_sandbox->path(QStringLiteral("pick.bin")));
        const QString background = config.getCustomFilePath();
        QCOMPARE(m_prompt->warningCount(), Damage(kind) <= Damage::Huge ? 2 : 3);
        QCOMPARE(background.isEmpty(), Damage(kind) > Damage::Huge);
        QCOMPARE(snapshot(QString()), before);
    }
    void failedWritesAreToldOncePerFile() {
        // A folder in place of the file fails every write, for root too.
        QVERIFY(QFile::remove(StoragePaths::profile(0)));
        QVERIFY(QDir().mkpath(StoragePaths::profile(0)));
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        MacroLibrary macros(
            languages, [] { return int(DeviceType::mouse); }, {}, files.failures());

        for (int speed = 0; speed < 3; ++speed) {
            files.currentProfile().setValue(QStringLiteral("sensor/cursorSpeed_Q7"), speed);
            QVERIFY(!files.storeCurrentProfile());
        }
        QCOMPARE(m_prompt->warningCount(), 1);
        QVERIFY(files.failures().messages().at(0).contains(StoragePaths::profile(0)));
        QVERIFY(files.failures().messages().at(0).contains(QStringLiteral("not a regular file")));
        // The value stays in memory for the run.
        QCOMPARE(files.currentProfile().value(QStringLiteral("sensor/cursorSpeed_Q7")).toInt(), 2);

        config.saveApConfig({1, 1});
        QCOMPARE(m_prompt->warningCount(), 1);
        QVERIFY(!files.storeAll());

        // A macro whose file cannot be written is not offered as made.
        QVERIFY(QDir(StoragePaths::macroDir).removeRecursively());
        QVERIFY(StorageSandbox::writeFile(QStringLiteral("modules/macro"), "a file, not a folder"));
        QCOMPARE(macros.createMacroIni().toString(), QString());
        QCOMPARE(m_prompt->warningCount(), 2);
    }
    void exportLeavesOtherFilesAlone() {
        QVERIFY(StorageSandbox::writeFile(QStringLiteral("x.pf.part"), "mine"));
        QVERIFY(StorageSandbox::writeFile(QStringLiteral("x.pf"), "[old]\nkey=1\n"));
        SettingsFiles files;
        ProfileStore profiles(files);
        files.profile(0).setValue(QStringLiteral("sensor/stage_Q7"), 6); // not yet on disk
        m_prompt->queueFileName(m_sandbox->path(QStringLiteral("x.pf")));
        profiles.saveProfile(0);
        QCOMPARE(StorageSandbox::readFile(QStringLiteral("x.pf.part")), QByteArray("mine"));
        const QByteArray exported = StorageSandbox::readFile(QStringLiteral("x.pf"));
        QCOMPARE(exported, StorageSandbox::readFile(StoragePaths::profile(0)));
        QVERIFY(exported.contains("stage_Q7=6") && !exported.contains("[old]"));
        // A profile saved by an editor with a byte-order mark is taken.
        QVERIFY(StorageSandbox::writeFile(QStringLiteral("bom.pf"),
                                          "\xEF\xBB\xBF[sensor]\nstage_Q7=4\n"));
        m_prompt->queueFileName(m_sandbox->path(QStringLiteral("bom.pf")));
        profiles.loadProfile(1);
        QCOMPARE(m_prompt->warningCount(), 0);
        QCOMPARE(files.profile(1).value(QStringLiteral("sensor/stage_Q7")).toInt(), 4);
    }
    void skinAndBackgroundThatAreNotThereReadAsDefaults() {
        QVERIFY(QDir().mkpath(QStringLiteral("modules/img/skin1")));
        QVERIFY(QDir().mkpath(QStringLiteral("modules/img/skin2")));
        QVERIFY(mkfifo("pipe.png", 0600) == 0);
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        auto load = [&](const QVariant &skin, const QString &background) {
            config.saveApConfig({1, skin, 0, 0, 0, true, background});
            return config.loadApConfig();
        };
        QCOMPARE(load(2, QString()).at(1).toInt(), 2);
        for (const QVariant &skin : {QVariant(0), QVariant(3), QVariant(99), QVariant("abc")})
            QCOMPARE(load(skin, QString()).at(1).toInt(), 1);
        QVERIFY(StorageSandbox::writeFile(QStringLiteral("back.png"), "png"));
        const QString picture =
            QStringLiteral("file:") + m_sandbox->path(QStringLiteral("back.png"));
        QCOMPARE(load(1, picture).mid(5, 2), (QVariantList{true, picture}));
        for (const QString &bad :
             {QStringLiteral("file:") + m_sandbox->path(QStringLiteral("pipe.png")),
              QStringLiteral("/dev/zero"), m_sandbox->path(QStringLiteral("gone.png"))})
            QCOMPARE(load(1, bad).mid(5, 2), (QVariantList{false, QString()}));
    }

private:
};

QTEST_GUILESS_MAIN(DamagedFilesTest)
#include "tst_damaged.moc"
