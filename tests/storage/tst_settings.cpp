#include "AppConfigStore.h"
#include "ConsolePrompt.h"
#include "DeviceType.h"
#include "FileReplacement.h"
#include "KeyDefineStore.h"
#include "LanguageStore.h"
#include "ProfileStore.h"
#include "SandboxFixture.h"
#include "SettingsFiles.h"
#include "StoragePaths.h"
#include "StorageSandbox.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

namespace {
// The start of a PNG file: what a user picks by mistake in a file dialog.
const QByteArray pngBytes = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") + "k=v\n";
} // namespace

class SettingsTest : public QObject, SandboxFixture {
    Q_OBJECT

    QByteArray profileBytes(int index) const {
        return StorageSandbox::readFile(StoragePaths::profile(index));
    }

private slots:
    void init() { startSandbox(); }

    void cleanup() { endSandbox(); }

    void configItemsRoundTripAsText() {
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        QVariantList items;
        for (int i = 0; i < 32; ++i)
            items.append(i);
        items[1] = 1;
        items[5] = true;
        QVERIFY(StorageSandbox::writeFile("a, b.png", pngBytes));
        items[6] = m_sandbox->path("a, b.png");
        config.saveApConfig(items);
        files.appConfig().sync();

        // A fresh object reads the file, not the cache of the one that wrote it.
        SettingsFiles reopened;
        const QVariantList loaded = AppConfigStore(reopened, languages).loadApConfig();
        QCOMPARE(loaded.size(), 32);
        QCOMPARE(loaded.at(0).toString(), QString("0"));
        QCOMPARE(loaded.at(5).toString(), QString("true"));
        QCOMPARE(loaded.at(6).toString(), m_sandbox->path("a, b.png"));
        QCOMPARE(loaded.at(31).toString(), QString("31"));
        // A shorter list is read back as long as it was saved.
        config.saveApConfig(items.mid(0, 7));
        QCOMPARE(config.loadApConfig().size(), 7);
    }

    void missingConfigurationGivesDefaults() {
        QVERIFY(QFile::remove(StoragePaths::appConfig));
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        QCOMPARE(config.loadApConfig(), QVariantList());
        QCOMPARE(config.loadDeviceApConfig(), QVariantList{8});
        QCOMPARE(AppConfigStore::windowTitle(), QString());
        QCOMPARE(config.deviceCode(1), QString("274951"));
    }

    void resetConfigurationRestoresTheFactoryFile() {
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        config.saveApConfig({1, 2, 3});
        config.resetApconfig();
        QCOMPARE(config.loadApConfig().size(), 32);
        QCOMPARE(config.loadApConfig().at(1).toInt(), 1);
        QCOMPARE(m_prompt->warningCount(), 0);
        // The new object writes to the real file again.
        config.saveApConfig({7});
        files.appConfig().sync();
        QVERIFY(StorageSandbox::readFile(StoragePaths::appConfig).contains("total=1"));
    }

    void resetConfigurationWithoutFactoryFileKeepsEverything() {
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        config.saveApConfig({4, 1, 6});
        QVERIFY(QFile::remove(StoragePaths::factoryAppConfig));
        config.resetApconfig();
        QCOMPARE(m_prompt->warningCount(), 1);
        QCOMPARE(config.loadApConfig(), (QVariantList{4, 1, 6}));
        files.appConfig().sync();
        QVERIFY(StorageSandbox::readFile(StoragePaths::appConfig).contains("total=3"));
        QVERIFY(QDir("modules/setting").entryList({"*.part"}, QDir::Files).isEmpty());
    }

    void skinChooserNeedsTwoSkinFolders() {
        SettingsFiles files;
        LanguageStore languages;
        AppConfigStore config(files, languages);
        QVERIFY(!config.getIsSkinShow());
        QVERIFY(QDir().mkpath("modules/img/skin1"));
        QVERIFY(StorageSandbox::writeFile("modules/img/notes.txt", "files do not count"));
        QVERIFY(!config.getIsSkinShow());
        QVERIFY(QDir().mkpath("modules/img/skin2"));
        QVERIFY(config.getIsSkinShow());
        QVERIFY(QDir("modules/img").removeRecursively());
        QVERIFY(!config.getIsSkinShow());
    }

    void customBackgroundPathIsCheckedForReading() {
        SettingsFiles files;
        LanguageStore languages;
        languages.getGlobalStrings("031000");
        AppConfigStore config(files, languages);
        QVERIFY(StorageSandbox::writeFile("back.png", pngBytes));
        m_prompt->queueFileName(m_sandbox->path("back.png"));
        QCOMPARE(config.getCustomFilePath(), m_sandbox->path("back.png"));
        m_prompt->queueFileName(m_sandbox->path("gone.png"));
        QCOMPARE(config.getCustomFilePath(), QString());
        QCOMPARE(m_prompt->warningCount(), 1);
        QCOMPARE(config.getCustomFilePath(), QString()); // cancelled
        QCOMPARE(m_prompt->warningCount(), 1);
    }

    void defaultProfileOfAShortFileShiftsPositions() {
        QVERIFY(StorageSandbox::writeFile(StoragePaths::factoryProfile,
                                          "[sensor]\nstage_Q7=4\n[color_Q7]\ntype2=1, 2\n"));
        SettingsFiles files;
        const QVariantList sensor =
            ProfileStore(files).loadDefaultProfile(ProfileStore::sensorPage);
        QCOMPARE(sensor, (QVariantList{2, 5, 2, 5, 4, "1", "2"}));
    }

