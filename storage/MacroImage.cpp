#include "MacroImage.h"

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

    QByteArray code = records.first();
    const MacroEncoder::Records body = records.mid(1, records.size() - 2);
    const QByteArray &terminator = records.last();
    for (const QByteArray &record : body) {
        if (code.size() + record.size() + terminator.size() > size) {
            image.m_cut = true;
            break;
        }
        code.append(record);
    }
    code.append(terminator);

    if (deviceType == DeviceType::mouse) {
        code[0] = static_cast<char>(repeat >> 8);
        code[1] = static_cast<char>(repeat & 0xFF);
    }
    image.m_bytes = code.leftJustified(size, '\0', true);
    return image;
}
