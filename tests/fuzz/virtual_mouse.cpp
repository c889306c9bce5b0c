// The virtual mouse taking whatever a host sends: command frames scrambled right or not at all,
// bulk output reports of any length and content, reads on both interfaces, for both
// personalities, through the hidapi calls the library serves.
#include "FrameCodec.h"
#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "VirtualMouseControl.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <hidapi.h>

#include <cstdlib>

namespace {

QTemporaryDir *folder = nullptr;
constexpr size_t MaxReport = 80;
const FrameCodec::SecrecyCode Code{0, '2', '7', '4', '9', '5', '1', 0};

void sendFrame(hid_device *command, FuzzInput &in) {
    unsigned char report[FrameCodec::FrameSize] = {};
    if (in.byte() & 1) {
        // A frame the device can read: any code and parameters, right checksum and scrambling.
        const uint8_t code = in.byte();
        const QByteArray p = in.bytes(FrameCodec::ParamCount).leftJustified(6, '\0');
        FrameCodec::Frame f =
            FrameCodec::build(code, {uint8_t(p[0]), uint8_t(p[1]), uint8_t(p[2]), uint8_t(p[3]),
                                     uint8_t(p[4]), uint8_t(p[5])});
        FrameCodec::scramble(&f[FrameCodec::ScrambledOffset], Code);
        std::copy(f.begin(), f.end(), report);
        hid_send_feature_report(command, report, sizeof report);
        return;
    }
    const QByteArray raw = in.bytes(in.choose(12));
    hid_send_feature_report(command, reinterpret_cast<const unsigned char *>(raw.constData()),
                            size_t(raw.size()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzSetup::quietMessages();
    folder = new QTemporaryDir;
    qputenv("Q7_VIRTUAL_STATE", QFile::encodeName(folder->filePath(QStringLiteral("state"))));
    qunsetenv("Q7_VIRTUAL_LOG");
    qunsetenv("Q7_VIRTUAL_FAULT");
    qunsetenv("Q7_VIRTUAL_CODE");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    // Factory state each time, so an input does the same whenever it runs.
    QFile::remove(folder->filePath(QStringLiteral("state")));
    if (in.byte() & 1)
        qputenv("Q7_VIRTUAL_DEVICE", "keyboard");
    else
        qunsetenv("Q7_VIRTUAL_DEVICE");
    q7vm_reset_for_tests();
    const bool keyboard = qEnvironmentVariableIsSet("Q7_VIRTUAL_DEVICE");
    hid_device *command =
        hid_open_path(keyboard ? "virtual-q7-keyboard/command" : "virtual-q7/command");
    hid_device *event = hid_open_path(keyboard ? "virtual-q7-keyboard/event" : "virtual-q7/event");
    if (!command || !event)
        std::abort();
    unsigned char buffer[MaxReport];
    while (!in.atEnd()) {
        switch (in.choose(5)) {
        case 0:
            sendFrame(command, in);
            break;
        case 1: {
            const QByteArray report = in.bytes(in.choose(int(MaxReport)));
            hid_write(command, reinterpret_cast<const unsigned char *>(report.constData()),
                      size_t(report.size()));
            break;
        }
        case 2:
            buffer[0] = in.byte();
            hid_get_feature_report(command, buffer, 1 + size_t(in.choose(int(MaxReport) - 1)));
            break;
        case 3:
            hid_read_timeout(command, buffer, 1 + size_t(in.choose(int(MaxReport) - 1)), 0);
            break;
        case 4:
            hid_read_timeout(event, buffer, sizeof buffer, 0);
            break;
        }
    }
    hid_close(event);
    hid_close(command);
    return 0;
}
