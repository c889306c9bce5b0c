#include "KeyNameMap.h"
#include "LanguageStore.h"
#include "StorageSandbox.h"

#include <QFile>
#include <QtTest>

class LanguagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_sandbox.isReady()); }

    void droppedInFilesAreNamedFromQt4Numbers_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("display");
        // Letters count as 0; languages and countries gone from Qt 6 keep their Qt 4 names; the
        // last of each table, which a table that slipped by one misses.
        const char *rows[][2] = {
            {"042082", "GERMAN (GERMANY)"},     {"059000", "JAPANESE"},
            {"025097", "CHINESE (HONG KONG)"},  {"031abc", "ENGLISH"},
            {"999000", "LANGUAGE 999"},         {"081000", "MOLDAVIAN"},
            {"100238", "SERBIAN (YUGOSLAVIA)"}, {"214246", "SHAMBALA (LATIN AMERICA)"}};
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]);
    }
    void droppedInFilesAreNamedFromQt4Numbers() {
        QFETCH(QString, code);
        QFETCH(QString, display);
        QVERIFY(
            StorageSandbox::writeFile("modules/i18n/lang_" + code + ".ini", "[font]\ntotal=0\n"));
        const QVariantMap languages = LanguageStore().chkLanguages();
        QCOMPARE(languages.value(display).toString(), code);
        QVERIFY(languages.contains("ENGLISH"));
        QFile::remove("modules/i18n/lang_" + code + ".ini");
    }
    void sameDisplayNameKeepsTheLaterFile() {
        // Both read as English without a country; name order ignoring case puts 031XYZ last.
        QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_031XYZ.ini", "[font]\ntotal=0\n"));
        QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_031abc.ini", "[font]\ntotal=0\n"));
        const QVariantMap languages = LanguageStore().chkLanguages();
        QCOMPARE(languages.size(), 3);
        QCOMPARE(languages.value("ENGLISH").toString(), QString("031XYZ"));
        QFile::remove("modules/i18n/lang_031XYZ.ini");
        QFile::remove("modules/i18n/lang_031abc.ini");
    }
    void globalStringsReadMissingKeysAsEmpty() {
        QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_042000.ini",
                                          "[font]\nfamily=Serif\ntotal=3\n"
                                          "[strings]\n1=eins\n3=\"drei, vier\"\n"
                                          "[msg]\n1=Nachricht\n"));
        LanguageStore store;
        QCOMPARE(store.getGlobalStrings("042000"),
                 (QStringList{"Serif", "eins", "", "drei, vier"}));
        QCOMPARE(store.message(0), QString());
        QCOMPARE(store.message(1), QString("Nachricht"));
        QCOMPARE(store.message(6), QString());
    }
    void missingLanguageFileGivesFontOnlyAndClearsMessages() {
        LanguageStore store;
        store.getGlobalStrings("031000");
        QVERIFY(!store.message(0).isEmpty());
        QCOMPARE(store.getGlobalStrings("077000"), QStringList{QString()});
        QCOMPARE(store.getProductLayoutStrings_Q7("077000"), QStringList(16));
        for (int i = 0; i < LanguageStore::messageCount; ++i)
            QCOMPARE(store.message(i), QString());
    }
    void codesThatLeaveTheFolderReadNothing() {
        // A file outside i18n/ that would parse as a language file if it were opened.
        QVERIFY(StorageSandbox::writeFile("modules/lang_x.ini", "[font]\nfamily=Leak\ntotal=1\n"));
        LanguageStore store;
        QCOMPARE(store.getGlobalStrings("../lang_x"), QStringList{QString()});
        QCOMPARE(store.getProductLayoutStrings_Q7("../lang_x"), QStringList(16));
    }
    void shippedFilesHoldEveryStringThePagesUse() {
        // Strings that no page shows may stay empty; all others must be there in every language.
        const QList<int> unused{115, 116, 117, 118, 127, 128, 134, 138, 139, 140};
        LanguageStore store;
        const QStringList english = store.getGlobalStrings("031000");
        for (const QString &code : {QString("031000"), QString("025044"), QString("025208")}) {
            const QStringList strings = store.getGlobalStrings(code);
            QCOMPARE(strings.size(), 157);
            QVERIFY2(!strings.at(0).isEmpty(), qPrintable(code));
            for (int k = 1; k <= 156; ++k) {
                if (!unused.contains(k))
                    QVERIFY2(!strings.at(k).isEmpty(), qPrintable(code + " " + QString::number(k)));
            }
            for (int i = 0; i < LanguageStore::messageCount; ++i)
                QVERIFY2(!store.message(i).isEmpty(), qPrintable(code));
            const QStringList keys = store.getProductLayoutStrings_Q7(code);
            for (int k = 0; k < 16; ++k)
                QCOMPARE(keys.at(k).isEmpty(), k == 12 || k == 13);
            if (code != "031000") {
                // Translated, not English copied over.
                QVERIFY(strings.at(1) != english.at(1));
                QVERIFY(strings.at(129) != english.at(129));
            }
        }
        QCOMPARE(store.getProductLayoutStrings_Q7("031000").at(0), QString("LEFT BUTTON"));
    }
    void keyNamesMapToUsbUsages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("usage");
        // "KP 7" without its space and names no key has are 0.
        const std::pair<const char *, int> rows[] = {
            {"A", 0x04},        {"Z", 0x1D},       {"1", 0x1E},      {"0", 0x27},
            {"\\ |", 0x31},     {"' \"", 0x34},    {"F12", 0x45},    {"►", 0x4F},
            {"KP Enter", 0x58}, {"KP 7 ", 0x5F},   {"KP 7", 0},      {"KP =", 0x67},
            {"F13", 0x68},      {"F24", 0x73},     {"Keypad", 0x85}, {"Intl'2", 0x88},
            {"Int'l 2", 0x89},  {"Int'l 5", 0x8B}, {"L Ctrl", 0xE0}, {"R Win", 0xE7},
            {"MS-B5", 0xF4},    {"Hyper", 0}};
        for (const auto &[name, usage] : rows)
            QTest::newRow(name) << QString(name) << usage;
    }
    void keyNamesMapToUsbUsages() {
        QFETCH(QString, name);
        QFETCH(int, usage);
        QCOMPARE(int(KeyNameMap::instance().usage(name)), usage);
        QCOMPARE(KeyNameMap::instance().size(), 132);
    }

private:
    StorageSandbox m_sandbox;
};

QTEST_GUILESS_MAIN(LanguagesTest)
#include "tst_languages.moc"
