// The evdev reader fed recorded event streams through a pipe. libevdev asks the device about
// itself with ioctl, which a pipe cannot answer: this executable answers for the pipe's read end
// as a keyboard-and-mouse would, and passes every other descriptor on.
#include "linux/EvdevReader.h"
#include "KeyTranslator.h"
#include "ReportRecorder.h"

#include <QSignalSpy>
#include <QTest>

#include <bitset>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

namespace {

struct RecordedDevice {
    int fd = -1;
    std::bitset<KEY_CNT> pressed; // what EVIOCGKEY answers, after a SYN_DROPPED

    int answer(unsigned long request, void *arg) {
        if (_IOC_TYPE(request) != 'E') {
            errno = ENOTTY;
            return -1;
        }
        const unsigned number = _IOC_NR(request);
        const unsigned size = _IOC_SIZE(request);
        auto bits = [arg, size](auto &&isSet, unsigned count) {
            std::memset(arg, 0, size);
            auto *bytes = static_cast<unsigned char *>(arg);
            for (unsigned bit = 0; bit < count && bit / 8 < size; ++bit) {
                if (isSet(bit))
                    bytes[bit / 8] |= uint8_t(1u << (bit % 8));
            }
            return int(size);
        };
        if (number == _IOC_NR(EVIOCGVERSION)) {
            *static_cast<int *>(arg) = EV_VERSION;
            return 0;
        }
        if (number == _IOC_NR(EVIOCGNAME(0))) {
            std::strncpy(static_cast<char *>(arg), "recorded", size);
            return int(std::strlen("recorded") + 1);
        }
        if (number == _IOC_NR(EVIOCGPHYS(0)) || number == _IOC_NR(EVIOCGUNIQ(0))) {
            errno = ENOENT;
            return -1;
        }
        if (number == _IOC_NR(EVIOCGKEY(0)))
            return bits([this](unsigned bit) { return pressed.test(bit); }, KEY_CNT);
        if (number == _IOC_NR(EVIOCGBIT(0, 0)))
            return bits(
                [](unsigned bit) { return bit == EV_SYN || bit == EV_KEY || bit == EV_REL; },
                EV_CNT);
        if (number == _IOC_NR(EVIOCGBIT(EV_KEY, 0)))
            return bits([](unsigned) { return true; }, KEY_CNT);
        if (number == _IOC_NR(EVIOCGBIT(EV_REL, 0)))
            return bits(
                [](unsigned bit) { return bit == REL_X || bit == REL_Y || bit == REL_WHEEL; },
                REL_CNT);
        // Everything else the device lacks: empty answers.
        if (_IOC_DIR(request) & _IOC_READ)
            std::memset(arg, 0, size);
        return _IOC_DIR(request) & _IOC_READ ? int(size) : 0;
    }
};

RecordedDevice recorded;

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void *arg = va_arg(args, void *);
    va_end(args);
    if (fd >= 0 && fd == recorded.fd)
        return recorded.answer(request, arg);
    using Ioctl = int (*)(int, unsigned long, ...);
    static const auto next = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    return next(fd, request, arg);
}

namespace {

// One end of a recording: events written here reach the reader's descriptor.
class Recording {
public:
    Recording() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) == 0) {
            fcntl(ends[0], F_SETFL, O_NONBLOCK);
            readEnd = ends[0];
            m_writeEnd = ends[1];
            recorded = RecordedDevice{};
            recorded.fd = readEnd;
        }
    }
    ~Recording() {
        closeWriter();
        recorded.fd = -1;
    }

    void write(std::initializer_list<input_event> events) {
        for (const input_event &event : events)
            QCOMPARE(::write(m_writeEnd, &event, sizeof event), ssize_t(sizeof event));
    }
    void closeWriter() {
        if (m_writeEnd >= 0)
            ::close(m_writeEnd);
        m_writeEnd = -1;
    }

    int readEnd = -1;

private:
    int m_writeEnd = -1;
};

input_event inputEvent(unsigned type, unsigned code, int value) {
    input_event e{};
    e.type = uint16_t(type);
    e.code = uint16_t(code);
    e.value = value;
    return e;
}
input_event key(unsigned code, int value) {
    return inputEvent(EV_KEY, code, value);
}
const input_event report = inputEvent(EV_SYN, SYN_REPORT, 0);
const input_event dropped = inputEvent(EV_SYN, SYN_DROPPED, 0);

} // namespace

