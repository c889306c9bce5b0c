#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace q7vm {

// The firmware says "done" on its event interface a little while after each command, not at
// once: the host clears its ready flag right after sending and only then starts waiting.
class ReadyScheduler {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::array<std::uint8_t, 4> kReadyReport = {0x04, 0x04, 0x00, 0x00};
    static constexpr std::chrono::milliseconds kDelay{16};

    void scheduleAfter(Clock::time_point processedAt) { due_.push_back(processedAt + kDelay); }
    std::optional<Clock::time_point> nextDue() const;
    // Removes and returns the moments that have come by `now`, oldest first.
    std::vector<Clock::time_point> takeDue(Clock::time_point now);

private:
    std::deque<Clock::time_point> due_; // in order: the delay is constant
};

} // namespace q7vm
