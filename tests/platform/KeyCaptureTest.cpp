// The translator: the composed map against the USB HID keyboard page, the key state table, the
// overrides, the layout flag, the buttons; the in-window filter that feeds it; install and remove.
#include "InputCapture.h"
#include "KeyTranslator.h"
#include "ReportRecorder.h"
#include "WindowInputFilter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <linux/input-event-codes.h>

#include <map>

namespace {

// USB HID Usage Tables, Keyboard/Keypad page (0x07), for the 105 keys captured, by Linux key.
const std::map<unsigned, int> expectedUsages = {
    {KEY_A, 0x04},          {KEY_B, 0x05},         {KEY_C, 0x06},          {KEY_D, 0x07},
    {KEY_E, 0x08},          {KEY_F, 0x09},         {KEY_G, 0x0A},          {KEY_H, 0x0B},
    {KEY_I, 0x0C},          {KEY_J, 0x0D},         {KEY_K, 0x0E},          {KEY_L, 0x0F},
    {KEY_M, 0x10},          {KEY_N, 0x11},         {KEY_O, 0x12},          {KEY_P, 0x13},
    {KEY_Q, 0x14},          {KEY_R, 0x15},         {KEY_S, 0x16},          {KEY_T, 0x17},
    {KEY_U, 0x18},          {KEY_V, 0x19},         {KEY_W, 0x1A},          {KEY_X, 0x1B},
    {KEY_Y, 0x1C},          {KEY_Z, 0x1D},         {KEY_1, 0x1E},          {KEY_2, 0x1F},
    {KEY_3, 0x20},          {KEY_4, 0x21},         {KEY_5, 0x22},          {KEY_6, 0x23},
    {KEY_7, 0x24},          {KEY_8, 0x25},         {KEY_9, 0x26},          {KEY_0, 0x27},
    {KEY_ENTER, 0x28},      {KEY_ESC, 0x29},       {KEY_BACKSPACE, 0x2A},  {KEY_TAB, 0x2B},
    {KEY_SPACE, 0x2C},      {KEY_MINUS, 0x2D},     {KEY_EQUAL, 0x2E},      {KEY_LEFTBRACE, 0x2F},
    {KEY_RIGHTBRACE, 0x30}, {KEY_BACKSLASH, 0x31}, {KEY_SEMICOLON, 0x33},  {KEY_APOSTROPHE, 0x34},
    {KEY_GRAVE, 0x35},      {KEY_COMMA, 0x36},     {KEY_DOT, 0x37},        {KEY_SLASH, 0x38},
    {KEY_CAPSLOCK, 0x39},   {KEY_F1, 0x3A},        {KEY_F2, 0x3B},         {KEY_F3, 0x3C},
    {KEY_F4, 0x3D},         {KEY_F5, 0x3E},        {KEY_F6, 0x3F},         {KEY_F7, 0x40},
    {KEY_F8, 0x41},         {KEY_F9, 0x42},        {KEY_F10, 0x43},        {KEY_F11, 0x44},
    {KEY_F12, 0x45},        {KEY_SYSRQ, 0x46},     {KEY_SCROLLLOCK, 0x47}, {KEY_PAUSE, 0x48},
    {KEY_INSERT, 0x49},     {KEY_HOME, 0x4A},      {KEY_PAGEUP, 0x4B},     {KEY_DELETE, 0x4C},
    {KEY_END, 0x4D},        {KEY_PAGEDOWN, 0x4E},  {KEY_RIGHT, 0x4F},      {KEY_LEFT, 0x50},
    {KEY_DOWN, 0x51},       {KEY_UP, 0x52},        {KEY_NUMLOCK, 0x53},    {KEY_KPSLASH, 0x54},
    {KEY_KPASTERISK, 0x55}, {KEY_KPMINUS, 0x56},   {KEY_KPPLUS, 0x57},     {KEY_KPENTER, 0x58},
    {KEY_KP1, 0x59},        {KEY_KP2, 0x5A},       {KEY_KP3, 0x5B},        {KEY_KP4, 0x5C},
    {KEY_KP5, 0x5D},        {KEY_KP6, 0x5E},       {KEY_KP7, 0x5F},        {KEY_KP8, 0x60},
    {KEY_KP9, 0x61},        {KEY_KP0, 0x62},       {KEY_KPDOT, 0x63},      {KEY_102ND, 0x64},
    {KEY_COMPOSE, 0x65},    {KEY_F23, 0x72},       {KEY_LEFTCTRL, 0xE0},   {KEY_LEFTSHIFT, 0xE1},
    {KEY_LEFTALT, 0xE2},    {KEY_LEFTMETA, 0xE3},  {KEY_RIGHTCTRL, 0xE4},  {KEY_RIGHTSHIFT, 0xE5},
    {KEY_RIGHTALT, 0xE6},
};

QString key(int usage, bool isDown) {
    return ReportRecorder::keyLine(usage, isDown);
}

QKeyEvent keyEvent(QEvent::Type type, quint32 evdevCode, bool autoRepeat = false) {
    return QKeyEvent(type, Qt::Key_unknown, Qt::NoModifier, evdevCode + 8, 0, 0, QString(),
                     autoRepeat);
}

QMouseEvent mouseEvent(QEvent::Type type, Qt::MouseButton button, QPointF global) {
    return QMouseEvent(type, QPointF(5, 5), QPointF(5, 5), global, button, button, Qt::NoModifier);
}

// A translator fed by a window filter installed on a plain object, with its reports recorded.
struct FilterBench {
    KeyTranslator translator;
    ReportRecorder recorder{translator};
    WindowInputFilter filter{&translator};
    QObject watched;

