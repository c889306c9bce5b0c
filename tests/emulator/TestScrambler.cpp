#include "TestScrambler.h"

namespace TestScrambler {

namespace {

constexpr char kKey[] = "QaLmvUsk";

std::uint8_t keyByte(int i) {
    const auto k = static_cast<std::uint8_t>(kKey[i]);
    return static_cast<std::uint8_t>(((k & 0x0F) << 4) | ((k & 0xF0) >> 4));
}

void swapHalves(Body &b) {
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void xorCode(Body &b, std::string_view code) {
    for (int i = 1; i <= 6; ++i)
        b[i] ^= static_cast<std::uint8_t>(code[i - 1]);
}

} // namespace

Body scramble(Body b, std::string_view code) {
    swapHalves(b);
    xorCode(b, code);
    Body r{};
    for (int i = 0; i < 8; ++i)
        r[i] = static_cast<std::uint8_t>((b[i] << 3) | (b[(i + 1) % 8] >> 5));
    for (int i = 0; i < 8; ++i)
        r[i] = static_cast<std::uint8_t>(r[i] + keyByte(i));
    return r;
}

Body unscramble(Body b, std::string_view code) {
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<std::uint8_t>(b[i] - keyByte(i));
    Body r{};
    for (int i = 0; i < 8; ++i)
        r[i] = static_cast<std::uint8_t>((b[i] >> 3) | (b[(i + 7) % 8] << 5));
    xorCode(r, code);
    swapHalves(r);
    return r;
}

Report commandReport(std::uint8_t command, std::array<std::uint8_t, 6> params,
                     std::string_view code) {
    Body plain{};
    plain[0] = command;
    unsigned sum = command;
    for (int i = 0; i < 6; ++i) {
        plain[i + 1] = params[i];
        sum += params[i];
    }
    plain[7] = static_cast<std::uint8_t>(~sum);
    const Body wire = scramble(plain, code);
    Report report{};
    for (int i = 0; i < 8; ++i)
        report[i + 1] = wire[i];
    return report;
}

} // namespace TestScrambler
