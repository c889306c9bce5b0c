// Macro lines of any content encoded for either device and placed in its buffer: the buffer is
// always the device's size, and a macro that fits goes in whole.
#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "MacroEncoder.h"
#include "MacroImage.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzSetup::quietMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const quint16 repeat = quint16(in.byte() << 8 | in.byte());
    const QStringList lines = in.lines();
    for (const int type : {DeviceType::keyboard, DeviceType::mouse, 7}) {
        const MacroEncoder::Records records = MacroEncoder::encode(lines, type);
        const MacroImage image = MacroImage::place(records, type, repeat);
        const int capacity = MacroImage::capacity(type);
        if (image.bytes().size() != capacity)
            std::abort();
        QByteArray whole = MacroEncoder::join(records);
        if (type == DeviceType::mouse)
            whole[0] = char(repeat >> 8), whole[1] = char(repeat & 0xff);
        if (!image.wasCut() && capacity > 0 && !image.bytes().startsWith(whole))
            std::abort();
    }
    MacroEncoder([] { return DeviceType::mouse; }).macroIncode(lines);
    return 0;
}