    FilterBench() { watched.installEventFilter(&filter); }
    void send(QEvent &&event) { QCoreApplication::sendEvent(&watched, &event); }
};

QStringList infoMessages;

void recordInfo(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtInfoMsg)
        infoMessages.append(message);
}

} // namespace

class KeyCaptureTest : public QObject {
    Q_OBJECT
private slots:
    void composedMapCoversTheHundredAndFiveKeysAndNothingElse() {
        QCOMPARE(expectedUsages.size(), size_t(105));
        KeyTranslator translator;
        ReportRecorder recorder(translator);
        for (unsigned code = 0; code <= KEY_MAX; ++code) {
            translator.evdevKeyEvent(code, true);
            translator.evdevKeyEvent(code, false);
            const QStringList lines = recorder.take();
            const auto expected = expectedUsages.find(code);
            if (expected != expectedUsages.end()) {
                QCOMPARE(lines,
                         (QStringList{key(expected->second, true), key(expected->second, false)}));
            } else if (code == KEY_BREAK) {
                // Ctrl+Pause: Pause, as on the set-1 keyboard it comes from.
                QCOMPARE(lines, (QStringList{key(0x48, true), key(0x48, false)}));
            } else {
                QVERIFY2(lines.isEmpty(), qPrintable(QStringLiteral("evdev code %1 gave %2")
                                                         .arg(code)
                                                         .arg(lines.join(QLatin1Char(',')))));
            }
        }
    }

    void heldKeyIsReportedOnceDownAndOnceUp() {
        KeyTranslator translator;
        ReportRecorder recorder(translator);
        for (int repeat = 0; repeat < 5; ++repeat) {
            translator.evdevKeyEvent(KEY_A, true);
            // Installing again keeps the key state table: A stays down.
            translator.rebuild(false);
        }
        translator.evdevKeyEvent(KEY_A, false);
        translator.evdevKeyEvent(KEY_A, false);
        QCOMPARE(recorder.take(), (QStringList{key(0x04, true), key(0x04, false)}));
    }

