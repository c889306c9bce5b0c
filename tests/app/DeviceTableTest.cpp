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
        const DeviceRecord &m = t[1];
        QCOMPARE(m.type, int(DeviceRecord::Mouse));
        QCOMPARE(m.vid, uint16_t(0x04d9));
        QCOMPARE(m.pid, uint16_t(41119));
        QCOMPARE(m.usagePage, uint16_t(65280));
        QCOMPARE(m.usage, uint16_t(0xff00));
        QCOMPARE(m.usagePage2, uint16_t(0xff01));
        QCOMPARE(m.usage2, uint16_t(0xff01));
        QCOMPARE(m.reportLength, 32);
        QCOMPARE(m.productName, QStringLiteral("Q7"));
        QCOMPARE(t[0].usage, uint16_t(1));
        QCOMPARE(t[0].reportLength, 64);
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
