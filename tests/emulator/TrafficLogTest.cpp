#include "TrafficLogTest.h"

#include "VirtualDeviceFixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <thread>

void TrafficLogTest::everyReportIsLoggedAsOnTheWire() {
    VirtualDeviceFixture fixture;
    hid_device *event = fixture.openEvent();
    fixture.set(0x10, {0x02, 0x04}, {0x01, 0x23, 0x45, 0x67});
    hid_device *dev = fixture.openCommand();
    QCOMPARE(fixture.send(dev, 0x90, {0x02}), 9);
    QVERIFY(fixture.rawAnswer(dev));
    QCOMPARE(fixture.readReport(dev).size(), std::size_t(32));
    std::uint8_t ready[4];
    QCOMPARE(hid_read_timeout(event, ready, sizeof ready, 200), 4);

    const QString zeros28 = QString(" 00").repeated(28);
    const QStringList expected = {
        // Set frame 10 02 04 .. e9, scrambled with code 274951.
        R"({"kind": "feature_out", "hex": "00 16 ac b5 77 40 7e bf d6"})",
        R"({"kind": "output", "hex": "00 01 23 45 67)" + zeros28 + R"("})",
        // Get frame 90 02 .. 6d, scrambled.
        R"({"kind": "feature_out", "hex": "00 16 a8 95 77 44 7e bf b6"})",
        // Plain answer of a bulk get: 90 02 04 .. 69.
        R"({"kind": "feature_in", "hex": "00 90 02 04 00 00 00 00 69"})",
        R"({"kind": "input", "hex": "01 23 45 67)" + zeros28 + R"("})",
        R"({"kind": "event", "hex": "04 04 00 00"})",
    };
    QCOMPARE(fixture.logLines(), expected);
}

void TrafficLogTest::noLogWithoutTheVariable() {
    VirtualDeviceFixture fixture(VirtualDeviceFixture::withoutLog());
    QVERIFY(fixture.query(0x80));
    QVERIFY(!QFile::exists(fixture.logPath()));
}

void TrafficLogTest::linesFromManyThreadsStayWhole() {
    VirtualDeviceFixture fixture;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&fixture] {
            hid_device *dev = hid_open_path(fixture.commandPath().c_str());
            const Bytes report(33, 0x00);
            for (int i = 0; i < 50; ++i)
                hid_write(dev, report.data(), report.size());
            hid_close(dev);
        });
    for (std::thread &thread : threads)
        thread.join();

    const QStringList lines = fixture.logLines();
    QCOMPARE(lines.size(), 200);
    for (const QString &line : lines) {
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        QCOMPARE(object.value("kind").toString(), QString("output"));
        QCOMPARE(object.value("hex").toString().size(), 33 * 3 - 1);
    }
}
