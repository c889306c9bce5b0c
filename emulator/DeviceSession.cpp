#include "DeviceSession.h"

#include "KeyboardFactoryState.h"
#include "KeyboardFirmware.h"
#include "MouseFactoryState.h"
#include "MouseFirmware.h"

#include <algorithm>
#include <cstdio>

namespace q7vm {

namespace {

constexpr std::uint8_t kReportNumber = 0;

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

bool DeviceSession::isCommandReport(const std::uint8_t *report, std::size_t length) {
    return report && length == kFeatureReportSize && report[0] == kReportNumber;
}

bool DeviceSession::isOutputReport(const std::uint8_t *report, std::size_t length) const {
    return report && length >= 2 && length <= personality.reportLength + 1 &&
           report[0] == kReportNumber;
}

FrameOutcome DeviceSession::commandFrame(const std::uint8_t *report) {
    FrameBody wire{};
    std::copy_n(report + 1, wire.size(), wire.begin());
    const std::optional<FrameBody> plain = codec.decodeCommand(wire);
    const CommandOutcome command = plain ? firmware->handleCommand(*plain) : CommandOutcome{};
    FrameOutcome outcome;
    outcome.refused = !plain || command.refused;
    outcome.code = plain ? (*plain)[0] : 0;
    log.record("feature_out", report, kFeatureReportSize, outcome.refused);
    pendingAnswer.reset();
    if (outcome.refused)
        return outcome;

    if (command.answer)
        pendingAnswer = codec.encodeAnswer(*command.answer, command.answerScrambled);
    const std::size_t length = personality.reportLength;
    for (std::size_t offset = 0; offset < command.bulkIn.size(); offset += length) {
        Bytes input(length, 0x00);
        std::copy_n(command.bulkIn.begin() + static_cast<std::ptrdiff_t>(offset),
                    std::min(length, command.bulkIn.size() - offset), input.begin());
        outcome.input.push_back(std::move(input));
    }
    if (command.stateChanged)
        saveState();
    outcome.readyFollows = true;
    return outcome;
}

std::optional<FeatureReport> DeviceSession::answer() {
    if (!pendingAnswer)
        return std::nullopt;
    FeatureReport report{};
    report[0] = kReportNumber;
    std::copy(pendingAnswer->begin(), pendingAnswer->end(), report.begin() + 1);
    log.record("feature_in", report.data(), report.size());
    return report;
}

bool DeviceSession::outputReport(const std::uint8_t *report, std::size_t length) {
    log.record("output", report, length);
    Bytes data(personality.reportLength, 0x00); // a short write reaches the device zero-padded
    std::copy(report + 1, report + length, data.begin());
    const BulkOutcome outcome = firmware->handleOutputReport(data.data(), data.size());
    if (outcome.stateChanged)
        saveState();
    return outcome.completed;
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
