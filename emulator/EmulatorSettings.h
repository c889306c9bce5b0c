#pragma once

#include "FaultPlan.h"
#include "Personality.h"

#include <string>

namespace q7vm {

// Everything the environment decides, read once per session.
struct EmulatorSettings {
    DeviceKind kind = DeviceKind::Mouse;
    std::string secrecyCode;
    std::string statePath;
    std::string logPath; // empty: no traffic log
    FaultPlan faults;

    static EmulatorSettings fromEnvironment();
};

} // namespace q7vm