    void telltaleKeys() {
        KeyTranslator translator;
        ReportRecorder recorder(translator);
        // Alt+A is Alt, then a plain A.
        for (unsigned code : {KEY_LEFTALT, KEY_A})
            translator.evdevKeyEvent(code, true);
        for (unsigned code : {KEY_A, KEY_LEFTALT})
            translator.evdevKeyEvent(code, false);
        QCOMPARE(recorder.take(), (QStringList{key(0xE2, true), key(0x04, true), key(0x04, false),
                                               key(0xE2, false)}));
        // The set-1 view: Enter and keypad Enter share a scan code, Pause and Num Lock too.
        QCOMPARE(translator.usageOf(0x1C, false), 0x28);
        QCOMPARE(translator.usageOf(0x1C, true), 0x58);
        QCOMPARE(translator.usageOf(0x45, false), 0x48);
        QCOMPARE(translator.usageOf(0x45, true), 0x53);
        QCOMPARE(translator.usageOf(0x6E, false), 0x72);
        // The overrides: Ctrl+Break is Pause, Alt+SysRq is Print Screen.
        QCOMPARE(translator.usageOf(0x46, true), 0x48);
        QCOMPARE(translator.usageOf(0x46, false), 0x47);
        QCOMPARE(translator.usageOf(0x54, false, true), 0x46);
        QCOMPARE(translator.usageOf(0x54, false, false), 0);
        // Right Windows, a plain right Shift scan code, and scan codes past one byte: nothing.
        QCOMPARE(translator.usageOf(0x5C, true), 0);
        QCOMPARE(translator.usageOf(0x36, false), 0);
        QCOMPARE(translator.usageOf(0x11E, false), 0);
        translator.evdevKeyEvent(KEY_RIGHTMETA, true);
        translator.evdevKeyEvent(KEY_VOLUMEUP, true);
        QVERIFY(recorder.take().isEmpty());
    }

    void layoutFlagMovesTheKeyLeftOfEnter() {
        KeyTranslator translator;
        QCOMPARE(translator.usageOf(0x2B, false), 0x31);
        translator.rebuild(true);
        QVERIFY(translator.layoutFlag());
        QCOMPARE(translator.usageOf(0x2B, false), 0x32);
        QCOMPARE(translator.usageOf(0x1E, false), 0x04);
        translator.rebuild(false);
        QCOMPARE(translator.usageOf(0x2B, false), 0x31);
    }

    void buttonsCarryTheirPosition() {
        KeyTranslator translator;
        ReportRecorder recorder(translator);
        translator.buttonEvent(KeyTranslator::Button::Left, true, {412, 300});
        translator.buttonEvent(KeyTranslator::Button::Left, false, {413, 301});
        translator.buttonEvent(KeyTranslator::Button::Right, true, {-20, 5});
        translator.buttonEvent(KeyTranslator::Button::Right, false, {-20, 5});
        translator.buttonEvent(KeyTranslator::Button::Middle, true, {0, 0});
        translator.buttonEvent(KeyTranslator::Button::Middle, false, {0, 0});
        QCOMPARE(recorder.take(), (QStringList{"button f0 down 412,300", "button f0 up 413,301",
                                               "button f1 down -20,5", "button f1 up -20,5",
                                               "button f2 down 0,0", "button f2 up 0,0"}));
    }