    void resetProfileCopiesTheFactoryProfileOnlyThere() {
        SettingsFiles files;
        ProfileStore profiles(files);
        for (int i = 0; i < SettingsFiles::profileCount; ++i)
            files.profile(i).setValue("sensor/stage_Q7", 10 + i);
        QSettings *untouched = &files.profile(3);
        profiles.resetProfile(9);
        QCOMPARE(profileBytes(9), StorageSandbox::readFile(StoragePaths::factoryProfile));
        QCOMPARE(files.profile(9).value("sensor/stage_Q7").toInt(), 2);
        QCOMPARE(&files.profile(3), untouched);
        QCOMPARE(files.profile(8).value("sensor/stage_Q7").toInt(), 18);
        QCOMPARE(m_prompt->warningCount(), 0);
    }

    void importReplacesTheProfileAndDropsUnsavedWritesOfTheOldOne() {
        QVERIFY(StorageSandbox::writeFile("chosen.pf", "[sensor]\nstage_Q7=5\n"));
        // A read-only export must not make the profile read-only.
        QVERIFY(QFile::setPermissions("chosen.pf", QFile::ReadOwner));
        SettingsFiles files;
        ProfileStore profiles(files);
        files.profile(0).setValue("sensor/dpi_Q7", QVariantList{1, 2});
        m_prompt->queueFileName(m_sandbox->path("chosen.pf"));
        profiles.loadProfile(0);
        QCOMPARE(m_prompt->warningCount(), 0);
        QCOMPARE(files.profile(0).value("sensor/stage_Q7").toInt(), 5);
        QVERIFY(!files.profile(0).contains("sensor/dpi_Q7"));
        files.profile(0).setValue("sensor/cursorSpeed_Q7", 9);
        files.profile(0).sync();
        QCOMPARE(files.profile(0).status(), QSettings::NoError);
        const QByteArray written = profileBytes(0);
        QVERIFY(written.contains("cursorSpeed_Q7=9"));
        QVERIFY(!written.contains("dpi_Q7"));
    }

    void replacementOfTheSameSizeIsReadAtOnce() {
        // File times tick coarsely; QSettings re-reads a file only when its size or time changed.
        // Quick same-size replacements are where a stale read would show.
        // The replacement always ends later than what it replaced, whatever the clock says.
        const QDateTime ahead = QDateTime::currentDateTime().addSecs(3600);
        {
            QFile profile(StoragePaths::profile(0));
            QVERIFY(profile.open(QIODevice::ReadOnly));
            QVERIFY(profile.setFileTime(ahead, QFileDevice::FileModificationTime));
        }
        FileReplacement replacement(StoragePaths::factoryProfile, StoragePaths::profile(0));
        QVERIFY(replacement.prepare());
        QVERIFY(replacement.commit());
        QVERIFY(QFileInfo(StoragePaths::profile(0)).lastModified() > ahead);

        QByteArray three = profileBytes(1);
        three.replace("stage_Q7=2", "stage_Q7=3");
        QVERIFY(StorageSandbox::writeFile("three.pf", three));
        QVERIFY(StorageSandbox::writeFile("two.pf", profileBytes(1)));
        SettingsFiles files;
        ProfileStore profiles(files);
        for (int round = 0; round < 100; ++round) {
            const bool odd = round % 2 == 1;
            m_prompt->queueFileName(m_sandbox->path(odd ? "two.pf" : "three.pf"));
            profiles.loadProfile(1);
            QCOMPARE(files.profile(1).value("sensor/stage_Q7").toInt(), odd ? 2 : 3);
        }
    }

    void cancelledDialogsChangeNothing() {
        SettingsFiles files;
        ProfileStore profiles(files);
        const QByteArray before = profileBytes(4);
        profiles.loadProfile(4);
        profiles.saveProfile(4);
        QCOMPARE(profileBytes(4), before);
        QCOMPARE(m_prompt->warningCount(), 0);
    }

    void profileIndexOutsideTheTenIsRefused() {
        SettingsFiles files;
        QVERIFY(files.setCurrentProfileIndex(9));
        QVERIFY(!files.setCurrentProfileIndex(10));
        QVERIFY(!files.setCurrentProfileIndex(-1));
        QCOMPARE(files.currentProfileIndex(), 9);
        ProfileStore(files).resetProfile(10);
        QVERIFY(!QFile::exists("modules/setting/p11.bin"));
    }

    void keyDefinitionsFollowTheCurrentProfileAndDevice() {
        SettingsFiles files;
        int deviceType = DeviceType::mouse;
        KeyDefineStore keys(files, [&deviceType] { return deviceType; });

        // A fresh profile holds the factory records, four by four.
        const QVariantList defaults = ProfileStore(files).loadDefaultProfile(0);
        QVariantList fromProfile;
        for (int k = 0; k < 16; ++k)
            fromProfile.append(keys.getKeydefine(k));
        QCOMPARE(fromProfile, defaults);

        files.profile(4).setValue("keydefine_Q7/3", QVariantList{0, 0, 4, 0});
        QCOMPARE(keys.getKeydefine("3"), (QVariantList{"1", "0", "244", "0"}));
        files.setCurrentProfileIndex(4);
        QCOMPARE(keys.getKeydefine("3"), (QVariantList{"0", "0", "4", "0"}));
        QCOMPARE(keys.getKeydefine(16), QVariantList());

        files.profile(4).setValue("keydefine/3", QVariantList{0, 0, 5, 0});
        deviceType = DeviceType::keyboard;
        QCOMPARE(keys.getKeydefine(3), (QVariantList{"0", "0", "5", "0"}));
        QCOMPARE(keys.getKeydefine(4), QVariantList());
        deviceType = 2;
        QCOMPARE(keys.getKeydefine(3), QVariantList());
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
