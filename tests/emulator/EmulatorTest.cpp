// The virtual mouse's own behaviour that the program's tests cannot see: what it lists, which
// frames it refuses, when ready reports come, and that nothing blocks for ever. Its answers to
// good frames are checked byte for byte by the link and command tests, which drive it too.
#include "VirtualMouseControl.h"

#include <hidapi.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <future>
#include <thread>

namespace {

// Report number 0, then bytes 1..8 as worked out by hand from the scrambling steps, code "274951"
// unless said otherwise.
const QByteArray getProfile = QByteArray::fromHex("00 16a81577340ebfb6");
const QByteArray getProfileCode123456 = QByteArray::fromHex("00 16a03d6f0c0ee7b6");
const QByteArray setRate2 = QByteArray::fromHex("00 16ac1d7740f6bfb6");
const QByteArray setRate2BadChecksum = QByteArray::fromHex("00 16ac157740f6bfb6");
const QByteArray getLedTypeOfAKeyboard = QByteArray::fromHex("00 16a8c577343ebfb6");
const QByteArray setDpiTable = QByteArray::fromHex("00 16ad0d77f076bff6");
const QByteArray ready = QByteArray::fromHex("04040000");

// A fresh device with its own state and log files; its handles are closed at the end.
class Device {
public:
    explicit Device(const QByteArray &faults = {}, const QByteArray &code = {},
                    bool keyboard = false) {
        qputenv("Q7_VIRTUAL_STATE", m_dir.filePath("state").toLocal8Bit());
        qputenv("Q7_VIRTUAL_LOG", m_dir.filePath("log").toLocal8Bit());
        qputenv("Q7_VIRTUAL_FAULT", faults);
        if (code.isEmpty())
            qunsetenv("Q7_VIRTUAL_CODE");
        else
            qputenv("Q7_VIRTUAL_CODE", code);
        if (keyboard)
            qputenv("Q7_VIRTUAL_DEVICE", "keyboard");
        else
            qunsetenv("Q7_VIRTUAL_DEVICE");
        q7vm_reset_for_tests();
    }
    ~Device() {
        for (hid_device *dev : m_handles)
            hid_close(dev);
        q7vm_reset_for_tests();
    }
    hid_device *open(const char *interface) {
        hid_device *dev = hid_open_path((QByteArray("virtual-q7/") + interface).constData());
        if (dev)
            m_handles.push_back(dev);
        return dev;
    }
    QByteArray log() const {
        QFile file(m_dir.filePath("log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    std::vector<hid_device *> m_handles;
};

int send(hid_device *dev, const QByteArray &frame) {
    return hid_send_feature_report(dev, reinterpret_cast<const unsigned char *>(frame.data()),
                                   std::size_t(frame.size()));
}

// The answer as it came over the wire; empty when there was none.
QByteArray answer(hid_device *dev) {
    unsigned char buffer[9] = {};
    if (hid_get_feature_report(dev, buffer, sizeof buffer) != 9)
        return {};
    return QByteArray(reinterpret_cast<const char *>(buffer), 9);
}

QByteArray readEvent(hid_device *dev, int timeoutMs) {
    std::uint8_t buffer[16];
    const int n = hid_read_timeout(dev, buffer, sizeof buffer, timeoutMs);
    return QByteArray(reinterpret_cast<const char *>(buffer), std::max(n, 0));
}

int count(unsigned short vendor, unsigned short product) {
    int n = 0;
    hid_device_info *all = hid_enumerate(vendor, product);
    for (hid_device_info *i = all; i; i = i->next)
        ++n;
    hid_free_enumeration(all);
    return n;
}

} // namespace

class EmulatorTest : public QObject {
    Q_OBJECT

private slots:
    void listsItsInterfacesByIds() {
        {
            Device mouse;
            QCOMPARE(count(0x04d9, 0xa09f), 2);
            QCOMPARE(count(0, 0), 2);
            QCOMPARE(count(0x04d9, 0x8008), 0);
            QVERIFY(mouse.open("command") && mouse.open("event"));
            QVERIFY(!hid_open_path("virtual-q7/other"));
        }
        {
            Device keyboard({}, {}, true);
            QCOMPARE(count(0x04d9, 0x8008), 2);
            QCOMPARE(count(0x04d9, 0xa09f), 0);
        }
        Device absent("absent");
        QCOMPARE(count(0, 0), 0);
        QVERIFY(!absent.open("command"));
    }

    // A device that took any frame would let the program's scrambling faults through.
    void refusesFramesItCannotRead_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("bad checksum") << QByteArray() << setRate2BadChecksum;
        QTest::newRow("another code") << QByteArray() << getProfileCode123456;
        QTest::newRow("not its code") << QByteArray("123456") << getProfile;
        QTest::newRow("keyboard command") << QByteArray() << getLedTypeOfAKeyboard;
        QTest::newRow("not scrambled") << QByteArray() << QByteArray::fromHex("00820000000000007d");
    }
    void refusesFramesItCannotRead() {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, frame);
        Device mouse({}, code);
        hid_device *command = mouse.open("command");
        hid_device *event = mouse.open("event");
        QCOMPARE(send(command, frame), 9);
        QVERIFY(answer(command).isEmpty());
        QVERIFY(readEvent(event, 60).isEmpty()); // a refused frame is never ready
        QVERIFY(mouse.log().trimmed().endsWith(", \"refused\": true}"));
        // The configured code is taken.
        const QByteArray good = code.isEmpty() ? getProfile : getProfileCode123456;
        QCOMPARE(send(command, good), 9);
        QCOMPARE(answer(command), good); // profile 0 echoes the frame
    }

