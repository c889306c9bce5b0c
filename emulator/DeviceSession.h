#pragma once

#include "EmulatorSettings.h"
#include "Firmware.h"
#include "FrameCodec.h"
#include "Personality.h"
#include "ReadyScheduler.h"
#include "StateFile.h"
#include "TrafficLog.h"

#include <memory>
#include <optional>

namespace q7vm {

// One life of the virtual device, from first use (or a reset) on: the settings it was
// started with, its firmware and memory, the answer waiting to be read, the fault counters.
class DeviceSession {
public:
    explicit DeviceSession(EmulatorSettings settings);

    void saveState();
    // Counts one transfer on the command interface; true when that unplugged the device.
    bool countTransfer();

    const EmulatorSettings settings;
    const Personality personality;
    const FrameCodec codec;
    const StateFile stateFile;
    std::unique_ptr<Firmware> firmware;
    TrafficLog log;
    ReadyScheduler ready;
    std::optional<FrameBody> pendingAnswer; // wire bytes 1..8 of the next feature read
    bool unplugged = false;

private:
    long transfers_ = 0;
    bool saveFailureReported_ = false;
};

} // namespace q7vm
