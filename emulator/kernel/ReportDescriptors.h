#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// HID report descriptors of our own for the devices of the testbed. One top-level collection
// each, without report ids (so every report is report number 0).
namespace q7kernel::ReportDescriptors {

using Bytes = std::vector<std::uint8_t>;

// An application collection of a usage page with byte-wide reports of the given sizes
// (0: none of that kind).
Bytes collection(std::uint16_t usagePage, std::uint16_t usage, std::size_t featureBytes,
                 std::size_t outputBytes, std::size_t inputBytes);

} // namespace q7kernel::ReportDescriptors
