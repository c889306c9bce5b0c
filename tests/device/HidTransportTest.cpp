// The stock hidapi keeps one error text for the whole process and frees it in every open and
// every listing, without a lock. The window's device check, its event watcher and its exchanges
// open and list from different threads, most of all after an unplug; unserialised, that freed the
// same text twice (AddressSanitizer reports it at once; without it the heap was corrupted).
#include "HidTransport.h"

#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

class HidTransportTest : public QObject {
    Q_OBJECT

private slots:
    void threadsOpenAndListAtOnce() {
        constexpr int Threads = 4;
        constexpr int Rounds = 2000;
        HidTransport::init();
        std::atomic<int> opened{0}, denied{0}, listed{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < Threads; ++t)
            threads.emplace_back([&, t] {
                for (int i = 0; i < Rounds; ++i) {
                    if (t == 0) {
                        // The vendor id our mouse uses with a product id no device has.
                        listed += int(HidTransport::list(0x04d9, 0xfffe).size());
                        continue;
                    }
                    bool refused = true;
                    hid_device *device =
                        HidTransport::open(QStringLiteral("/nonexistent/hidraw99"), &refused);
                    opened += device != nullptr;
                    denied += refused;
                    HidTransport::close(device);
                }
            });
        for (std::thread &t : threads)
            t.join();
        QCOMPARE(opened.load(), 0);
        QCOMPARE(denied.load(), 0); // a missing node is not a refusal
        QCOMPARE(listed.load(), 0);
    }
};

QTEST_GUILESS_MAIN(HidTransportTest)
#include "HidTransportTest.moc"
