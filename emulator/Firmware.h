#pragma once

#include "FirmwareState.h"
#include "FrameCodec.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace q7vm {

// A decoded command frame; byte numbers count as on the wire (1 = code, 2..7 = parameters).
struct Command {
    FrameBody body{};
    std::uint8_t code() const { return body[0]; }
    std::uint8_t at(int frameByte) const { return body[static_cast<std::size_t>(frameByte - 1)]; }
};

struct CommandOutcome {
    bool refused = false;
    bool stateChanged = false;
    std::optional<AnswerBytes> answer;
    bool answerScrambled = true; // answers of bulk gets go out plain
    Bytes bulkIn;                // data for input reports on the command interface
};

struct BulkOutcome {
    bool consumed = false;  // the report belonged to a bulk set
    bool completed = false; // it was the last one
    bool stateChanged = false;
};

// Common machinery of a firmware: command dispatch, bulk sets assembled from output
// reports in arrival order, factory reset. The personalities add their command tables.
class Firmware {
public:
    Firmware(FirmwareState factory, FirmwareState stored);
    virtual ~Firmware() = default;

    CommandOutcome handleCommand(const FrameBody &plain);
    BulkOutcome handleOutputReport(const std::uint8_t *data, std::size_t size);

    const FirmwareState &state() const { return state_; }

protected:
    // Stores what a completed bulk set carried; returns true when something changed.
    using BulkApply = std::function<bool(const Bytes &)>;

    virtual CommandOutcome dispatch(const Command &command) = 0;

    static CommandOutcome refused();
    static CommandOutcome stored(bool changed);
    static AnswerBytes answerFrame(std::uint8_t code);
    static void put(AnswerBytes &answer, int frameByte, std::uint8_t value);
    static CommandOutcome answered(const AnswerBytes &answer);
    static CommandOutcome answeredWithBulk(const AnswerBytes &answer, Bytes data);

    CommandOutcome expectBulk(std::size_t count, BulkApply apply);
    bool resetToFactory();

    FirmwareState state_;

private:
    struct PendingBulk {
        std::size_t count = 0;
        Bytes received;
        BulkApply apply;
    };

    FirmwareState factory_;
    std::optional<PendingBulk> pending_;
};

} // namespace q7vm
