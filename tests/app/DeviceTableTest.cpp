// The device table reader: the shipped table and the reading rules for odd values.
#include "DeviceTableReader.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class DeviceTableTest : public QObject {
    Q_OBJECT
private slots:
    void shippedTable() {
        const DeviceTable t =
            DeviceTableReader::read(QString::fromLatin1(DeviceTableReader::EmbeddedPath),
                                    {QStringLiteral("K"), QStringLiteral("Q7")});
        QCOMPARE(t.size(), 2);
        QVERIFY(DeviceTableReader::isEncoded(QString::fromLatin1(DeviceTableReader::EmbeddedPath)));
        // Every test against the virtual mouse connects with these records (the keyboard takes
        // the first), so their ids, usages and report lengths are checked there.
        QCOMPARE(t[1].productName, QStringLiteral("Q7"));
    }

    void oddValues() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("table.ini"));
        {
            QSettings ini(path, QSettings::IniFormat);
            ini.setValue(QStringLiteral("common/total"), 3);
            ini.setValue(QStringLiteral("0/vid"), QStringLiteral("zz"));
            ini.setValue(QStringLiteral("0/type"), QStringLiteral("1"));
            ini.setValue(QStringLiteral("1/pid"), QStringLiteral("0001"));
            ini.setValue(QStringLiteral("2/type"), QStringLiteral("nope"));
        }
        const DeviceTable t = DeviceTableReader::read(path, {QStringLiteral("only one")});
        QCOMPARE(t.size(), 3);
        QCOMPARE(t[0].vid, uint16_t(0)); // not hexadecimal
        QCOMPARE(t[0].type, 1);
        QCOMPARE(t[1].type, -1); // no type key
        QCOMPARE(t[1].pid, uint16_t(1));
        QCOMPARE(t[2].type, 0);                // present but not hexadecimal
        QCOMPARE(t[1].productName, QString()); // the name list is shorter than the table
        QVERIFY(!DeviceTableReader::isEncoded(path));
        QVERIFY(DeviceTableReader::read(dir.filePath(QStringLiteral("missing.ini")), {}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(DeviceTableTest)
#include "DeviceTableTest.moc"
