#include "FrameCodec.h"

#include <utility>

namespace FrameCodec {
namespace {

constexpr std::array<uint8_t, 8> KeyString = {'Q', 'a', 'L', 'm', 'v', 'U', 's', 'k'};
constexpr int RotateBits = 3;
// Byte pairs exchanged before the secrecy code is applied.
constexpr std::array<std::pair<int, int>, 4> Swaps = {{{0, 5}, {1, 4}, {2, 7}, {3, 6}}};

constexpr uint8_t swapNibbles(uint8_t x) {
    return uint8_t((x << 4) | (x >> 4));
}

uint64_t load(const uint8_t *b) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 8) | b[i];
    return v;
}

void store(uint64_t v, uint8_t *b) {
    for (int i = 7; i >= 0; --i) {
        b[i] = uint8_t(v);
        v >>= 8;
    }
}

void swapPairs(uint8_t *b) {
    for (auto [x, y] : Swaps)
        std::swap(b[x], b[y]);
}

void applyCode(uint8_t *b, const SecrecyCode &code) {
    for (int i = 1; i <= 6; ++i)
        b[i] ^= code[i];
}

} // namespace

uint8_t checksum(const uint8_t *sevenBytes) {
    uint8_t sum = 0;
    for (int i = 0; i < 7; ++i)
        sum = uint8_t(sum + sevenBytes[i]);
    return uint8_t(~sum);
}

Frame build(uint8_t code, std::initializer_list<uint8_t> params) {
    Frame f{};
    f[CodeByte] = code;
    int i = FirstParamByte;
    for (uint8_t p : params) {
        if (i >= FirstParamByte + ParamCount)
            break;
        f[i++] = p;
    }
    f[ChecksumByte] = checksum(&f[CodeByte]);
    return f;
}

void scramble(uint8_t *b, const SecrecyCode &code) {
    swapPairs(b);
    applyCode(b, code);
    const uint64_t v = load(b);
    store((v << RotateBits) | (v >> (64 - RotateBits)), b);
    for (int i = 0; i < 8; ++i)
        b[i] = uint8_t(b[i] + swapNibbles(KeyString[i]));
}

void descramble(uint8_t *b, const SecrecyCode &code) {
    for (int i = 0; i < 8; ++i)
        b[i] = uint8_t(b[i] - swapNibbles(KeyString[i]));
    const uint64_t v = load(b);
    store((v >> RotateBits) | (v << (64 - RotateBits)), b);
    applyCode(b, code);
    swapPairs(b);
}

} // namespace FrameCodec
