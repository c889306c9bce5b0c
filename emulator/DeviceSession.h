#pragma once

#include "EmulatorSettings.h"
#include "Firmware.h"
#include "FrameCodec.h"
#include "Personality.h"
#include "ReadyScheduler.h"
#include "StateFile.h"
#include "TrafficLog.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace q7vm {

using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;

// What a command frame caused on the wire.
struct FrameOutcome {
    bool refused = false;      // the checksum failed: no effect, no answer, no ready report
    std::uint8_t code = 0;     // the command, once descrambled
    std::vector<Bytes> input;  // input reports for the command interface, in order
    bool readyFollows = false; // the ready report is due ReadyScheduler::kDelay from now
};

// One life of the virtual device, from first use (or a reset) on: the settings it was
// started with, its firmware and memory, the answer waiting to be read, the fault counters.
// Both seams serve the device from here: the hidapi library (VirtualDevice) and the
// kernel-level device of kernel/. Neither applies faults here; the library adds its own.
class DeviceSession {
public:
    explicit DeviceSession(EmulatorSettings settings);

    // A feature report is a command frame when it is report 0 of kFeatureReportSize bytes.
    static bool isCommandReport(const std::uint8_t *report, std::size_t length);
    // An output report fits when it is report 0 with 1 to reportLength data bytes.
    bool isOutputReport(const std::uint8_t *report, std::size_t length) const;

    // A command frame (checked with isCommandReport) as it arrives: logged, decoded, run.
    FrameOutcome commandFrame(const std::uint8_t *report);
    // The answer to the last command as the feature report the host reads (logged), if any.
    std::optional<FeatureReport> answer();
    // An output report (checked with isOutputReport): logged, zero-padded, handed to the
    // firmware. True when it completed a bulk set, which the ready report then follows.
    bool outputReport(const std::uint8_t *report, std::size_t length);

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
