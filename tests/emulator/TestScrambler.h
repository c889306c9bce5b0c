#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The host's half of the frame protocol, written again for the tests: it must agree with
// the worked examples before the tests trust it to talk to the virtual device.
namespace TestScrambler {

using Body = std::array<std::uint8_t, 8>;
using Report = std::array<std::uint8_t, 9>;

inline constexpr std::string_view kFactoryCode = "274951";

Body scramble(Body bytes, std::string_view code = kFactoryCode);
Body unscramble(Body bytes, std::string_view code = kFactoryCode);
// Report number 0, code, six parameters, checksum, bytes 1..8 scrambled.
Report commandReport(std::uint8_t command, std::array<std::uint8_t, 6> params,
                     std::string_view code = kFactoryCode);

} // namespace TestScrambler
