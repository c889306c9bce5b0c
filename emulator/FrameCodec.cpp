#include "FrameCodec.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace q7vm {

namespace {

constexpr std::array<std::uint8_t, 8> kKeyString = {'Q', 'a', 'L', 'm', 'v', 'U', 's', 'k'};
constexpr std::array<std::pair<int, int>, 4> kSwappedPairs = {{{0, 5}, {1, 4}, {2, 7}, {3, 6}}};
constexpr int kRotation = 3;
constexpr std::uint8_t kValidSum = 0xFF; // code .. checksum add up to this

constexpr std::uint8_t nibbleSwapped(std::uint8_t x) {
    return static_cast<std::uint8_t>((x << 4) | (x >> 4));
}

std::uint64_t packBigEndian(const FrameBody &bytes) {
    std::uint64_t value = 0;
    for (std::uint8_t b : bytes)
        value = (value << 8) | b;
    return value;
}

void unpackBigEndian(std::uint64_t value, FrameBody &bytes) {
    for (int i = 7; i >= 0; --i) {
        bytes[i] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

void swapPairs(FrameBody &bytes) {
    for (auto [a, b] : kSwappedPairs)
        std::swap(bytes[a], bytes[b]);
}

} // namespace

FrameCodec::FrameCodec(std::string_view secrecyCode) {
    // Bytes 0 and 7 of the code stay 0: only the six characters take part.
    for (std::size_t i = 0; i < 6 && i < secrecyCode.size(); ++i)
        code_[i + 1] = static_cast<std::uint8_t>(secrecyCode[i]);
}

bool FrameCodec::checksumHolds(const FrameBody &plain) {
    const unsigned sum = std::accumulate(plain.begin(), plain.end(), 0u);
    return (sum & 0xFF) == kValidSum;
}

std::uint8_t FrameCodec::checksumOf(const AnswerBytes &bytes) {
    const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
    return static_cast<std::uint8_t>(kValidSum - (sum & 0xFF));
}

void FrameCodec::scramble(FrameBody &bytes) const {
    swapPairs(bytes);
    for (int i = 1; i <= 6; ++i)
        bytes[i] ^= code_[i];
    const std::uint64_t v = packBigEndian(bytes);
    unpackBigEndian((v << kRotation) | (v >> (64 - kRotation)), bytes);
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(bytes[i] + nibbleSwapped(kKeyString[i]));
}

void FrameCodec::descramble(FrameBody &bytes) const {
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(bytes[i] - nibbleSwapped(kKeyString[i]));
    const std::uint64_t v = packBigEndian(bytes);
    unpackBigEndian((v >> kRotation) | (v << (64 - kRotation)), bytes);
    for (int i = 1; i <= 6; ++i)
        bytes[i] ^= code_[i];
    swapPairs(bytes);
}

std::optional<FrameBody> FrameCodec::decodeCommand(const FrameBody &wire) const {
    FrameBody plain = wire;
    descramble(plain);
    if (!checksumHolds(plain))
        return std::nullopt;
    return plain;
}

FrameBody FrameCodec::encodeAnswer(const AnswerBytes &answer, bool scrambled) const {
    FrameBody body{};
    std::copy(answer.begin(), answer.end(), body.begin());
    body[7] = checksumOf(answer);
    if (scrambled)
        scramble(body);
    return body;
}

} // namespace q7vm
