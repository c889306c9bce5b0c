#include "RecoilStore.h"
#include "StorageFailures.h"
#include "StoragePaths.h"
#include "StorageSandbox.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

class RecoilTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_sandbox = std::make_unique<StorageSandbox>();
        QVERIFY(m_sandbox->isReady());
    }
    void cleanup() { m_sandbox.reset(); }

    void weaponTablesRoundTripAsText() {
        RecoilStore store(m_failures);
        QVariantList table;
        for (int k = 0; k < RecoilStore::weaponsPerGame; ++k)
            table << QString("Gun, %1").arg(k) << k << 0 << 10 + k << 2 << 1 << 0;
        store.saveGundata(1, table);
        const QVariantList loaded = store.getGundata(1);
        QCOMPARE(loaded.size(), 84);
        for (int i = 0; i < 84; ++i)
            QCOMPARE(loaded.at(i).toString(), table.at(i).toString());
        QCOMPARE(store.getGundata(0).at(0).toString(), QString("VECTOR"));
    }
    void onlyWholeWeaponsAreWritten() {
        RecoilStore store(m_failures);
        // One and a half weapons: weapon 1 is completed with its defaults, so weapon 2 still reads
        // from position 14.
        store.saveGundata(0, {"P1", 9, 9, 9, 9, 9, 9, "P2", 8, 8});
        QVariantList loaded = store.getGundata(0);
        QCOMPARE(loaded.size(), 84);
        QCOMPARE(loaded.mid(0, 7), (QVariantList{"P1", "9", "9", "9", "9", "9", "9"}));
        QCOMPARE(loaded.mid(7, 7), (QVariantList{"P2", "8", "8", "6", "1", "1", "1"}));
        QCOMPARE(loaded.mid(14, 7), (QVariantList{"TMX", "2", "0", "7", "1", "1", "1"}));
        store.saveGundata(0, {});
        QCOMPARE(store.getGundata(0), loaded);
        // A longer list is cut after the twelfth weapon.
        store.saveGundata(2, QVariantList(90, 4));
        loaded = store.getGundata(2);
        QCOMPARE(loaded, QVariantList(84, "4"));
        QVERIFY(!StorageSandbox::readFile(StoragePaths::gunData("2")).contains("\n12="));
        QVERIFY(!m_failures.any());
    }
    void missingFilesAreNeverCreated() {
        QVERIFY(QFile::remove(StoragePaths::selectedGunData));
        RecoilStore store(m_failures);
        store.saveSelGundata(0, {0, 0, 10, 10});
        QVERIFY(!QFile::exists(StoragePaths::selectedGunData));
        QCOMPARE(store.getSelGundata(0), QVariantList());
        store.saveGundata(3, QVariantList(84, 1));
        QVERIFY(!QFile::exists(StoragePaths::gunData("3")));
        QCOMPARE(store.getGundata(3), QVariantList());
    }
    void gameNumbersOnlyNameFilesInTheGunFolder_data() {
        QTest::addColumn<QVariant>("gameNo");
        QTest::addColumn<QString>(
            "reachable"); // what pasting the game number into the name reaches
        QTest::newRow("path") << QVariant("/../../setting/p1") << "modules/setting/p1.bin";
        QTest::newRow("negative") << QVariant(-1) << "modules/gun/gunData-1.bin";
        QTest::newRow("text") << QVariant("first") << "modules/gun/gunDatafirst.bin";
    }
    void gameNumbersOnlyNameFilesInTheGunFolder() {
        QFETCH(QVariant, gameNo);
        QFETCH(QString, reachable);
        // With this folder the path row would resolve to the first profile.
        QVERIFY(QDir().mkpath("modules/gun/gunData"));
        if (!QFile::exists(reachable))
            QVERIFY(StorageSandbox::writeFile(reachable, "[gunData]\n0=x\n"));
        const QByteArray before = StorageSandbox::readFile(reachable);
        RecoilStore store(m_failures);
        QCOMPARE(store.getGundata(gameNo), QVariantList());
        store.saveGundata(gameNo, QVariantList(84, 1));
        QCOMPARE(StorageSandbox::readFile(reachable), before);
    }

private:
    std::unique_ptr<StorageSandbox> m_sandbox;
    StorageFailures m_failures;
};

QTEST_GUILESS_MAIN(RecoilTest)
#include "tst_recoil.moc"
