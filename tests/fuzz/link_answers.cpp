// The link reading what the device sends back: the answer frame and bulk reports of every get of
// both dialects, with the device failing, timing out or answering short wherever the input says.
// A get that fails keeps the caller's buffer as it was.
#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "ScriptedHid.h"

#include <array>
#include <cstdlib>
#include <functional>

namespace {

constexpr ScriptedHid::Usages Ids{0x04d9, 0xa09f, 0xff00, 0xff00, 0xff01, 0xff01};
constexpr uint8_t Untouched = 0xA5;

DeviceTable table(bool keyboard) {
    DeviceRecord record;
    record.type = keyboard ? DeviceRecord::Keyboard : DeviceRecord::Mouse;
    record.vid = Ids.vid, record.pid = Ids.pid;
    record.usagePage = Ids.commandPage, record.usage = Ids.command;
    record.usagePage2 = Ids.eventPage, record.usage2 = Ids.event;
    record.productName = QStringLiteral("fuzzed");
    record.reportLength = keyboard ? 64 : 32;
    return {DeviceRecord{}, record};
}

// A bulk get into a buffer that starts as a known pattern: when the get failed, the pattern must
// still be there.
void bulkGet(Hid_Thread &hid, int size, const std::function<void(uchar *)> &get) {
    std::array<uchar, Hid_Thread::BulkAreaSize> buffer;
    buffer.fill(Untouched);
    hid.takeFailures(); // those of the gets before
    get(buffer.data());
    if (hid.takeFailures().isEmpty())
        return;
    for (int i = 0; i < size; ++i)
        if (buffer[size_t(i)] != Untouched)
            std::abort();
}

void oneGet(Hid_Thread &hid, FuzzInput &in) {
    uchar a = 0, b = 0, c = 0, d = 0, e = 0;
    const uchar id = in.byte();
    switch (in.choose(20)) {
    case 0: {
        QString version;
        hid.hid_80H_GetFWVersion(version);
        break;
    }
    case 1:
        hid.hid_81H_GetReportRate(a);
        break;
    case 2:
        hid.hid_82H_GetCurrentProfile(a);
        break;
    case 3:
        hid.hid_83H_GetKeyboardoption(a, b, c, d);
        break;
    case 4:
        hid.hid_84H_GetButtonSensitivity(a, b, c, d);
        break;
    case 5:
        hid.hid_88H_GetLEDType(a, b, c, d, e);
        break;
    case 6:
        hid.hid_89H_GetKeyboardMode(a);
        break;
    case 7:
        bulkGet(hid, 512, [&](uchar *p) { hid.hid_8DH_GetKeyMatrix(p); });
        break;
    case 8:
        bulkGet(hid, 21, [&](uchar *p) { hid.hid_8EH_GetKeyOnOff(p); });
        break;
    case 9:
        bulkGet(hid, 192, [&](uchar *p) { hid.hid_91H_GetMacroKey(id, p); });
        break;
    case 10:
        bulkGet(hid, 512, [&](uchar *p) { hid.hid_92H_GetUserPicture(id, p); });
        break;
    case 11:
        hid.hid_94H_GetColor(id, a, b, c);
        break;
    case 12:
        hid.hid_83H_GetFunctionOption(a, b, c);
        break;
    case 13:
        hid.hid_87H_GetLEDInstructFunction(id, a, b, c);
        break;
    case 14:
        hid.hid_8BH_GetCurrentDPIStage(a);
        break;
    case 15:
        hid.hid_8DH_GetRGBLedEffect(a, b, c);
        break;
    case 16:
        bulkGet(hid, id == 2 ? 4 : 24, [&](uchar *p) { hid.hid_90H_GetLED8StageColor(id, p); });
        break;
    case 17:
        bulkGet(hid, 8, [&](uchar *p) { hid.hid_91H_GetDPISet(a, p); });
        break;
    case 18:
        bulkGet(hid, 64, [&](uchar *p) { hid.hid_92H_GetKeyMatrix(p); });
        break;
    case 19:
        bulkGet(hid, 128, [&](uchar *p) { hid.hid_93H_GetMacroKey(id, p); });
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzSetup::quietMessages();
    FuzzSetup::application(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const bool keyboard = in.byte() & 1;
    LinkState &state = LinkState::instance();
    state.reset();
    state.setSecrecyCode(QStringLiteral("274951"));
    state.scrambling = in.byte() & 1;
    ScriptedHid::begin(&in, Ids);
    {
        Hid_Thread hid;
        hid.scanDevices(table(keyboard));
        while (!in.atEnd())
            oneGet(hid, in);
        // One more once the device is gone.
        oneGet(hid, in);
    }
    ScriptedHid::end();
    return 0;
}
