#pragma once

#include <array>
#include <cstdint>

// The 9-byte command and answer frames: layout, checksum and scrambling.
namespace FrameCodec {

constexpr int FrameSize = 9;
constexpr int ReportNumberByte = 0;
constexpr int CodeByte = 1;
constexpr int FirstParamByte = 2;
constexpr int ParamCount = 6;
constexpr int ChecksumByte = 8;
// Scrambling covers code, parameters and checksum.
constexpr int ScrambledOffset = 1;
constexpr int ScrambledLength = 8;

using Frame = std::array<uint8_t, FrameSize>;
using SecrecyCode = std::array<uint8_t, 8>;

// The bitwise NOT of the 8-bit sum of seven bytes (frame bytes 1 to 7).
uint8_t checksum(const uint8_t *sevenBytes);

// Builds a frame: report number 0, code, up to six parameters, checksum.
Frame build(uint8_t code, std::initializer_list<uint8_t> params = {});

// In place on 8 bytes; only bytes 1 to 6 of the secrecy code take part.
void scramble(uint8_t *eightBytes, const SecrecyCode &code);
void descramble(uint8_t *eightBytes, const SecrecyCode &code);

} // namespace FrameCodec
