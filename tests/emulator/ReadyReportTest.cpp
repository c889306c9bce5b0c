#include "ReadyReportTest.h"

#include "VirtualDeviceFixture.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

namespace {

const Bytes kReady = {0x04, 0x04, 0x00, 0x00};

Bytes readEvent(hid_device *dev, int timeoutMs) {
    Bytes buffer(16, 0xEE);
    const int n = hid_read_timeout(dev, buffer.data(), buffer.size(), timeoutMs);
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return buffer;
}

} // namespace

void ReadyReportTest::readyFollowsACommandAfterAShortDelay() {
    VirtualDeviceFixture fixture;
    hid_device *event = fixture.openEvent();
    hid_device *command = fixture.openCommand();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fixture.send(command, 0x0B, {0x03}), 9);
    QVERIFY(readEvent(event, 0).empty()); // not at once: the host clears its flag first
    QCOMPARE(readEvent(event, 500), kReady);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 12 && elapsed < 64, qPrintable(QString::number(elapsed)));
    QVERIFY(readEvent(event, 50).empty()); // one report per command
}

void ReadyReportTest::bulkSetIsReadyAgainAfterItsLastReport() {
    VirtualDeviceFixture fixture;
    hid_device *event = fixture.openEvent();
    hid_device *command = fixture.openCommand();
    QCOMPARE(fixture.send(command, 0x11, {0x08, 0x08}), 9);
    QCOMPARE(readEvent(event, 500), kReady);
    QVERIFY(readEvent(event, 40).empty()); // nothing until the data is complete

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fixture.writeReport(command, Bytes(8, 0x07)), 33);
    QCOMPARE(readEvent(event, 500), kReady);
    QVERIFY(clock.elapsed() >= 12);
}

void ReadyReportTest::readyReachesOnlyEventHandlesOpenWhenItIsDue() {
    VirtualDeviceFixture fixture;
    hid_device *early = fixture.openEvent();
    hid_device *command = fixture.openCommand();
    QCOMPARE(fixture.send(command, 0x80), 9);
    QThread::msleep(40);
    hid_device *late = fixture.openEvent();
    QCOMPARE(readEvent(early, 0), kReady); // waited in its queue
    QVERIFY(readEvent(late, 40).empty());
}

void ReadyReportTest::refusedFrameIsNeverReady() {
    VirtualDeviceFixture fixture;
    hid_device *event = fixture.openEvent();
    hid_device *command = fixture.openCommand();
    const std::uint8_t badFrame[9] = {0x00, 0x82, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x7d};
    QCOMPARE(hid_send_feature_report(command, badFrame, sizeof badFrame), 9); // not scrambled
    QVERIFY(readEvent(event, 60).empty());
}

// The host's pattern: a GUI thread doing gets, pool threads doing sets, a watcher reading
// the event interface with 500 ms time-outs, each opening its own handles.
void ReadyReportTest::concurrentHostThreads() {
    VirtualDeviceFixture fixture;
    std::atomic<bool> running = true;
    std::atomic<int> readyCount = 0;
    std::thread watcher([&] {
        while (running) {
            hid_device *event = hid_open_path(fixture.eventPath().c_str());
            std::uint8_t buffer[4];
            if (hid_read_timeout(event, buffer, sizeof buffer, 500) == 4)
                ++readyCount;
            hid_close(event);
        }
    });
    std::atomic<int> badSets = 0;
    std::thread setter([&] {
        hid_device *dev = hid_open_path(fixture.commandPath().c_str());
        for (int i = 0; i < 40; ++i) {
            const auto report = TestScrambler::commandReport(0x0D, {0x02, std::uint8_t(i), 0x01});
            if (hid_send_feature_report(dev, report.data(), report.size()) != 9)
                ++badSets;
        }
        hid_close(dev);
    });
    int goodGets = 0;
    for (int i = 0; i < 40; ++i) {
        const auto answer = fixture.query(0x80);
        if (answer && (*answer)[1] == 0x01 && (*answer)[2] == 0x05)
            ++goodGets;
    }
    setter.join();
    QThread::msleep(30);
    running = false;
    watcher.join();
    QCOMPARE(badSets.load(), 0);
    // Another thread's frame may come between a get's frame and its answer read; most fit.
    QVERIFY(goodGets > 0);
    QVERIFY(readyCount > 0);
    for (const QString &line : fixture.logLines())
        QVERIFY2(line.startsWith("{\"kind\": \"") && line.endsWith("}"), qPrintable(line));
}
