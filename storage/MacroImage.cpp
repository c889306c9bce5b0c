#include "MacroImage.h"

#include <bitset>

int MacroImage::capacity(int deviceType) {
    if (deviceType == DeviceType::keyboard)
        return keyboardSize;
    if (deviceType == DeviceType::mouse)
        return mouseSize;
    return 0;
}

MacroImage MacroImage::place(const MacroEncoder::Records &records, int deviceType, quint16 repeat) {
    MacroImage image;
    const int size = capacity(deviceType);
    if (size == 0 || records.size() < 2)
        return image;

    QByteArray code = records.first().bytes;
    const QByteArray &terminator = records.last().bytes;
    // A cut must not leave a key pressed: on the device that is a key stuck down. The cut falls
    // after the last record that fits and after which no key is held.
    std::bitset<256> held;
    qsizetype lastSafeSize = code.size();
    for (qsizetype i = 1; i + 1 < records.size(); ++i) {
        const MacroEncoder::Record &record = records.at(i);
        if (code.size() + record.bytes.size() + terminator.size() > size) {
            image.m_cut = true;
            code.truncate(lastSafeSize);
            break;
        }
        code.append(record.bytes);
        if (record.pressed)
            held.set(record.pressed);
        if (record.released)
            held.reset(record.released);
        if (held.none())
            lastSafeSize = code.size();
    }
    code.append(terminator);

    if (deviceType == DeviceType::mouse) {
        code[0] = static_cast<char>(repeat >> 8);
        code[1] = static_cast<char>(repeat & 0xFF);
    }
    image.m_bytes = code.leftJustified(size, '\0', true);
    return image;
}