    // Ready comes once per command, a little later, to event handles open when it is due; a bulk
    // set is ready again only after its last report.
    void readyReports() {
        Device mouse;
        hid_device *early = mouse.open("event");
        hid_device *command = mouse.open("command");
        QCOMPARE(send(command, setRate2), 9);
        QVERIFY(readEvent(early, 0).isEmpty()); // not at once: the host clears its flag first
        QThread::msleep(40);
        hid_device *late = mouse.open("event");
        QCOMPARE(readEvent(early, 0), ready);
        QVERIFY(readEvent(early, 40).isEmpty());
        QVERIFY(readEvent(late, 40).isEmpty());

        QCOMPARE(send(command, setDpiTable), 9);
        QCOMPARE(readEvent(early, 500), ready);
        QVERIFY(readEvent(early, 40).isEmpty());
        std::uint8_t report[33] = {};
        QCOMPARE(hid_write(command, report, sizeof report), 33);
        QCOMPARE(readEvent(early, 500), ready);
    }

    void unplugAndStallReleaseBlockedReaders() {
        {
            Device mouse("unplug-after:1");
            hid_device *reader = mouse.open("command");
            hid_device *sender = mouse.open("command");
            auto blocked = std::async(std::launch::async, [reader] {
                std::uint8_t buffer[33];
                return hid_read(reader, buffer, sizeof buffer);
            });
            QThread::msleep(30);
            QCOMPARE(send(sender, QByteArray(9, 0)), 9); // refused, but a transfer all the same
            if (blocked.wait_for(std::chrono::seconds(2)) != std::future_status::ready)
                q7vm_reset_for_tests(); // let the reader go before failing
            QCOMPARE(blocked.get(), -1);
            QVERIFY(QString::fromWCharArray(hid_error(reader)).contains("disconnected"));
            QCOMPARE(count(0, 0), 0);
        }
        Device mouse("stall");
        hid_device *dev = mouse.open("command");
        std::atomic<int> result = 0;
        std::thread blocked([&] {
            std::uint8_t report[33];
            result = hid_read(dev, report, sizeof report);
        });
        QThread::msleep(100);
        QCOMPARE(result.load(), 0);
        q7vm_reset_for_tests(); // the only way out: the handle goes stale
        blocked.join();
        QCOMPARE(result.load(), -1);
    }

    // The host's pattern, for the thread sanitizer: gets, sets and a watcher at once, each on its
    // own handles.
    void concurrentHostThreads() {
        Device mouse;
        std::atomic<bool> running = true;
        std::atomic<int> readyCount = 0, badSets = 0;
        std::thread watcher([&] {
            while (running) {
                hid_device *event = hid_open_path("virtual-q7/event");
                std::uint8_t buffer[4];
                if (hid_read_timeout(event, buffer, sizeof buffer, 500) == 4)
                    ++readyCount;
                hid_close(event);
            }
        });
        std::thread setter([&] {
            hid_device *dev = hid_open_path("virtual-q7/command");
            for (int i = 0; i < 40; ++i)
                badSets += send(dev, setRate2) != 9;
            hid_close(dev);
        });
        int goodGets = 0;
        for (int i = 0; i < 40; ++i) {
            hid_device *dev = hid_open_path("virtual-q7/command");
            goodGets += send(dev, getProfile) == 9 && answer(dev) == getProfile;
            hid_close(dev);
        }
        setter.join();
        QThread::msleep(30);
        running = false;
        watcher.join();
        QCOMPARE(badSets.load(), 0);
        // Another thread's frame may come between a get's frame and its answer read; most fit.
        QVERIFY(goodGets > 0);
        QVERIFY(readyCount > 0);
    }
};

QTEST_GUILESS_MAIN(EmulatorTest)
#include "EmulatorTest.moc"
