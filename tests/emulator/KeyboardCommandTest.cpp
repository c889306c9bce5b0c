#include "KeyboardCommandTest.h"

#include "VirtualDeviceFixture.h"

#include <QTest>

namespace {

const VirtualDeviceFixture::Options kKeyboard = VirtualDeviceFixture::keyboard();

Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(seed + 3 * i + i / 64);
    return data;
}

Bytes answerBytes(VirtualDeviceFixture &fixture, std::uint8_t command, int first, int count,
                  std::array<std::uint8_t, 6> params = {}) {
    const auto answer = fixture.query(command, params);
    if (!answer)
        return {};
    return Bytes(answer->begin() + first - 1, answer->begin() + first - 1 + count);
}

} // namespace

void KeyboardCommandTest::valueCommandsRoundTrip() {
    VirtualDeviceFixture fixture(kKeyboard);
    QCOMPARE(answerBytes(fixture, 0x80, 2, 2), (Bytes{0x01, 0x02}));
    fixture.set(0x01, {0x04});
    fixture.set(0x02, {0x07});
    fixture.set(0x03, {0x0a, 0x0b, 0x0c, 0x0d});
    fixture.set(0x04, {0x21, 0x22, 0x23, 0x24, 0x02});
    fixture.set(0x09, {0x03});
    QCOMPARE(answerBytes(fixture, 0x81, 2, 1), (Bytes{0x04}));
    QCOMPARE(answerBytes(fixture, 0x82, 2, 1), (Bytes{0x07}));
    QCOMPARE(answerBytes(fixture, 0x83, 2, 4), (Bytes{0x0a, 0x0b, 0x0c, 0x0d}));
    QCOMPARE(answerBytes(fixture, 0x84, 2, 5), (Bytes{0x21, 0x22, 0x23, 0x24, 0x00}));
    QCOMPARE(answerBytes(fixture, 0x89, 2, 1), (Bytes{0x03}));
}

void KeyboardCommandTest::ledTypeAnswersWithoutItsOptionByte() {
    VirtualDeviceFixture fixture(kKeyboard);
    fixture.set(0x08, {0x01, 0x05, 0x06, 0x07, 0x08, 0x09});
    QCOMPARE(answerBytes(fixture, 0x88, 2, 6), (Bytes{0x00, 0x05, 0x06, 0x07, 0x08, 0x09}));
}

void KeyboardCommandTest::keyMatrixMovesInEightReports() {
    VirtualDeviceFixture fixture(kKeyboard);
    const Bytes matrix = pattern(512, 0x05);
    fixture.set(0x0D, {0x00, 0x00, 0x08}, matrix);
    QCOMPARE(fixture.logLines().filter("\"output\"").size(), 8);
    TestScrambler::Body answer{};
    QCOMPARE(fixture.bulkGet(0x8D, {}, 512, &answer), matrix);
    QCOMPARE(answer[3], 0x08);
    QCOMPARE(fixture.logLines().filter("\"input\"").size(), 8);
}

void KeyboardCommandTest::keyOnOffFitsOneReport() {
    VirtualDeviceFixture fixture(kKeyboard);
    QCOMPARE(fixture.bulkGet(0x8E, {}, 21), Bytes(21, 0xff));
    const Bytes table = pattern(21, 0x40);
    fixture.set(0x0E, {0x00, 0x00, 0x15}, table);
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x8E), 9);
    const Bytes report = fixture.readReport(dev);
    QCOMPARE(report.size(), std::size_t(64));
    QCOMPARE(Bytes(report.begin(), report.begin() + 21), table);
    QCOMPARE(Bytes(report.begin() + 21, report.end()), Bytes(43, 0x00));
}

void KeyboardCommandTest::macrosAndPicturesBySlot() {
    VirtualDeviceFixture fixture(kKeyboard);
    const Bytes macro = pattern(192, 0x11);
    const Bytes picture = pattern(512, 0x77);
    fixture.set(0x11, {0x00, 0x03, 0x03}, macro);
    fixture.set(0x12, {0x00, 0x04, 0x08, 0x01}, picture);
    QCOMPARE(fixture.bulkGet(0x91, {0x00, 0x03}, 192), macro);
    QCOMPARE(fixture.bulkGet(0x91, {0x00, 0x04}, 192), Bytes(192, 0x00));
    QCOMPARE(fixture.bulkGet(0x92, {0x00, 0x04}, 512), picture);
    QCOMPARE(fixture.bulkGet(0x92, {0x00, 0x00}, 512), Bytes(512, 0x00));
    QVERIFY(!fixture.query(0x92, {0x00, 0x05}));
}

void KeyboardCommandTest::coloursBySlot() {
    VirtualDeviceFixture fixture(kKeyboard);
    fixture.set(0x14, {0x00, 0x03, 0x12, 0x34, 0x56});
    QCOMPARE(answerBytes(fixture, 0x94, 3, 4, {0x00, 0x03}), (Bytes{0x03, 0x12, 0x34, 0x56}));
    QCOMPARE(answerBytes(fixture, 0x94, 4, 3, {0x00, 0x00}), (Bytes{0xff, 0x00, 0x00}));
}

void KeyboardCommandTest::recoveryRestoresFactoryState() {
    VirtualDeviceFixture fixture(kKeyboard);
    fixture.set(0x01, {0x08});
    fixture.set(0x0E, {0x00, 0x00, 0x15}, Bytes(21, 0x00));
    fixture.set(0x13, {0x00}); // wrong magic: ignored
    QCOMPARE(answerBytes(fixture, 0x81, 2, 1), (Bytes{0x08}));
    fixture.set(0x13, {0xff});
    QCOMPARE(answerBytes(fixture, 0x81, 2, 1), (Bytes{0x01}));
    QCOMPARE(fixture.bulkGet(0x8E, {}, 21), Bytes(21, 0xff));
}
