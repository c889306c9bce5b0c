#include "WireDescrambler.h"

QByteArray descrambleWireFrame(const QByteArray &frame, const QByteArray &code) {
    if (frame.size() != 9 || code.size() != 6)
        return {};
    static const char key[] = "QaLmvUsk";
    unsigned char b[8];
    for (int i = 0; i < 8; ++i) {
        const unsigned char k = static_cast<unsigned char>(key[i]);
        const unsigned char nibbleSwapped = static_cast<unsigned char>((k << 4) | (k >> 4));
        b[i] = static_cast<unsigned char>(static_cast<unsigned char>(frame[i + 1]) - nibbleSwapped);
    }
    quint64 v = 0;
    for (unsigned char x : b)
        v = (v << 8) | x;
    v = (v >> 3) | (v << 61);
    for (int i = 7; i >= 0; --i, v >>= 8)
        b[i] = static_cast<unsigned char>(v & 0xff);
    for (int i = 1; i <= 6; ++i)
        b[i] ^= static_cast<unsigned char>(code[i - 1]);
    unsigned char plain[8];
    const int from[8] = {5, 4, 7, 6, 1, 0, 3, 2};
    for (int i = 0; i < 8; ++i)
        plain[i] = b[from[i]];
    QByteArray out(1, '\0');
    out.append(reinterpret_cast<const char *>(plain), 8);
    return out;
}

QByteArray bytesOf(const char *hex) {
    return QByteArray::fromHex(QByteArray(hex));
}
