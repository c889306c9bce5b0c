#include "DeviceSession.h"

#include "KeyboardFactoryState.h"
#include "KeyboardFirmware.h"
#include "MouseFactoryState.h"
#include "MouseFirmware.h"

#include <cstdio>

namespace q7vm {

namespace {

std::unique_ptr<Firmware> makeFirmware(const Personality &personality, const StateFile &file) {
    if (personality.kind == DeviceKind::Keyboard)
        return std::make_unique<KeyboardFirmware>(
            file.load(KeyboardFactoryState::build(), personality.name));
    return std::make_unique<MouseFirmware>(file.load(MouseFactoryState::build(), personality.name));
}

} // namespace

DeviceSession::DeviceSession(EmulatorSettings s)
    : settings(std::move(s)), personality(Personality::forKind(settings.kind)),
      codec(settings.secrecyCode), stateFile(settings.statePath),
      firmware(makeFirmware(personality, stateFile)), log(settings.logPath) {
    for (const std::string &name : settings.faults.unknown)
        std::fprintf(stderr, "q7-virtual-mouse: unknown fault \"%s\" ignored\n", name.c_str());
    // With no transfers allowed at all the device is gone from the start.
    unplugged = settings.faults.unplugAfterTransfers == 0L;
}

void DeviceSession::saveState() {
    if (stateFile.save(firmware->state(), personality.name) || saveFailureReported_)
        return;
    saveFailureReported_ = true;
    std::fprintf(stderr, "q7-virtual-mouse: cannot write state file %s\n",
                 stateFile.path().c_str());
}

bool DeviceSession::countTransfer() {
    ++transfers_;
    const auto &limit = settings.faults.unplugAfterTransfers;
    if (limit && transfers_ >= *limit && !unplugged) {
        unplugged = true;
        return true;
    }
    return false;
}

} // namespace q7vm
