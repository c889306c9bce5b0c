#include "FaultTest.h"

#include "VirtualDeviceFixture.h"
#include "VirtualMouseControl.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <atomic>
#include <future>
#include <thread>

void FaultTest::absentDeviceIsNeitherListedNorOpened() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("absent"));
    QVERIFY(!hid_enumerate(0, 0));
    QVERIFY(!fixture.openCommand());
    QVERIFY(!hid_open(0x04d9, 0xa09f, nullptr));
}

void FaultTest::unplugAfterTransfers() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("unplug-after:3"));
    hid_device *dev = fixture.openCommand();
    hid_device *event = fixture.openEvent();
    QCOMPARE(fixture.send(dev, 0x91), 9);                      // 1
    QVERIFY(fixture.rawAnswer(dev));                           // 2
    QCOMPARE(fixture.readReport(dev).size(), std::size_t(32)); // 3, the last one
    QCOMPARE(fixture.send(dev, 0x80), -1);
    QVERIFY(QString::fromWCharArray(hid_error(dev)).contains("disconnected"));
    std::uint8_t buffer[4];
    QCOMPARE(hid_read_timeout(event, buffer, 4, 100), -1);
    QVERIFY(!hid_enumerate(0, 0));
    QVERIFY(!fixture.openCommand());
}

void FaultTest::unplugWakesABlockedReader() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("unplug-after:1"));
    hid_device *reader = fixture.openCommand();
    hid_device *sender = fixture.openCommand();
    auto blocked = std::async(std::launch::async, [reader] {
        std::uint8_t buffer[33];
        return hid_read(reader, buffer, sizeof buffer);
    });
    QThread::msleep(30);
    std::uint8_t frame[9] = {}; // refused, but a transfer all the same
    QCOMPARE(hid_send_feature_report(sender, frame, sizeof frame), 9);
    if (blocked.wait_for(std::chrono::seconds(2)) != std::future_status::ready)
        q7vm_reset_for_tests(); // let the reader go before failing
    QCOMPARE(blocked.get(), -1);
    QVERIFY(QString::fromWCharArray(hid_error(reader)).contains("disconnected"));
}

void FaultTest::writeError() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("write-error"));
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x80), -1);
    QCOMPARE(fixture.writeReport(dev, Bytes(32, 0x00)), -1);
    QVERIFY(fixture.logLines().isEmpty()); // nothing reached the device
}

void FaultTest::stallHoldsBackCommandInputOnly() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("stall"));
    hid_device *dev = fixture.openCommand();
    hid_device *event = fixture.openEvent();
    QCOMPARE(fixture.send(dev, 0x91), 9);
    QVERIFY(fixture.rawAnswer(dev)); // the answer frame still comes
    QVERIFY(fixture.readReport(dev, 80).empty());
    std::uint8_t buffer[4];
    QCOMPARE(hid_read_timeout(event, buffer, 4, 200), 4); // ready reports still come

    std::atomic<int> result = 0;
    std::thread blocked([&] {
        std::uint8_t report[33];
        result = hid_read(dev, report, sizeof report);
    });
    QThread::msleep(100);
    QCOMPARE(result.load(), 0); // still blocked
    q7vm_reset_for_tests();     // the only way out: the handle goes stale
    blocked.join();
    QCOMPARE(result.load(), -1);
}

void FaultTest::noReady() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("no-ready"));
    hid_device *event = fixture.openEvent();
    QCOMPARE(fixture.query(0x80)->at(0), 0x80);
    std::uint8_t buffer[4];
    QCOMPARE(hid_read_timeout(event, buffer, 4, 80), 0);
}

void FaultTest::slowTransfers() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults("slow:40"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(fixture.query(0x80)); // two transfers
    QVERIFY(clock.elapsed() >= 80);
}

void FaultTest::unknownFaultsAreIgnored() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::faults(" bogus, slow:abc ,no-ready"));
    QVERIFY(fixture.query(0x80));
    hid_device *event = fixture.openEvent();
    std::uint8_t buffer[4];
    QCOMPARE(hid_read_timeout(event, buffer, 4, 60), 0); // the known one still applies
}
