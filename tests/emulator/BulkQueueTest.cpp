#include "BulkQueueTest.h"

#include "VirtualDeviceFixture.h"
#include "VirtualMouseControl.h"

#include <QTest>
#include <QThread>

#include <future>

void BulkQueueTest::everyOpenCommandHandleGetsTheReports() {
    VirtualDeviceFixture fixture;
    hid_device *a = fixture.openCommand();
    hid_device *b = fixture.openCommand();
    QCOMPARE(fixture.send(a, 0x93, {0x01}), 9);
    for (hid_device *dev : {a, b}) {
        for (int i = 0; i < 4; ++i)
            QCOMPARE(fixture.readReport(dev, 100).size(), std::size_t(32));
        QVERIFY(fixture.readReport(dev, 30).empty()); // 128 bytes are exactly four reports
    }
}

void BulkQueueTest::reportsReachOnlyHandlesOpenWhenTheyArrive() {
    VirtualDeviceFixture fixture;
    hid_device *sender = fixture.openCommand();
    QCOMPARE(fixture.send(sender, 0x91), 9);
    hid_device *late = fixture.openCommand();
    QVERIFY(fixture.readReport(late, 50).empty());

    // A host that reopens its handle between frame and reads loses the data, as on hidraw.
    fixture.close(sender);
    QVERIFY(fixture.readReport(fixture.openCommand(), 50).empty());
}

void BulkQueueTest::shortReadBufferTakesTheStartOfTheReport() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x91), 9);
    std::uint8_t buffer[4] = {};
    QCOMPARE(hid_read_timeout(dev, buffer, sizeof buffer, 100), 4);
    QCOMPARE(Bytes(buffer, buffer + 4), (Bytes{0x07, 0x0f, 0x17, 0x1f}));
}

void BulkQueueTest::incompleteBulkSetStoresNothing() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x13, {0x01, 0x80}), 9);
    QCOMPARE(fixture.writeReport(dev, Bytes(32, 0xAA)), 33);
    QCOMPARE(fixture.writeReport(dev, Bytes(32, 0xAA)), 33);
    QCOMPARE(fixture.send(dev, 0x80), 9); // interrupts the transfer
    QCOMPARE(fixture.writeReport(dev, Bytes(32, 0xAA)), 33);
    QCOMPARE(fixture.writeReport(dev, Bytes(32, 0xAA)), 33);
    QCOMPARE(fixture.bulkGet(0x93, {0x01}, 128), Bytes(128, 0x00));
}

void BulkQueueTest::outputReportsMustFitTheReportLength() {
    VirtualDeviceFixture fixture;
    hid_device *dev = fixture.openCommand();
    Bytes tooLong(34, 0x00);
    QCOMPARE(hid_write(dev, tooLong.data(), tooLong.size()), -1);
    QVERIFY(QString::fromWCharArray(hid_error(dev)).contains("33"));
    Bytes otherReport(33, 0x00);
    otherReport[0] = 0x01;
    QCOMPARE(hid_write(dev, otherReport.data(), otherReport.size()), -1);

    // A short write reaches the device zero-padded: two data bytes make a whole report.
    QCOMPARE(fixture.send(dev, 0x10, {0x02, 0x04}), 9);
    const std::uint8_t shortReport[] = {0x00, 0x21, 0x43};
    QCOMPARE(hid_write(dev, shortReport, sizeof shortReport), 3);
    QCOMPARE(fixture.bulkGet(0x90, {0x02}, 4), (Bytes{0x21, 0x43, 0x00, 0x00}));
}

void BulkQueueTest::blockingReadWaitsAndNonblockingReturnsAtOnce() {
    VirtualDeviceFixture fixture;
    hid_device *reader = fixture.openCommand();
    hid_device *sender = fixture.openCommand();
    std::uint8_t buffer[33];
    QCOMPARE(hid_set_nonblocking(reader, 1), 0);
    QCOMPARE(hid_read(reader, buffer, sizeof buffer), 0);
    QCOMPARE(hid_set_nonblocking(reader, 0), 0);

    auto blocked =
        std::async(std::launch::async, [&] { return hid_read(reader, buffer, sizeof buffer); });
    QCOMPARE(blocked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    QCOMPARE(fixture.send(sender, 0x91), 9);
    if (blocked.wait_for(std::chrono::seconds(2)) != std::future_status::ready)
        q7vm_reset_for_tests(); // let the reader go before failing
    QCOMPARE(blocked.get(), 32);
}
