// Start-up and rest: a bare Qt Quick window (the floor of our stack) and q7config, each started in
// a fresh Xvfb, rounds alternating (the background sound's cost is bench_sound's). Figures, not
// pass/fail.
//   Q7_BENCH_ROUNDS (5), Q7_BENCH_REST_S (30) shorten a run while working on it.
//   Q7_BENCH_COMPARE=<another build's bin folder> adds its q7config to the same rounds, so a
//   change is weighed against the build before it on an equally loaded machine.
#include "ChildProcess.h"
#include "ProcessProbe.h"
#include "VirtualDisplay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = VirtualDisplay::Clock;

constexpr auto QuietAfterDrawing = 2s;
constexpr auto DrawingCap = 30s;
constexpr auto FirstDrawTimeout = 20s;
const std::string BinDir = Q7_BIN_DIR;
const std::string BenchDir = Q7_BENCH_DIR;

int envInt(const char *name, int fallback) {
    const char *value = std::getenv(name);
    return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

struct Program {
    std::string name;
    std::vector<std::string> argv;
    std::map<std::string, std::string> env;
};

struct Figures {
    double firstWindowMs = 0;
    double residentMiB = 0;
    double cpuPercent = 0;
    double wakeupsPerSecond = 0;
    double threads = 0;
    double drawsAtRest = 0;
};

struct Rates {
    double cpuPercent = 0;
    double wakeupsPerSecond = 0;
};

Rates ratesBetween(const ProcessSample &a, const ProcessSample &b, double seconds) {
    return {100.0 * double(b.cpuTicks - a.cpuTicks) / ProcessProbe::ticksPerSecond() / seconds,
            double(ProcessProbe::switchesBetween(a, b)) / seconds};
}

bool runOnce(const Program &program, int restSeconds, Figures &out) {
    VirtualDisplay display;
    if (!display.start())
        return false;
    auto env = program.env;
    env["DISPLAY"] = display.name();
    env["QT_QPA_PLATFORM"] = "xcb";
    env["WAYLAND_DISPLAY"] = "";
    ChildProcess child;
    const auto started = Clock::now();
    if (!child.start(program.argv, env))
        return false;
    Clock::time_point firstDraw;
    if (!display.waitFirstDraw(FirstDrawTimeout, firstDraw)) {
        std::fprintf(stderr, "bench: %s drew nothing (exit code %d)\n", program.name.c_str(),
                     child.isRunning() ? -1 : child.exitCode());
        return false;
    }
    if (!display.waitQuiet(QuietAfterDrawing, DrawingCap))
        std::fprintf(stderr, "bench: %s kept drawing for %llds\n", program.name.c_str(),
                     static_cast<long long>(DrawingCap / 1s));
    const ProcessSample before = ProcessProbe::sample(child.pid());
    const int draws = display.countDraws(std::chrono::seconds(restSeconds));
    const ProcessSample after = ProcessProbe::sample(child.pid());
    if (!before.valid || !after.valid) {
        std::fprintf(stderr, "bench: %s ended early\n", program.name.c_str());
        return false;
    }
    const Rates rest = ratesBetween(before, after, restSeconds);
    out.firstWindowMs = std::chrono::duration<double, std::milli>(firstDraw - started).count();
    out.residentMiB = double(after.residentKiB) / 1024.0;
    out.cpuPercent = rest.cpuPercent;
    out.wakeupsPerSecond = rest.wakeupsPerSecond;
    out.threads = after.threads;
    out.drawsAtRest = double(draws) / restSeconds;
    return true;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printTable(const std::vector<Program> &programs,
                const std::vector<std::vector<Figures>> &runs) {
    struct Row {
        const char *label;
        const char *format;
        const char *target;
        std::function<double(const Figures &)> get;
    };
    const std::vector<Row> rows = {
        {"first window (ms)", "%10.0f", "<= 1.2 x",
         [](const Figures &f) { return f.firstWindowMs; }},
        {"resident memory (MiB)", "%10.1f", "<= 1.15 x",
         [](const Figures &f) { return f.residentMiB; }},
        {"idle CPU (%)", "%10.3f", "< 0.1 %", [](const Figures &f) { return f.cpuPercent; }},
        {"wakeups/s at rest", "%10.2f", "< 1 /s",
         [](const Figures &f) { return f.wakeupsPerSecond; }},
        {"threads", "%10.0f", "", [](const Figures &f) { return f.threads; }},
        {"draws/s at rest", "%10.2f", "", [](const Figures &f) { return f.drawsAtRest; }},
    };
    std::printf("\n%-24s", "median of each figure");
    for (const Program &p : programs)
        std::printf("%12s", p.name.c_str());
    for (size_t i = 1; i < programs.size(); ++i)
        std::printf("%10s", "ratio");
    std::printf("  %s\n", "target");
    for (const Row &row : rows) {
        std::printf("%-24s", row.label);
        std::vector<double> medians;
        for (const auto &programRuns : runs) {
            std::vector<double> values;
            for (const Figures &f : programRuns)
                values.push_back(row.get(f));
            medians.push_back(median(values));
            std::printf("  ");
            std::printf(row.format, medians.back());
        }
        for (size_t i = 1; i < medians.size(); ++i) {
            if (medians[0] > 0)
                std::printf("%10.2f", medians[i] / medians[0]);
            else
                std::printf("%10s", "-");
        }
        std::printf("  %s\n", row.target);
    }
}

} // namespace

int main() {
    const int rounds = envInt("Q7_BENCH_ROUNDS", 5);
    const int rest = envInt("Q7_BENCH_REST_S", 30);
    std::vector<Program> programs = {
        {"bare window", {BenchDir + "/bare_window"}, {}},
        {"q7config", {BinDir + "/q7config"}, {{"LD_PRELOAD", BinDir + "/libq7-virtual-mouse.so"}}},
    };
    if (const char *other = std::getenv("Q7_BENCH_COMPARE"); other && *other)
        programs.push_back({"compared",
                            {std::string(other) + "/q7config"},
                            {{"LD_PRELOAD", std::string(other) + "/libq7-virtual-mouse.so"}}});
    std::printf("start-up and rest: %d rounds, %d s at rest, each run in a fresh Xvfb\n", rounds,
                rest);
    std::vector<std::vector<Figures>> runs(programs.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < programs.size(); ++i) {
            Figures f;
            if (!runOnce(programs[i], rest, f))
                return 1;
            runs[i].push_back(f);
            std::printf(
                "  round %d %-12s %6.0f ms %7.1f MiB %6.3f %% %7.2f wakeups/s %3.0f threads\n",
                round + 1, programs[i].name.c_str(), f.firstWindowMs, f.residentMiB, f.cpuPercent,
                f.wakeupsPerSecond, f.threads);
            std::fflush(stdout);
        }
    }
    printTable(programs, runs);
    return 0;
}
