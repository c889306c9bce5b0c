#include "KeyNameMap.h"
#include "LanguageStore.h"
#include "StorageSandbox.h"

#include <QFile>
#include <QtTest>

class LanguagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_sandbox.isReady()); }

    void droppedInFilesAreNamedFromQt4Numbers_data();
    void droppedInFilesAreNamedFromQt4Numbers();
    void sameDisplayNameKeepsTheLaterFile();
    void globalStringsReadMissingKeysAsEmpty();
    void missingLanguageFileGivesFontOnlyAndClearsMessages();
    void codesThatLeaveTheFolderReadNothing();
    void shippedFilesHoldEveryStringThePagesUse();
    void keyNamesMapToUsbUsages_data();
    void keyNamesMapToUsbUsages();

private:
    StorageSandbox m_sandbox;
};

void LanguagesTest::droppedInFilesAreNamedFromQt4Numbers_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("display");
    QTest::newRow("German, Germany") << "042082"
                                     << "GERMAN (GERMANY)";
    QTest::newRow("Japanese, no country") << "059000"
                                          << "JAPANESE";
    QTest::newRow("Chinese, Hong Kong") << "025097"
                                        << "CHINESE (HONG KONG)";
    QTest::newRow("letters count as 0") << "031abc"
                                        << "ENGLISH";
    QTest::newRow("unknown language") << "999000"
                                      << "LANGUAGE 999";
    QTest::newRow("language gone from Qt 6") << "081000"
                                             << "MOLDAVIAN";
    QTest::newRow("country gone from Qt 6") << "100238"
                                            << "SERBIAN (YUGOSLAVIA)";
    // The last of each table: a table that slipped by one misses its end.
    QTest::newRow("last language, last country") << "214246"
                                                 << "SHAMBALA (LATIN AMERICA)";
}

void LanguagesTest::droppedInFilesAreNamedFromQt4Numbers() {
    QFETCH(QString, code);
    QFETCH(QString, display);
    QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_" + code + ".ini", "[font]\ntotal=0\n"));
    const QVariantMap languages = LanguageStore().chkLanguages();
    QCOMPARE(languages.value(display).toString(), code);
    QVERIFY(languages.contains("ENGLISH"));
    QFile::remove("modules/i18n/lang_" + code + ".ini");
}

void LanguagesTest::sameDisplayNameKeepsTheLaterFile() {
    // Both read as English without a country; name order ignoring case puts 031XYZ last.
    QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_031XYZ.ini", "[font]\ntotal=0\n"));
    QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_031abc.ini", "[font]\ntotal=0\n"));
    const QVariantMap languages = LanguageStore().chkLanguages();
    QCOMPARE(languages.size(), 3);
    QCOMPARE(languages.value("ENGLISH").toString(), QString("031XYZ"));
    QFile::remove("modules/i18n/lang_031XYZ.ini");
    QFile::remove("modules/i18n/lang_031abc.ini");
}

void LanguagesTest::globalStringsReadMissingKeysAsEmpty() {
    QVERIFY(StorageSandbox::writeFile("modules/i18n/lang_042000.ini",
                                      "[font]\nfamily=Serif\ntotal=3\n"
                                      "[strings]\n1=eins\n3=\"drei, vier\"\n"
                                      "[msg]\n1=Nachricht\n"));
    LanguageStore store;
    QCOMPARE(store.getGlobalStrings("042000"), (QStringList{"Serif", "eins", "", "drei, vier"}));
    QCOMPARE(store.message(0), QString());
    QCOMPARE(store.message(1), QString("Nachricht"));
    QCOMPARE(store.message(6), QString());
}

void LanguagesTest::missingLanguageFileGivesFontOnlyAndClearsMessages() {
    LanguageStore store;
    store.getGlobalStrings("031000");
    QVERIFY(!store.message(0).isEmpty());
    QCOMPARE(store.getGlobalStrings("077000"), QStringList{QString()});
    QCOMPARE(store.getProductLayoutStrings_Q7("077000"), QStringList(16));
    for (int i = 0; i < LanguageStore::messageCount; ++i)
        QCOMPARE(store.message(i), QString());
}

void LanguagesTest::codesThatLeaveTheFolderReadNothing() {
    // A file outside i18n/ that would parse as a language file if it were opened.
    QVERIFY(StorageSandbox::writeFile("modules/lang_x.ini", "[font]\nfamily=Leak\ntotal=1\n"));
    LanguageStore store;
    QCOMPARE(store.getGlobalStrings("../lang_x"), QStringList{QString()});
    QCOMPARE(store.getProductLayoutStrings_Q7("../lang_x"), QStringList(16));
}

void LanguagesTest::shippedFilesHoldEveryStringThePagesUse() {
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

void LanguagesTest::keyNamesMapToUsbUsages_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("usage");
    QTest::newRow("A") << "A" << 0x04;
    QTest::newRow("Z") << "Z" << 0x1D;
    QTest::newRow("1") << "1" << 0x1E;
    QTest::newRow("0") << "0" << 0x27;
    QTest::newRow("backslash") << "\\ |" << 0x31;
    QTest::newRow("quote") << "' \"" << 0x34;
    QTest::newRow("F12") << "F12" << 0x45;
    QTest::newRow("right arrow") << "►" << 0x4F;
    QTest::newRow("KP Enter") << "KP Enter" << 0x58;
    QTest::newRow("KP 7 with space") << "KP 7 " << 0x5F;
    QTest::newRow("KP 7 without space") << "KP 7" << 0;
    QTest::newRow("KP =") << "KP =" << 0x67;
    QTest::newRow("F13") << "F13" << 0x68;
    QTest::newRow("F24") << "F24" << 0x73;
    QTest::newRow("Keypad") << "Keypad" << 0x85;
    QTest::newRow("Intl'2") << "Intl'2" << 0x88;
    QTest::newRow("Int'l 2") << "Int'l 2" << 0x89;
    QTest::newRow("Int'l 5") << "Int'l 5" << 0x8B;
    QTest::newRow("L Ctrl") << "L Ctrl" << 0xE0;
    QTest::newRow("R Win") << "R Win" << 0xE7;
    QTest::newRow("MS-B5") << "MS-B5" << 0xF4;
    QTest::newRow("unknown") << "Hyper" << 0;
}

void LanguagesTest::keyNamesMapToUsbUsages() {
    QFETCH(QString, name);
    QFETCH(int, usage);
    QCOMPARE(int(KeyNameMap::instance().usage(name)), usage);
    QCOMPARE(KeyNameMap::instance().size(), 132);
}

QTEST_GUILESS_MAIN(LanguagesTest)
#include "tst_languages.moc"
