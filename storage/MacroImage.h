#pragma once

#include "MacroEncoder.h"

#include <QByteArray>

// A macro as the device stores it: a zero-filled buffer of 192 bytes (keyboard) or 128 bytes
// (mouse). A macro too long for it is cut after the last whole record that fits and leaves no key
// pressed, and still ends with the terminator.
class MacroImage {
public:
    static constexpr int keyboardSize = 192;
    static constexpr int mouseSize = 128;

    // 0 for a device type that has no macro buffer.
    static int capacity(int deviceType);

    // The mouse takes the repeat count, high byte first, in place of the header.
    static MacroImage place(const MacroEncoder::Records &records, int deviceType,
                            quint16 repeat = 1);

    const QByteArray &bytes() const { return m_bytes; }
    bool wasCut() const { return m_cut; }

private:
    QByteArray m_bytes;
    bool m_cut = false;
};
