#pragma once

#include <optional>

// Linux evdev key codes (also what X11 and Wayland report, less 8) as the set-1 scan code and
// extended flag that a Windows keyboard hook would see for the same key.
namespace EvdevScanCodes {

struct ScanCode {
    unsigned code;
    bool extended;
};

// Nothing for codes that no set-1 key has.
std::optional<ScanCode> lookup(unsigned evdevCode);

} // namespace EvdevScanCodes
