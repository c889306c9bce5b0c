#include "TimelineMarks.h"

#include <fstream>

namespace {
const std::string Prefix = "q7.startup: ";
}

TimelineMarks TimelineMarks::read(const std::string &path) {
    TimelineMarks marks;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const auto at = line.find(Prefix);
        const auto space = line.rfind(' ');
        if (at == std::string::npos || space == std::string::npos || space < at + Prefix.size())
            continue;
        const std::string phase = line.substr(at + Prefix.size(), space - at - Prefix.size());
        try {
            marks.m_marks.emplace(phase, std::stoll(line.substr(space + 1)));
        } catch (const std::exception &) {
        }
    }
    return marks;
}

double TimelineMarks::msAfter(const std::string &phase, Clock::time_point start) const {
    const auto it = m_marks.find(phase);
    if (it == m_marks.end())
        return 0;
    const auto startUs =
        std::chrono::duration_cast<std::chrono::microseconds>(start.time_since_epoch()).count();
    return double(it->second - startUs) / 1000.0;
}
