#include "Firmware.h"

#include <algorithm>

namespace q7vm {

Firmware::Firmware(FirmwareState factory, FirmwareState stored)
    : state_(std::move(stored)), factory_(std::move(factory)) {}

CommandOutcome Firmware::handleCommand(const FrameBody &plain) {
    // A new command abandons a bulk set whose reports never all came.
    pending_.reset();
    return dispatch(Command{plain});
}

BulkOutcome Firmware::handleOutputReport(const std::uint8_t *data, std::size_t size) {
    BulkOutcome outcome;
    if (!pending_)
        return outcome;
    outcome.consumed = true;
    const std::size_t wanted = pending_->count - pending_->received.size();
    pending_->received.insert(pending_->received.end(), data, data + std::min(wanted, size));
    if (pending_->received.size() < pending_->count)
        return outcome;
    outcome.completed = true;
    outcome.stateChanged = pending_->apply(pending_->received);
    pending_.reset();
    return outcome;
}

CommandOutcome Firmware::refused() {
    CommandOutcome outcome;
    outcome.refused = true;
    return outcome;
}

CommandOutcome Firmware::stored(bool changed) {
    CommandOutcome outcome;
    outcome.stateChanged = changed;
    return outcome;
}

AnswerBytes Firmware::answerFrame(std::uint8_t code) {
    AnswerBytes answer{};
    answer[0] = code;
    return answer;
}

void Firmware::put(AnswerBytes &answer, int frameByte, std::uint8_t value) {
    answer.at(static_cast<std::size_t>(frameByte - 1)) = value;
}

CommandOutcome Firmware::answered(const AnswerBytes &answer) {
    CommandOutcome outcome;
    outcome.answer = answer;
    return outcome;
}

CommandOutcome Firmware::answeredWithBulk(const AnswerBytes &answer, Bytes data) {
    CommandOutcome outcome;
    outcome.answer = answer;
    outcome.answerScrambled = false;
    outcome.bulkIn = std::move(data);
    return outcome;
}

CommandOutcome Firmware::expectBulk(std::size_t count, BulkApply apply) {
    pending_ = PendingBulk{count, {}, std::move(apply)};
    return stored(false);
}

bool Firmware::resetToFactory() {
    bool changed = false;
    for (const std::string &name : factory_.names())
        changed = state_.set(name, factory_.field(name)) || changed;
    return changed;
}

} // namespace q7vm
