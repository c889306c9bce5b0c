#include "PersistenceTest.h"

#include "VirtualDeviceFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

void PersistenceTest::settingsSurviveARestart() {
    VirtualDeviceFixture fixture;
    const Bytes macro(128, 0x5a);
    const Bytes codes = {0x05, 0x07, 0x09, 0x0b, 0x0f, 0x13, 0x17, 0x1b};
    fixture.set(0x01, {0x04});
    fixture.set(0x03, {0x03, 0x04, 0x40, 0x08});
    fixture.set(0x0B, {0x05});
    fixture.set(0x11, {0x06, 0x08}, codes);
    fixture.set(0x13, {0x07, 0x80}, macro);

    fixture.restart();
    QCOMPARE(fixture.query(0x81)->at(1), 0x04);
    QCOMPARE(fixture.query(0x83)->at(3), 0x40);
    QCOMPARE(fixture.query(0x83)->at(4), 0x08);
    QCOMPARE(fixture.query(0x8B)->at(1), 0x05);
    TestScrambler::Body answer{};
    QCOMPARE(fixture.bulkGet(0x91, {}, 8, &answer), codes);
    QCOMPARE(answer[1], 0x06);
    QCOMPARE(fixture.bulkGet(0x93, {0x07}, 128), macro);
}

void PersistenceTest::stateFileIsReadableText() {
    VirtualDeviceFixture fixture;
    fixture.set(0x0D, {0x03, 0x80, 0x05});
    const QString text = fixture.readState();
    QVERIFY(text.startsWith("q7-virtual-state 1 mouse\n"));
    QVERIFY(text.contains("\nrgb_effect 03 80 05\n"));
    QVERIFY(text.contains("\ndpi_codes 07 0f 17 1f 27 31 5d 67\n"));
    // Written through a temporary file that is renamed into place.
    const QStringList files = QFileInfo(fixture.statePath()).dir().entryList(QDir::Files);
    QCOMPARE(files.filter(".tmp").size(), 0);
}

void PersistenceTest::damagedFileGivesFactoryState_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("garbage") << QByteArray("\x01\x02 not a state file\n");
    QTest::newRow("unknown field")
        << QByteArray("q7-virtual-state 1 mouse\nreport_rate 08\nwarp 01\n");
    QTest::newRow("wrong size") << QByteArray("q7-virtual-state 1 mouse\nreport_rate 08 08\n");
    QTest::newRow("bad hex") << QByteArray("q7-virtual-state 1 mouse\nreport_rate 0g\n");
    QTest::newRow("future format") << QByteArray("q7-virtual-state 2 mouse\nreport_rate 08\n");
    QTest::newRow("empty") << QByteArray();
}

void PersistenceTest::damagedFileGivesFactoryState() {
    QFETCH(QByteArray, content);
    VirtualDeviceFixture fixture;
    fixture.writeState(content);
    fixture.restart();
    QCOMPARE(fixture.query(0x81)->at(1), 0x01);
    QCOMPARE(fixture.query(0x8B)->at(1), 0x02);

    // A partial file is fine: what it names is taken, the rest stays factory.
    fixture.writeState("q7-virtual-state 1 mouse\nreport_rate 08\n");
    fixture.restart();
    QCOMPARE(fixture.query(0x81)->at(1), 0x08);
    QCOMPARE(fixture.query(0x8B)->at(1), 0x02);
}

void PersistenceTest::keyboardStateIsNotTakenForMouseState() {
    VirtualDeviceFixture fixture;
    fixture.writeState("q7-virtual-state 1 keyboard\nreport_rate 08\n");
    fixture.restart();
    QCOMPARE(fixture.query(0x81)->at(1), 0x01);
}
