#include "ReadyScheduler.h"

namespace q7vm {

std::optional<ReadyScheduler::Clock::time_point> ReadyScheduler::nextDue() const {
    if (due_.empty())
        return std::nullopt;
    return due_.front();
}

std::vector<ReadyScheduler::Clock::time_point> ReadyScheduler::takeDue(Clock::time_point now) {
    std::vector<Clock::time_point> passed;
    while (!due_.empty() && due_.front() <= now) {
        passed.push_back(due_.front());
        due_.pop_front();
    }
    return passed;
}

} // namespace q7vm
