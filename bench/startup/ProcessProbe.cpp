#include "ProcessProbe.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

long long fieldOf(const std::string &statusPath, const std::string &key) {
    std::ifstream in(statusPath);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::stoll(line.substr(key.size()));
    return 0;
}

// Fields 14 and 15 of /proc/PID/stat; the command name (field 2) may hold spaces.
long long cpuTicksOf(const std::string &statPath) {
    std::ifstream in(statPath);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream rest(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14)
            utime = std::stoll(field);
        if (i == 15)
            stime = std::stoll(field);
    }
    return utime + stime;
}

} // namespace

ProcessSample ProcessProbe::sample(pid_t pid) {
    namespace fs = std::filesystem;
    ProcessSample s;
    const std::string base = "/proc/" + std::to_string(pid);
    std::error_code error;
    for (const auto &task : fs::directory_iterator(base + "/task", error)) {
        const std::string status = task.path().string() + "/status";
        s.contextSwitches[std::stoi(task.path().filename().string())] =
            fieldOf(status, "voluntary_ctxt_switches:") +
            fieldOf(status, "nonvoluntary_ctxt_switches:");
        ++s.threads;
    }
    if (error || s.threads == 0)
        return s;
    s.cpuTicks = cpuTicksOf(base + "/stat");
    s.residentKiB = fieldOf(base + "/status", "VmRSS:");
    s.valid = true;
    return s;
}

double ProcessProbe::ticksPerSecond() {
    return double(sysconf(_SC_CLK_TCK));
}

long long ProcessProbe::switchesBetween(const ProcessSample &a, const ProcessSample &b) {
    long long total = 0;
    for (const auto &[tid, count] : b.contextSwitches) {
        const auto before = a.contextSwitches.find(tid);
        total += count - (before == a.contextSwitches.end() ? 0 : before->second);
    }
    return total;
}
