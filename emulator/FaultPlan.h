#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q7vm {

// The faults asked for in Q7_VIRTUAL_FAULT, e.g. "unplug-after:12,slow:20".
struct FaultPlan {
    bool absent = false;
    std::optional<long> unplugAfterTransfers;
    bool writeError = false;
    bool stall = false;
    bool noAnswer = false; // commands are taken, but feature reads fail
    bool noReady = false;
    bool noPermission = false; // listed, but opening is denied as with a missing udev rule
    long slowMilliseconds = 0;

    // Names that were not understood, so the caller can say so once.
    std::vector<std::string> unknown;

    static FaultPlan parse(std::string_view text);
};

} // namespace q7vm
