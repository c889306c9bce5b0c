#pragma once

#include "FirmwareState.h"
#include "Personality.h"

#include <hidapi.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

// One open handle, as hidapi hands it out. Each keeps its own input queue, as a hidraw file
// descriptor does: a report reaches only the handles open when it arrives.
struct hid_device_ {
    q7vm::InterfaceRole role = q7vm::InterfaceRole::Command;
    std::uint64_t generation = 0; // a reset of the virtual device invalidates older handles
    std::chrono::steady_clock::time_point openedAt;
    bool nonblocking = false;
    std::deque<q7vm::Bytes> reports;
    std::wstring lastError;
    hid_device_info *info = nullptr; // owned; what hid_get_device_info returns
};
