#include "EvdevScanCodes.h"

#include <linux/input-event-codes.h>

#include <array>

namespace EvdevScanCodes {
namespace {

// Codes 0x01-0x58 are the set-1 scan codes themselves, except these.
constexpr unsigned LastPlainCode = 0x58;

struct Row {
    unsigned evdevCode;
    ScanCode scanCode;
};

const std::array<Row, 23> ownCodes{{
    // Windows reports Num Lock with the extended flag and Pause without it.
    {KEY_NUMLOCK, {0x45, true}},
    {KEY_PAUSE, {0x45, false}},
    {KEY_BREAK, {0x46, true}},
    // The right Shift is the one the maps list only as extended.
    {KEY_RIGHTSHIFT, {0x36, true}},
    {KEY_KPENTER, {0x1C, true}},
    {KEY_RIGHTCTRL, {0x1D, true}},
    {KEY_KPSLASH, {0x35, true}},
    {KEY_SYSRQ, {0x37, true}},
    {KEY_RIGHTALT, {0x38, true}},
    {KEY_HOME, {0x47, true}},
    {KEY_UP, {0x48, true}},
    {KEY_PAGEUP, {0x49, true}},
    {KEY_LEFT, {0x4B, true}},
    {KEY_RIGHT, {0x4D, true}},
    {KEY_END, {0x4F, true}},
    {KEY_DOWN, {0x50, true}},
    {KEY_PAGEDOWN, {0x51, true}},
    {KEY_INSERT, {0x52, true}},
    {KEY_DELETE, {0x53, true}},
    {KEY_LEFTMETA, {0x5B, true}},
    {KEY_RIGHTMETA, {0x5C, true}},
    {KEY_COMPOSE, {0x5D, true}},
    {KEY_F23, {0x6E, false}},
}};

} // namespace

std::optional<ScanCode> lookup(unsigned evdevCode) {
    for (const Row &row : ownCodes) {
        if (row.evdevCode == evdevCode)
            return row.scanCode;
    }
    // 0x54 has no key of its own on Linux: Alt+Print Screen is still KEY_SYSRQ.
    if (evdevCode == 0 || evdevCode > LastPlainCode || evdevCode == 0x54)
        return std::nullopt;
    return ScanCode{evdevCode, false};
}

} // namespace EvdevScanCodes
