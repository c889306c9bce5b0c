// Every operation of both command sets, byte for byte on the wire, and round trips through the
// virtual mouse.
#include "GoldenFrames.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "RecordingPrompt.h"
#include "VirtualMouse.h"
#include "WireDescrambler.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTest>

#include <functional>

using Personality = VirtualMouse::Personality;
using Operation = std::function<void(Hid_Thread &)>;
Q_DECLARE_METATYPE(Operation)

namespace {
uchar buffer[512];
uchar out1, out2, out3, out4, out5;
QString text;
} // namespace

class CommandSetTest : public QObject {
    Q_OBJECT

    // The frame and report counts come from the shared golden table.
    static void row(const char *name, Personality p, Operation op) {
        const GoldenFrame &golden = goldenFrame(name);
        QTest::newRow(name) << int(p) << bytesOf(golden.frame) << golden.outputs << golden.inputs
                            << op;
    }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("default.debug=true")); }

    void framesOnTheWire_data() {
        QTest::addColumn<int>("personality");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("outputs");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<Operation>("operation");
        const auto K = Personality::Keyboard;
        const auto M = Personality::Mouse;
        // clang-format off
        row("k 01 report rate",   K, [](Hid_Thread &h) { h.hid_01H_SetReportRate(2); });
        row("k 02 profile",       K, [](Hid_Thread &h) { h.hid_02H_SetCurrentProfile(3); });
        row("k 03 options",       K, [](Hid_Thread &h) { h.hid_03H_SetKeyboardoption(1, 2, 3, 4); });
        row("k 04 sensitivity",   K, [](Hid_Thread &h) { h.hid_04H_SetButtonSensitivity(5, 6, 7, 8, 9); });
        row("k 07 indicator",     K, [](Hid_Thread &h) { h.hid_07H_SetControlIndicatorLight(1, 2); });
        row("k 08 led type",      K, [](Hid_Thread &h) { h.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6); });
        row("k 09 mode",          K, [](Hid_Thread &h) { h.hid_09H_SetKeyboardMode(2); });
        row("k 0D key matrix",    K, [](Hid_Thread &h) { h.hid_0DH_SetKeyMatrix(buffer); });
        row("k 0E key on/off",    K, [](Hid_Thread &h) { h.hid_0EH_SetKeyOnOff(buffer); });
        row("k 11 macro",         K, [](Hid_Thread &h) { h.hid_11H_SetMacroKey(5, buffer); });
        row("k 12 user picture",  K, [](Hid_Thread &h) { h.hid_12H_SetUserPicture(2, 1, buffer); });
        row("k 13 recovery",      K, [](Hid_Thread &h) { h.hid_13H_SetRecoveryData(); });
        row("k 14 colour",        K, [](Hid_Thread &h) { h.hid_14H_SetColor(3, 0x10, 0x20, 0x30); });
        row("k 80 version",       K, [](Hid_Thread &h) { h.hid_80H_GetFWVersion(text); });
        row("k 81 report rate",   K, [](Hid_Thread &h) { h.hid_81H_GetReportRate(out1); });
        row("k 82 profile",       K, [](Hid_Thread &h) { h.hid_82H_GetCurrentProfile(out1); });
        row("k 83 options",       K, [](Hid_Thread &h) { h.hid_83H_GetKeyboardoption(out1, out2, out3, out4); });
        row("k 84 sensitivity",   K, [](Hid_Thread &h) { h.hid_84H_GetButtonSensitivity(out1, out2, out3, out4); });
        row("k 88 led type",      K, [](Hid_Thread &h) { h.hid_88H_GetLEDType(out1, out2, out3, out4, out5); });
        row("k 89 mode",          K, [](Hid_Thread &h) { h.hid_89H_GetKeyboardMode(out1); });
        row("k 8D key matrix",    K, [](Hid_Thread &h) { h.hid_8DH_GetKeyMatrix(buffer); });
        row("k 8E key on/off",    K, [](Hid_Thread &h) { h.hid_8EH_GetKeyOnOff(buffer); });
        row("k 91 macro",         K, [](Hid_Thread &h) { h.hid_91H_GetMacroKey(5, buffer); });
        row("k 92 user picture",  K, [](Hid_Thread &h) { h.hid_92H_GetUserPicture(2, buffer); });
        row("k 94 colour",        K, [](Hid_Thread &h) { h.hid_94H_GetColor(3, out1, out2, out3); });
        row("m 03 options",       M, [](Hid_Thread &h) { h.hid_03H_SetFunctionOption(3, 1, 0x40, 8); });
        row("m 07 led instruct",  M, [](Hid_Thread &h) { h.hid_07H_SetLEDInstructFunction(0, 1, 2, 3); });
        row("m 0B dpi stage",     M, [](Hid_Thread &h) { h.hid_0BH_SetCurrentDPIStage(4); });
        row("m 0D rgb effect",    M, [](Hid_Thread &h) { h.hid_0DH_SetRGBLedEffect(2, 200, 5); });
        row("m 10 colours type 2",M, [](Hid_Thread &h) { h.hid_10H_SetLED8StageColor(2, buffer); });
        row("m 10 colours type 1",M, [](Hid_Thread &h) { h.hid_10H_SetLED8StageColor(1, buffer); });
        row("m 11 dpi set",       M, [](Hid_Thread &h) { h.hid_11H_SetDPISet(6, buffer); });
        row("m 12 key matrix",    M, [](Hid_Thread &h) { h.hid_12H_SetKeyMatrix(buffer, 1); });
        row("m 13 macro",         M, [](Hid_Thread &h) { h.hid_13H_SetMacroKey(7, buffer); });
        row("m 83 options",       M, [](Hid_Thread &h) { h.hid_83H_GetFunctionOption(out1, out2, out3); });
        row("m 87 led instruct",  M, [](Hid_Thread &h) { h.hid_87H_GetLEDInstructFunction(0, out1, out2, out3); });
        row("m 8B dpi stage",     M, [](Hid_Thread &h) { h.hid_8BH_GetCurrentDPIStage(out1); });
        row("m 8D rgb effect",    M, [](Hid_Thread &h) { h.hid_8DH_GetRGBLedEffect(out1, out2, out3); });
        row("m 90 colours",       M, [](Hid_Thread &h) { h.hid_90H_GetLED8StageColor(1, buffer); });
        row("m 91 dpi set",       M, [](Hid_Thread &h) { h.hid_91H_GetDPISet(out1, buffer); });
        row("m 92 key matrix",    M, [](Hid_Thread &h) { h.hid_92H_GetKeyMatrix(buffer); });
        row("m 93 macro",         M, [](Hid_Thread &h) { h.hid_93H_GetMacroKey(7, buffer); });
        // clang-format on
    }

    void framesOnTheWire() {
        QFETCH(int, personality);
        QFETCH(QByteArray, frame);
        QFETCH(int, outputs);
        QFETCH(int, inputs);
        QFETCH(Operation, operation);
        VirtualMouse mouse({}, Personality(personality));
        Hid_Thread hid;
        QVERIFY(mouse.connect(hid));
        for (int i = 0; i < 512; ++i)
            buffer[i] = uchar(i * 7 + 1);
        mouse.clearLog();
        operation(hid);
        hid.waitForSend();
        QVERIFY(hid.isLinkFree());
        const QList<QByteArray> frames = mouse.reports(QStringLiteral("feature_out"));
        QCOMPARE(frames.size(), 1);
        QCOMPARE(descrambleWireFrame(frames[0]), frame);
        QCOMPARE(mouse.reports(QStringLiteral("output")).size(), outputs);
        QCOMPARE(mouse.reports(QStringLiteral("input")).size(), inputs);
        for (const VirtualMouse::Report &r : mouse.log())
            QVERIFY2(!r.refused, "the virtual mouse refused a frame");
    }

    // The gets read their values from the right answer bytes. The bulk gets are read back in
    // the link test (key table), the view test (user picture) and here (packed colours).
    void getsReadWhatTheSetsStored() {
        uchar a = 0, b = 0, c = 0;
        QString version;
        {
            VirtualMouse mouse;
            Hid_Thread hid;
            QVERIFY(mouse.connect(hid));
            hid.hid_07H_SetLEDInstructFunction(0, 0, 9, 8);
            hid.hid_0BH_SetCurrentDPIStage(5);
            hid.hid_0DH_SetRGBLedEffect(3, 128, 7);
            uchar packed[24] = {0x21, 0x43, 0x65, 0x87};
            hid.hid_10H_SetLED8StageColor(2, packed);
            QVERIFY(hid.hid_87H_GetLEDInstructFunction(0, a, b, c));
            QCOMPARE(QList<int>({a, b, c}), QList<int>({0, 9, 8}));
            hid.hid_8BH_GetCurrentDPIStage(a);
            QCOMPARE(a, uchar(5));
            hid.hid_8DH_GetRGBLedEffect(a, b, c);
            QCOMPARE(QList<int>({a, b, c}), QList<int>({3, 128, 7}));
            // Type 2 reads four bytes back and leaves the rest of the caller's buffer.
            uchar back[24];
            std::fill(std::begin(back), std::end(back), 0xee);
            hid.hid_90H_GetLED8StageColor(2, back);
            QCOMPARE(QByteArray(reinterpret_cast<char *>(back), 6), bytesOf("21 43 65 87 ee ee"));
            hid.hid_80H_GetFWVersion(version);
            QCOMPARE(version, QStringLiteral("1.05")); // the virtual mouse's factory version
        }
        VirtualMouse keyboard({}, Personality::Keyboard);
        Hid_Thread hid;
        QVERIFY(keyboard.connect(hid));
        hid.hid_14H_SetColor(3, 1, 2, 3);
        hid.hid_08H_SetLEDType(1, 2, 3, 4, 5, 6);
        hid.hid_94H_GetColor(3, a, b, c);
        QCOMPARE(QList<int>({a, b, c}), QList<int>({1, 2, 3}));
        uchar effect = 0, speed = 0, light = 0, color = 0, direction = 0;
        hid.hid_88H_GetLEDType(effect, speed, light, color, direction);
        QCOMPARE(QList<int>({effect, speed, light, color, direction}), QList<int>({2, 3, 4, 5, 6}));
        hid.hid_80H_GetFWVersion(version);
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9a-f]+\\.[0-9A-F]{2}$"))
                     .match(version)
                     .hasMatch(),
                 qPrintable(version));
    }

    void presetsWhenTheExchangeFails() {
        VirtualMouse mouse(QStringLiteral("absent"));
        RecordingPrompt prompt;
        Hid_Thread hid;
        QVERIFY(!mouse.connect(hid));
        hid.hid_0BH_SetCurrentDPIStage(2);
        hid.waitForSend();
        QVERIFY(hid.isLinkFree());
        QVERIFY(mouse.log().isEmpty());
        // Keyboard gets hand back the caller's values, mouse value gets zeros.
        uchar a = 11, b = 12, c = 13, d = 14;
        hid.hid_83H_GetKeyboardoption(a, b, c, d);
        QCOMPARE(QList<int>({a, b, c, d}), QList<int>({11, 12, 13, 14}));
        hid.hid_83H_GetFunctionOption(a, b, c);
        QCOMPARE(QList<int>({a, b, c}), QList<int>({0, 0, 0}));
        a = 9;
        hid.hid_8DH_GetRGBLedEffect(a, b, c);
        QCOMPARE(a, uchar(0));
        // Boolean gets say false and touch nothing.
        a = 21, b = 22, c = 23;
        QVERIFY(!hid.hid_87H_GetLEDInstructFunction(0, a, b, c));
        QCOMPARE(QList<int>({a, b, c}), QList<int>({21, 22, 23}));
        uchar stages = 3, codes[8] = {9, 9, 9, 9, 9, 9, 9, 9};
        QVERIFY(!hid.hid_91H_GetDPISet(stages, codes));
        QCOMPARE(stages, uchar(3));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(codes), 8), QByteArray(8, '\x09'));
        // Bulk gets keep the caller's buffer: see the link test's failures.
    }

    void busyLinkLines() {
        Hid_Thread hid;
        QVERIFY(hid.claimLink()); // an exchange that never ends
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 0D");
        hid.hid_0DH_SetRGBLedEffect(1, 2, 3);
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed");
        uchar rate = 8;
        QElapsedTimer timer;
        timer.start();
        hid.hid_81H_GetReportRate(rate);
        // The get waited its full turn for the link, then gave up with the preset.
        QVERIFY(timer.elapsed() >= Hid_Thread::ClaimRounds * Hid_Thread::ClaimWaitMs);
        QCOMPARE(rate, uchar(8));
        QVERIFY(!hid.isLinkFree());
    }
};

QTEST_GUILESS_MAIN(CommandSetTest)
#include "CommandSetTest.moc"