    void windowFilterFeedsKeysAndButtons() {
        FilterBench bench;
        auto send = [&bench](QEvent &&event) { bench.send(std::move(event)); };
        send(keyEvent(QEvent::KeyPress, KEY_KPENTER));
        // A held key under X11: release/press pairs marked as repeats.
        send(keyEvent(QEvent::KeyRelease, KEY_KPENTER, true));
        send(keyEvent(QEvent::KeyPress, KEY_KPENTER, true));
        send(keyEvent(QEvent::KeyRelease, KEY_KPENTER));
        // Without a native code (a synthesized event) there is nothing to translate.
        send(QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
        QCOMPARE(bench.recorder.take(), (QStringList{key(0x58, true), key(0x58, false)}));

        send(mouseEvent(QEvent::MouseButtonPress, Qt::LeftButton, {412, 300}));
        send(mouseEvent(QEvent::MouseButtonDblClick, Qt::LeftButton, {412, 300}));
        send(mouseEvent(QEvent::MouseButtonRelease, Qt::LeftButton, {412, 300}));
        send(mouseEvent(QEvent::MouseButtonPress, Qt::MiddleButton, {1, 2}));
        send(mouseEvent(QEvent::MouseButtonPress, Qt::BackButton, {1, 2}));
        send(mouseEvent(QEvent::MouseButtonRelease, Qt::ForwardButton, {1, 2}));
        send(QWheelEvent(QPointF(5, 5), QPointF(1, 2), QPoint(), QPoint(0, 120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false));
        QCOMPARE(
            bench.recorder.take(),
            (QStringList{"button f0 down 412,300", "button f0 up 412,300", "button f2 down 1,2"}));
    }

    void windowFilterStaysSilentAboutWhatGlobalCaptureReports() {
        FilterBench bench;
        bool globalKeys = true;
        bool globalButtons = false;
        bench.filter.setGlobalSources([&] { return globalKeys; }, [&] { return globalButtons; });
        auto send = [&bench](QEvent &&event) { bench.send(std::move(event)); };
        auto &recorder = bench.recorder;

        send(keyEvent(QEvent::KeyPress, KEY_A));
        send(mouseEvent(QEvent::MouseButtonPress, Qt::RightButton, {7, 8}));
        QCOMPARE(recorder.take(), QStringList{"button f1 down 7,8"});
        globalKeys = false;
        globalButtons = true;
        send(keyEvent(QEvent::KeyPress, KEY_A));
        send(mouseEvent(QEvent::MouseButtonRelease, Qt::RightButton, {7, 8}));
        QCOMPARE(recorder.take(), QStringList{key(0x04, true)});
    }

    void keysHeldWhenTheWindowLosesFocusAreReleased() {
        FilterBench bench;
        bool globalKeys = false;
        bench.filter.setGlobalSources([&] { return globalKeys; }, [] { return false; });
        auto send = [&bench](QEvent &&event) { bench.send(std::move(event)); };
        auto &recorder = bench.recorder;

        // Alt+Tab: Alt goes down here and up in the next window.
        send(keyEvent(QEvent::KeyPress, KEY_LEFTALT));
        send(keyEvent(QEvent::KeyPress, KEY_LEFTCTRL));
        send(keyEvent(QEvent::KeyRelease, KEY_LEFTCTRL));
        send(QFocusEvent(QEvent::FocusOut, Qt::ActiveWindowFocusReason));
        send(QFocusEvent(QEvent::FocusIn, Qt::ActiveWindowFocusReason));
        send(keyEvent(QEvent::KeyPress, KEY_LEFTALT));
        QCOMPARE(recorder.take(), (QStringList{key(0xE2, true), key(0xE0, true), key(0xE0, false),
                                               key(0xE2, false), key(0xE2, true)}));
        // Global capture sees the release itself.
        globalKeys = true;
        send(QFocusEvent(QEvent::FocusOut, Qt::ActiveWindowFocusReason));
        QVERIFY(recorder.take().isEmpty());
    }

    void installCapturesInTheWindowUntilRemoved() {
        qputenv(InputCapture::GlobalCaptureVariable, "0");
        QWidget window;
        InputCapture capture;
        ReportRecorder recorder(*capture.translator());
        auto send = [&window](QEvent &&event) { QCoreApplication::sendEvent(&window, &event); };

        const QtMessageHandler previous = qInstallMessageHandler(recordInfo);
        const bool firstGlobal = capture.install(true, &window);
        send(keyEvent(QEvent::KeyPress, KEY_BACKSLASH));
        send(keyEvent(QEvent::KeyRelease, KEY_BACKSLASH));
        const bool secondGlobal = capture.install(false, &window);
        send(keyEvent(QEvent::KeyPress, KEY_BACKSLASH));
        qInstallMessageHandler(previous);

        QVERIFY(!firstGlobal && !secondGlobal && !capture.isGlobal());
        QCOMPARE(infoMessages, QStringList{InputCapture::windowOnlyHint()});
        // Installed again, the window reports each event once, with the new layout flag.
        QCOMPARE(recorder.take(),
                 (QStringList{key(0x32, true), key(0x32, false), key(0x31, true)}));
        capture.remove();
        send(keyEvent(QEvent::KeyRelease, KEY_BACKSLASH));
        send(mouseEvent(QEvent::MouseButtonPress, Qt::LeftButton, {1, 1}));
        QVERIFY(recorder.take().isEmpty());
        qunsetenv(InputCapture::GlobalCaptureVariable);
    }
};

QTEST_MAIN(KeyCaptureTest)
#include "KeyCaptureTest.moc"
