#include "MouseCommandTest.h"

#include "VirtualDeviceFixture.h"

#include <QTest>

namespace {

Bytes pattern(std::size_t size, std::uint8_t seed) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(seed + 7 * i);
    return data;
}

// Answer bytes 2..n+1 of a scrambled get.
Bytes values(VirtualDeviceFixture &fixture, std::uint8_t command, std::size_t n,
             std::array<std::uint8_t, 6> params = {}) {
    const auto answer = fixture.query(command, params);
    if (!answer)
        return {};
    return Bytes(answer->begin() + 1, answer->begin() + 1 + n);
}

} // namespace

void MouseCommandTest::factoryValues() {
    VirtualDeviceFixture fixture;
    QCOMPARE(values(fixture, 0x80, 2), (Bytes{0x01, 0x05}));
    QCOMPARE(values(fixture, 0x81, 1), (Bytes{0x01}));
    QCOMPARE(values(fixture, 0x83, 4), (Bytes{0x03, 0x01, 0x00, 0x00}));
    QCOMPARE(values(fixture, 0x87, 4, {0x00}), (Bytes{0x00, 0x00, 0x00, 0x00})); // logo LED works
    QCOMPARE(values(fixture, 0x8B, 1), (Bytes{0x02}));

    // 800 .. 8000 DPI for sensor type 3.
    QCOMPARE(fixture.bulkGet(0x91, {}, 8), (Bytes{0x07, 0x0f, 0x17, 0x1f, 0x27, 0x31, 0x5d, 0x67}));
    const Bytes keys = fixture.bulkGet(0x92, {0x01}, 64);
    QCOMPARE(Bytes(keys.begin(), keys.begin() + 8),
             (Bytes{0x01, 0x00, 0xf0, 0x00, 0x01, 0x00, 0xf1, 0x00})); // left, right
    QCOMPARE(fixture.bulkGet(0x90, {0x02}, 4), (Bytes{0x10, 0x32, 0x54, 0x76}));
    const Bytes rainbow = fixture.bulkGet(0x90, {0x00}, 24);
    QCOMPARE(Bytes(rainbow.begin(), rainbow.begin() + 3), (Bytes{0xff, 0x00, 0x00}));
}

void MouseCommandTest::reportRateAndFunctionOptionShareTheRate() {
    VirtualDeviceFixture fixture;
    fixture.set(0x01, {0x08});
    QCOMPARE(values(fixture, 0x83, 4), (Bytes{0x03, 0x08, 0x00, 0x00}));

    // Scroll swap and press gun on, rate 500 Hz; the sensor type cannot be written.
    fixture.set(0x03, {0x00, 0x02, 0x40, 0x08});
    QCOMPARE(values(fixture, 0x83, 4), (Bytes{0x03, 0x02, 0x40, 0x08}));
    QCOMPARE(values(fixture, 0x81, 1), (Bytes{0x02}));
}

void MouseCommandTest::valueSetsRoundTrip() {
    VirtualDeviceFixture fixture;
    fixture.set(0x02, {0x04});
    QCOMPARE(values(fixture, 0x82, 1), (Bytes{0x04}));
    fixture.set(0x04, {0x11, 0x22, 0x33, 0x44, 0x05});
    QCOMPARE(values(fixture, 0x84, 5), (Bytes{0x11, 0x22, 0x33, 0x44, 0x05}));
    fixture.set(0x07, {0x00, 0x01, 0x02, 0x03});
    fixture.set(0x07, {0x02, 0x09, 0x08, 0x07});
    QCOMPARE(values(fixture, 0x87, 4, {0x00}), (Bytes{0x00, 0x01, 0x02, 0x03}));
    QCOMPARE(values(fixture, 0x87, 4, {0x02}), (Bytes{0x02, 0x09, 0x08, 0x07}));
    fixture.set(0x0B, {0x08});
    QCOMPARE(values(fixture, 0x8B, 1), (Bytes{0x08}));
    fixture.set(0x0D, {0x04, 0x80, 0x0c});
    QCOMPARE(values(fixture, 0x8D, 3), (Bytes{0x04, 0x80, 0x0c}));
}

void MouseCommandTest::outOfRangeValuesAreRefused() {
    VirtualDeviceFixture fixture;
    fixture.set(0x0B, {0x09});
    fixture.set(0x0B, {0x00});
    fixture.set(0x01, {0x03});
    QCOMPARE(values(fixture, 0x8B, 1), (Bytes{0x02}));
    QCOMPARE(values(fixture, 0x81, 1), (Bytes{0x01}));
    QVERIFY(!fixture.query(0x87, {0x04}));
    QVERIFY(!fixture.query(0x93, {0x0d}));
    QVERIFY(!fixture.query(0x93, {0x00}));
    QCOMPARE(fixture.logLines().filter("\"refused\": true").size(), 6);
}

void MouseCommandTest::colourTablesRoundTrip() {
    VirtualDeviceFixture fixture;
    const Bytes colours = pattern(24, 0x10);
    const Bytes stageColours = pattern(24, 0x80);
    const Bytes numbers = {0x01, 0x23, 0x45, 0x67};
    fixture.set(0x10, {0x00, 0x18}, colours);
    fixture.set(0x10, {0x01, 0x18}, stageColours);
    fixture.set(0x10, {0x02, 0x04}, numbers);
    QCOMPARE(fixture.bulkGet(0x90, {0x00}, 24), colours);
    QCOMPARE(fixture.bulkGet(0x90, {0x01}, 24), stageColours);
    QCOMPARE(fixture.bulkGet(0x90, {0x02}, 4), numbers);
}

void MouseCommandTest::dpiSetRoundTrip() {
    VirtualDeviceFixture fixture;
    const Bytes codes = {0x05, 0x09, 0x13, 0x80, 0x80, 0x80, 0x80, 0x80};
    fixture.set(0x11, {0x03, 0x08}, codes);
    TestScrambler::Body answer{};
    QCOMPARE(fixture.bulkGet(0x91, {}, 8, &answer), codes);
    QCOMPARE(answer[1], 0x03); // stage count
}

void MouseCommandTest::keyTableGetAlwaysReadsTableOne() {
    VirtualDeviceFixture fixture;
    const Bytes table1 = pattern(64, 0x01);
    fixture.set(0x12, {0x02, 0x40, 0x08}, pattern(64, 0x02));
    fixture.set(0x12, {0x01, 0x40, 0x08}, table1);
    fixture.set(0x12, {0x04, 0x40, 0x08}, pattern(64, 0x04));
    QCOMPARE(fixture.bulkGet(0x92, {0x01}, 64), table1);
    QCOMPARE(fixture.bulkGet(0x92, {0x04}, 64), table1);
    QVERIFY(fixture.readState().contains("key_table_4 04 0b 12"));
}

void MouseCommandTest::macrosRoundTrip() {
    VirtualDeviceFixture fixture;
    const Bytes first = pattern(128, 0x31);
    const Bytes last = pattern(128, 0x99);
    fixture.set(0x13, {0x01, 0x80}, first);
    fixture.set(0x13, {0x0c, 0x80}, last);
    fixture.set(0x13, {0x0d, 0x80}, pattern(128, 0x55)); // no slot 13: refused, reports ignored
    QCOMPARE(fixture.bulkGet(0x93, {0x01}, 128), first);
    QCOMPARE(fixture.bulkGet(0x93, {0x0c}, 128), last);
    QCOMPARE(fixture.bulkGet(0x93, {0x02}, 128), Bytes(128, 0x00));
}
