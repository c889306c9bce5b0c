// The link against the virtual mouse: frames, scrambling, bulk chunking, pauses, and the link
// coming free after every outcome.
#include "FrameCodec.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "RecordingPrompt.h"
#include "VirtualMouse.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using Personality = VirtualMouse::Personality;

class LinkTest : public QObject {
    Q_OBJECT

    // A get of the current profile: the simplest exchange there is.
    static void startGet(Hid_Thread &hid, int n = 0) {
        QVERIFY(hid.claimLink());
        hid.commandFrame() = FrameCodec::build(0x82);
        hid.answerFrame() = FrameCodec::Frame{0, 0x82, 0x55};
        hid.receiveFrame(n);
    }

private slots:
    // Every frame's checksum is checked in the command test; none of those sums carries.
    void checksumDropsTheCarry() {
        Hid_Thread hid;
        uchar seven[7] = {0xff, 0xff, 0, 0, 0, 0, 0x03};
        // 0xff + 0xff + 0x03 = 0x201, cut to 8 bits 0x01, inverted 0xfe
        QCOMPARE(hid.hidCS(seven), uchar(0xfe));
    }

    void withoutScramblingFramesGoOutAsBuilt() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid, false));
        startGet(hid);
        QCOMPARE(mouse.reports("feature_out").value(0), bytesOf("00 82 00 00 00 00 00 00 7d"));
        // The device expects scrambled frames: the plain one is refused, the preset stays.
        QVERIFY(mouse.log().value(0).refused);
        QCOMPARE(hid.answerFrame()[2], uint8_t(0x55));
    }

    void bulkAnswerFrameIsNotDescrambled() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        uchar codes[8] = {};
        uchar stages = 0xee;
        QVERIFY(hid.hid_91H_GetDPISet(stages, codes));
        const QByteArray answer = mouse.reports("feature_in").value(0);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(hid.answerFrame().data()), 9), answer);
        QCOMPARE(stages, uchar(answer[2]));
    }

    void bulkChunking_data() {
        QTest::addColumn<int>("personality");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("reports");
        QTest::addColumn<int>("reportSize");
        QTest::newRow("mouse 8 bytes") << int(Personality::Mouse) << 8 << 1 << 33;
        QTest::newRow("mouse 64 bytes") << int(Personality::Mouse) << 64 << 2 << 33;
        QTest::newRow("keyboard 21 bytes") << int(Personality::Keyboard) << 21 << 1 << 65;
        QTest::newRow("keyboard 512 bytes") << int(Personality::Keyboard) << 512 << 8 << 65;
    }
    void bulkChunking() {
        QFETCH(int, personality);
        QFETCH(int, bytes);
        QFETCH(int, reports);
        QFETCH(int, reportSize);
        VirtualMouse mouse({}, Personality(personality));
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        QVERIFY(hid.claimLink());
        hid.commandFrame() = FrameCodec::build(0x7e); // unknown to both: only the transfer counts
        for (int i = 0; i < bytes; ++i)
            hid.bulkArea()[i] = uint8_t(i + 1);
        QVERIFY(hid.sendFrame(bytes, false));
        const QList<QByteArray> out = mouse.reports("output");
        QCOMPARE(out.size(), reports);
        const int chunk = reportSize - 1;
        for (int r = 0; r < reports; ++r) {
            QCOMPARE(out[r].size(), reportSize);
            QCOMPARE(out[r][0], '\0');
            for (int i = 0; i < chunk; ++i) {
                const int offset = r * chunk + i;
                QCOMPARE(uint8_t(out[r][1 + i]), uint8_t(offset < bytes ? offset + 1 : 0));
            }
        }
    }

    void settlePause_data() {
        QTest::addColumn<QString>("faults");
        QTest::newRow("short when the device says ready") << QString();
        QTest::newRow("long without a ready report") << QStringLiteral("no-ready");
    }
    void settlePause() {
        QFETCH(QString, faults);
        VirtualMouse mouse(faults);
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        QTRY_VERIFY(hid.isWatching());
        QTest::qWait(100); // let the watcher open the event interface
        QVERIFY(hid.claimLink());
        hid.commandFrame() = FrameCodec::build(0x0b, {3});
        QElapsedTimer timer;
        timer.start();
        QVERIFY(hid.sendFrame(0, true));
        // The long path takes two full steps, 128 ms at the least.
        if (faults.isEmpty())
            QVERIFY2(timer.elapsed() < 2 * Hid_Thread::SettleStepMs - 1,
                     qPrintable(QString::number(timer.elapsed())));
        else
            QVERIFY(timer.elapsed() >= 2 * Hid_Thread::SettleStepMs);
    }

    void failuresFreeTheLinkAndKeepThePreset_data() {
        QTest::addColumn<QString>("faults");
        QTest::addColumn<int>("bulkBytes");
        QTest::addColumn<int>("cause");
        using Cause = ExchangeFailure::Cause;
        QTest::newRow("write error") << "write-error" << 0 << int(Cause::WriteFailed);
        QTest::newRow("stalled bulk read") << "stall" << 64 << int(Cause::NoAnswer);
        QTest::newRow("no answer frame") << "no-answer" << 0 << int(Cause::NoAnswer);
        QTest::newRow("unplugged during the bulk read")
            << "unplug-after:3" << 64 << int(Cause::DeviceGone);
    }
    void failuresFreeTheLinkAndKeepThePreset() {
        QFETCH(QString, faults);
        QFETCH(int, bulkBytes);
        VirtualMouse mouse(faults);
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        uchar table[64];
        std::fill(std::begin(table), std::end(table), 0xab);
        if (bulkBytes > 0)
            hid.hid_92H_GetKeyMatrix(table);
        else
            startGet(hid);
        QVERIFY(hid.isLinkFree());
        QVERIFY(std::all_of(std::begin(table), std::end(table), [](uchar b) { return b == 0xab; }));
        if (bulkBytes == 0)
            QCOMPARE(hid.answerFrame()[2], uint8_t(0x55));
        // Each failure is recorded once, with its command and cause, for q7ctl to name.
        QFETCH(int, cause);
        const QList<ExchangeFailure> failures = hid.takeFailures();
        QCOMPARE(failures.size(), 1);
        QCOMPARE(int(failures[0].cause), cause);
        if (bulkBytes > 0)
            QCOMPARE(failures[0].code, uint8_t(0x92));
        QVERIFY(hid.takeFailures().isEmpty());
    }

    // A watcher that never ends must not hold a pool thread: on one CPU the pool has one, and
    // every set would wait behind it.
    void watcherLeavesThePoolFree() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        QTRY_VERIFY(hid.isWatching());
        QTRY_COMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        hid.hid_0BH_SetCurrentDPIStage(4);
        hid.hid_0BH_SetCurrentDPIStage(5);
        hid.waitForSend();
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
        QVERIFY(hid.takeFailures().isEmpty());
        QCOMPARE(mouse.reports(QStringLiteral("feature_out")).size(), 2);
    }

    void reportLengthZeroFailsBulkAtOnce() {
        VirtualMouse mouse;
        Hid_Thread hid;
        DeviceTable table = mouse.table();
        table[1].reportLength = 0;
        hid.scanDevices(table);
        LinkState::instance().scrambling = true;
        hid.swichCurDevice(1);
        QVERIFY(LinkState::instance().connected.load());
        QVERIFY(hid.claimLink());
        hid.commandFrame() = FrameCodec::build(0x11, {8, 8});
        QVERIFY(!hid.sendFrame(8, false));
        QVERIFY(hid.isLinkFree());
        QVERIFY(mouse.reports("output").isEmpty());
        QVERIFY(hid.claimLink());
        QVERIFY(!hid.receiveFrame(8));
        QVERIFY(hid.isLinkFree());
    }

    void demoModeSendsNothingAndGetsKeepPresets() {
        VirtualMouse mouse(QStringLiteral("absent"));
        RecordingPrompt prompt;
        QTemporaryDir dir;
        QSettings config(dir.filePath(QStringLiteral("apConfig.bin")), QSettings::IniFormat);
        config.setValue(QStringLiteral("common/sCode1"), QStringLiteral("m-vorkel"));
        Hid_Thread hid;
        hid.setSettingsSource([&config] { return &config; });
        QVERIFY(mouse.connect(hid)); // demo counts as connected
        QVERIFY(LinkState::instance().demoMode.load());
        QVERIFY(!LinkState::instance().scrambling.load());
        hid.hid_01H_SetReportRate(2);
        hid.waitForSend();
        uchar rate = 4;
        hid.hid_81H_GetReportRate(rate);
        QCOMPARE(rate, uchar(4));
        QString version = QStringLiteral("old");
        hid.hid_80H_GetFWVersion(version);
        QCOMPARE(version, QStringLiteral("unknown"));
        QVERIFY(hid.isLinkFree());
        // The eight-character demo code leaves the secrecy code as it was.
        QCOMPARE(LinkState::instance().secrecyCode(), FrameCodec::SecrecyCode{});
    }

    void setThenGetWaitsForTheLastReport() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        uchar table[64];
        for (int i = 0; i < 64; ++i)
            table[i] = uchar(i);
        hid.hid_12H_SetKeyMatrix(table, 1);
        uchar back[64] = {};
        hid.hid_92H_GetKeyMatrix(back);
        const QList<VirtualMouse::Report> log = mouse.log();
        int lastOutput = -1, getFrame = -1;
        for (int i = 0; i < log.size(); ++i) {
            if (log[i].kind == QLatin1String("output"))
                lastOutput = i;
            if (log[i].kind == QLatin1String("feature_out"))
                getFrame = i;
        }
        QVERIFY(lastOutput >= 0);
        QVERIFY(getFrame > lastOutput);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(back), 64),
                 QByteArray(reinterpret_cast<char *>(table), 64));
    }

    void watcherNoticesRemoval() {
        VirtualMouse mouse;
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        QTRY_VERIFY(hid.isWatching());
        qputenv("Q7_VIRTUAL_FAULT", "absent");
        mouse.restart();
        QTRY_VERIFY_WITH_TIMEOUT(!hid.isWatching(), 3000);
        // The watcher forgets the path just after it stops running.
        QTRY_VERIFY(hid.currentEntry().eventPath.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LinkTest)
#include "LinkTest.moc"
