#pragma once

#include <array>
#include <cstdint>

// The two maps whose composition turns a set-1 scan code into a USB HID keyboard usage
// (page 0x07): physical key (scan code + extended flag) -> Windows virtual key -> usage.
namespace KeyCodeMaps {

struct PhysicalKey {
    uint8_t scanCode;
    bool extended;
    uint8_t virtualKey;
};

struct VirtualKey {
    uint8_t virtualKey;
    uint8_t usage;
};

// The key left of Enter on US layouts; the layout flag moves it to the ISO usage.
constexpr uint8_t LayoutKey = 0xDC;
constexpr uint8_t LayoutKeyUsage = 0x31;          // Keyboard \ and |
constexpr uint8_t LayoutKeyAlternateUsage = 0x32; // Keyboard Non-US # and ~

// Overrides the physical-key map gives way to.
constexpr uint8_t BreakScanCode = 0x46; // with the extended flag: Ctrl+Break
constexpr uint8_t PauseVirtualKey = 0x13;
constexpr uint8_t AltPrintScanCode = 0x54; // Print Screen pressed with Alt
constexpr uint8_t PrintScreenVirtualKey = 0x2C;

extern const std::array<PhysicalKey, 105> physicalKeys;
extern const std::array<VirtualKey, 105> virtualKeys;

} // namespace KeyCodeMaps
