#include "FrameTest.h"

#include "VirtualDeviceFixture.h"

#include <QTest>

using TestScrambler::Body;

// Worked out by hand from the scrambling steps (swap, code XOR, rotate left 3, add the
// nibble-swapped key "QaLmvUsk"), code "274951" unless said otherwise.
namespace {

const Body kGetProfilePlain = {0x82, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x7d};
const Body kGetProfileWire = {0x16, 0xa8, 0x15, 0x77, 0x34, 0x0e, 0xbf, 0xb6};
const Body kGetProfileWireCode123456 = {0x16, 0xa0, 0x3d, 0x6f, 0x0c, 0x0e, 0xe7, 0xb6};
const Body kSetRate2Wire = {0x16, 0xac, 0x1d, 0x77, 0x40, 0xf6, 0xbf, 0xb6};
// Answers: 80 01 05 .. 79 (version 1.05); 83 03 01 00 00 .. 78 (sensor 3, 1000 Hz);
// 81 02 .. 7c (500 Hz).
const Body kVersionAnswerWire = {0x16, 0xa8, 0x35, 0x77, 0x2c, 0xfe, 0xbf, 0xde};
const Body kOptionAnswerWire = {0x16, 0xa8, 0x3d, 0x77, 0x3c, 0x06, 0xbf, 0xbe};
const Body kRate2AnswerWire = {0x16, 0xa8, 0x1d, 0x77, 0x44, 0xf6, 0xbf, 0xb6};

int sendWire(hid_device *dev, const Body &wire) {
    std::array<std::uint8_t, 9> report{};
    std::copy(wire.begin(), wire.end(), report.begin() + 1);
    return hid_send_feature_report(dev, report.data(), report.size());
}

} // namespace

void FrameTest::testScramblerMatchesWorkedExamples() {
    QCOMPARE(TestScrambler::scramble(kGetProfilePlain), kGetProfileWire);
    QCOMPARE(TestScrambler::scramble(kGetProfilePlain, "123456"), kGetProfileWireCode123456);
    QCOMPARE(TestScrambler::unscramble(kGetProfileWire), kGetProfilePlain);
}

void FrameTest::handWorkedCommandIsUnderstood() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    QCOMPARE(sendWire(dev, kSetRate2Wire), 9);
    QCOMPARE(sendWire(dev, kGetProfileWire), 9);
    QCOMPARE(fixture.rawAnswer(dev), std::optional(kGetProfileWire)); // profile 0 echoes the frame
}

void FrameTest::answersAreScrambledWithTheirChecksum() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();

    QCOMPARE(fixture.send(dev, 0x80), 9);
    QCOMPARE(fixture.rawAnswer(dev), std::optional(kVersionAnswerWire));
    QCOMPARE(fixture.send(dev, 0x83), 9);
    QCOMPARE(fixture.rawAnswer(dev), std::optional(kOptionAnswerWire));
    QCOMPARE(fixture.send(dev, 0x01, {0x02}), 9);
    QCOMPARE(fixture.send(dev, 0x81), 9);
    QCOMPARE(fixture.rawAnswer(dev), std::optional(kRate2AnswerWire));
    QCOMPARE(fixture.rawAnswer(dev), std::optional(kRate2AnswerWire)); // stays readable
}

void FrameTest::bulkGetAnswersArePlain() {
    VirtualDeviceFixture fixture;
    Body answer{};
    fixture.bulkGet(0x91, {}, 8, &answer);
    // Stage count 8 in byte 2 as sent, length 8, checksum FF - (91 + 08 + 08).
    QCOMPARE(answer, (Body{0x91, 0x08, 0x08, 0x00, 0x00, 0x00, 0x00, 0x5e}));
    fixture.bulkGet(0x92, {0x01}, 64, &answer);
    QCOMPARE(answer, (Body{0x92, 0x01, 0x40, 0x00, 0x00, 0x00, 0x00, 0x2c}));
}

void FrameTest::badChecksumIsRefused() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x80), 9);
    QVERIFY(fixture.rawAnswer(dev));

    // Set rate 2 with the checksum off by one: descrambles fine, sums wrong.
    Body plain = {0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xfd};
    QCOMPARE(sendWire(dev, TestScrambler::scramble(plain)), 9);
    QVERIFY(!fixture.rawAnswer(dev)); // no answer, not even the previous one

    const QStringList log = fixture.logLines();
    QVERIFY(log.last().endsWith(", \"refused\": true}"));
    QVERIFY(!log.first().contains("refused"));
    QCOMPARE(fixture.query(0x81)->at(1), 0x01); // rate unchanged
}

void FrameTest::frameScrambledWithAnotherCodeIsRefused() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    QCOMPARE(sendWire(dev, kGetProfileWireCode123456), 9);
    QVERIFY(!fixture.rawAnswer(dev));
}

void FrameTest::configuredCodeIsUsed() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::code("123456"));
    hid_device *dev = fixture.openCommand();
    QCOMPARE(sendWire(dev, kGetProfileWireCode123456), 9);
    QCOMPARE(fixture.rawAnswer(dev), std::optional(kGetProfileWireCode123456));
    QCOMPARE(sendWire(dev, kGetProfileWire), 9);
    QVERIFY(!fixture.rawAnswer(dev));
}

void FrameTest::unknownCommandIsRefused() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x88), 9); // a keyboard-only get
    QVERIFY(!fixture.rawAnswer(dev));
    QVERIFY(fixture.logLines().last().contains("\"refused\": true"));
}
