#pragma once

#include <chrono>
#include <map>
#include <string>

// The start-up markers a program wrote to its standard error ("q7.startup: <phase> <µs on the
// monotonic clock>", the program's debug category q7.startup), put on the bench's own clock.
class TimelineMarks {
public:
    using Clock = std::chrono::steady_clock;

    static TimelineMarks read(const std::string &path);

    bool empty() const { return m_marks.empty(); }
    bool has(const std::string &phase) const { return m_marks.count(phase) > 0; }
    // When `phase` was reached, in ms after `start`; the first mark of a phase counts.
    double msAfter(const std::string &phase, Clock::time_point start) const;

private:
    std::map<std::string, long long> m_marks;
};