class EvdevReaderTest : public QObject {
    Q_OBJECT

    KeyTranslator m_translator;
    ReportRecorder m_recorder{m_translator};

    static QPoint pointer() { return {412, 300}; }

private slots:
    void init() { m_recorder.take(); }

    void repeatsAreOneHeldKey() {
        Recording recording;
        EvdevReader reader(recording.readEnd, &m_translator, pointer);
        QVERIFY(reader.isOpen());
        QCOMPARE(reader.name(), QStringLiteral("recorded"));
        recording.write({key(KEY_A, 1), report, key(KEY_A, 2), report, key(KEY_A, 2), report,
                         key(KEY_A, 0), report, key(KEY_KPENTER, 1), report, key(KEY_KPENTER, 0),
                         report});
        QTRY_COMPARE(m_recorder.lines.size(), 4);
        QTest::qWait(20);
        QCOMPARE(m_recorder.take(),
                 (QStringList{"key 04 down", "key 04 up", "key 58 down", "key 58 up"}));
    }

    void buttonsTakeThePointerPositionAndTheRestPassesSilently() {
        Recording recording;
        EvdevReader reader(recording.readEnd, &m_translator, pointer);
        recording.write({key(BTN_LEFT, 1), report, key(BTN_LEFT, 0), report, key(BTN_SIDE, 1),
                         report, key(BTN_SIDE, 0), report, inputEvent(EV_REL, REL_WHEEL, -1),
                         report, inputEvent(EV_REL, REL_X, 5), report, key(BTN_MIDDLE, 1), report,
                         key(BTN_MIDDLE, 0), report, key(BTN_RIGHT, 1), key(BTN_RIGHT, 0), report});
        QTRY_COMPARE(m_recorder.lines.size(), 6);
        QTest::qWait(20);
        QCOMPARE(m_recorder.take(),
                 (QStringList{"button f0 down 412,300", "button f0 up 412,300",
                              "button f2 down 412,300", "button f2 up 412,300",
                              "button f1 down 412,300", "button f1 up 412,300"}));
    }

    void lostEventsAreMadeUpFromTheDeviceState() {
        Recording recording;
        EvdevReader reader(recording.readEnd, &m_translator, pointer);
        recording.write({key(KEY_A, 1), report});
        QTRY_COMPARE(m_recorder.lines, QStringList{"key 04 down"});
        m_recorder.take();
        // The buffer overflowed: the kernel threw away A up, C down, C up and kept B down,
        // after the mark. The device's state tells what was lost.
        recorded.pressed.set(KEY_B);
        recording.write({dropped, key(KEY_B, 1), report});
        QTRY_COMPARE(m_recorder.lines.size(), 2);
        QTest::qWait(20);
        QCOMPARE(m_recorder.take(), (QStringList{"key 04 up", "key 05 down"}));
        // And it reads on as before.
        recording.write({key(KEY_B, 0), report});
        QTRY_COMPARE(m_recorder.lines, QStringList{"key 05 up"});
        QVERIFY(reader.isOpen());
    }

    void deviceRemovedWhileRead() {
        Recording recording;
        EvdevReader reader(recording.readEnd, &m_translator, pointer);
        QSignalSpy gone(&reader, &EvdevReader::gone);
        recording.write({key(KEY_LEFTSHIFT, 1), report, key(KEY_Z, 1)});
        recording.closeWriter();
        QVERIFY(gone.wait(2000));
        QCOMPARE(gone.count(), 1);
        QVERIFY(!reader.isOpen());
        // What it held is released: those releases can never come.
        QCOMPARE(m_recorder.take(),
                 (QStringList{"key e1 down", "key 1d down", "key e1 up", "key 1d up"}));
        // The descriptor is closed: the pipe's read end no longer exists.
        QCOMPARE(fcntl(recording.readEnd, F_GETFD), -1);
        QTest::qWait(50);
        QCOMPARE(gone.count(), 1);
    }

    void refusesWhatIsNotAnInputDevice() {
        int ends[2];
        QCOMPARE(pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
        EvdevReader reader(ends[0], &m_translator, pointer);
        QVERIFY(!reader.isOpen());
        QCOMPARE(fcntl(ends[0], F_GETFD), -1);
        ::close(ends[1]);
    }
};

QTEST_MAIN(EvdevReaderTest)
#include "EvdevReaderTest.moc"
