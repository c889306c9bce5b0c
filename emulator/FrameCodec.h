#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace q7vm {

// Bytes 1..8 of a 9-byte feature report: command code, six parameters, checksum.
using FrameBody = std::array<std::uint8_t, 8>;
// Bytes 1..7 of an answer before the firmware adds its checksum.
using AnswerBytes = std::array<std::uint8_t, 7>;

// The firmware's side of the frame protocol: checks and descrambles what the host sends,
// checksums and scrambles what it answers. Written independently of the host's code on
// purpose, so a mistake on one side cannot hide behind the same mistake on the other.
class FrameCodec {
public:
    explicit FrameCodec(std::string_view secrecyCode);

    // The plain frame body, or nothing when its checksum does not hold after descrambling.
    std::optional<FrameBody> decodeCommand(const FrameBody &wire) const;
    FrameBody encodeAnswer(const AnswerBytes &answer, bool scrambled) const;

    static bool checksumHolds(const FrameBody &plain);
    static std::uint8_t checksumOf(const AnswerBytes &bytes);

    void scramble(FrameBody &bytes) const;
    void descramble(FrameBody &bytes) const;

private:
    std::array<std::uint8_t, 8> code_{};
};

} // namespace q7vm
