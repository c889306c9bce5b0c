// Start-up and rest: a bare Qt Quick window (the floor of our stack) and q7config, each started in
// a fresh Xvfb, rounds alternating (each round starts with the next program, so none always
// follows the same one; the background sound's cost is bench_sound's). Figures, not pass/fail.
// Ratios are against the bare window drawing with the renderer q7config draws with here.
// Run it on a session bus (./dev bench gives it one), as on a desktop.
//   Q7_BENCH_ROUNDS (7), Q7_BENCH_REST_S (30) shorten a run while working on it.
//   Q7_BENCH_COMPARE=<another build's bin folder> adds that build's bare window and q7config to
//   the same rounds, so a change is weighed against the build before it on an equally loaded
//   machine.
// For q7config it also prints the start-up timeline (the program's q7.startup markers) and how
// soon each page shows after its click.
#include "ChildProcess.h"
#include "PageClicks.h"
#include "ProcessProbe.h"
#include "SceneRenderer.h"
#include "TimelineMarks.h"
#include "VirtualDisplay.h"

#include <QProcessEnvironment>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <unistd.h>
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
    // q7config: marks its start-up phases and has pages to click.
    bool isQ7 = false;
    // The program its ratios are against: the bare window drawing with the same renderer.
    size_t floor = 0;
};

// The phases q7config marks, with what each one ends with; printed in the order a program reached
// them (a build may order them differently). The first frame on screen is the bench's own figure.
const std::string OnScreen = "on screen";
const std::vector<std::pair<std::string, const char *>> Phases = {
    {"main", "main"},
    {"application", "the application object"},
    {"view", "the widget and view"},
    {"scene", "the scene loaded"},
    {"device check", "the device check done"},
    {"frame", "the first frame rendered"},
    {OnScreen, "the first frame on screen"},
    {"opening", "the opening started"},
    {"window frame", "the window frame built"},
};

struct Figures {
    double firstWindowMs = 0;
    double residentMiB = 0;
    double cpuPercent = 0;
    double wakeupsPerSecond = 0;
    double threads = 0;
    double drawsAtRest = 0;
    // The opening animation: from its start (the program's "opening" mark; without one, the first
    // frame) to the last frame before the window rests.
    double openingMs = 0;
    // When each of Phases ended, in ms after the start (negative: not marked); empty without
    // markers.
    std::vector<double> phaseEndsMs;
    bool hasPages = false;
    PageTimes pages;
    // Per page, whether the program had built it before the first frame after its click: 1 yes,
    // 0 no, -1 not marked.
    std::array<int, PageTimes::PageCount> builtForFirstFrame{};
};

struct Rates {
    double cpuPercent = 0;
    double wakeupsPerSecond = 0;
};

Rates ratesBetween(const ProcessSample &a, const ProcessSample &b, double seconds) {
    return {100.0 * double(b.cpuTicks - a.cpuTicks) / ProcessProbe::ticksPerSecond() / seconds,
            double(ProcessProbe::switchesBetween(a, b)) / seconds};
}

std::string temporaryFile() {
    char path[] = "/tmp/q7-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    close(fd);
    return path;
}

std::vector<double> phaseEnds(const TimelineMarks &marks, Clock::time_point started,
                              double onScreenMs) {
    if (marks.empty())
        return {};
    std::vector<double> ends;
    for (const auto &[phase, label] : Phases) {
        if (phase == OnScreen)
            ends.push_back(onScreenMs);
        else
            ends.push_back(marks.has(phase) ? marks.msAfter(phase, started) : -1);
    }
    return ends;
}

bool runOnce(const Program &program, int restSeconds, Figures &out) {
    VirtualDisplay display;
    if (!display.start())
        return false;
    auto env = program.env;
    env["DISPLAY"] = display.name();
    env["QT_QPA_PLATFORM"] = "xcb";
    env["WAYLAND_DISPLAY"] = "";
    std::string errorFile;
    if (program.isQ7) {
        env["QT_LOGGING_RULES"] = "q7.startup.debug=true";
        env["QT_MESSAGE_PATTERN"] = "";
        errorFile = temporaryFile();
    }
    ChildProcess child;
    const auto started = Clock::now();
    if (!child.start(program.argv, env, errorFile))
        return false;
    Clock::time_point firstDraw;
    if (!display.waitFirstDraw(FirstDrawTimeout, firstDraw)) {
        std::fprintf(stderr, "bench: %s drew nothing (exit code %d)\n", program.name.c_str(),
                     child.isRunning() ? -1 : child.exitCode());
        return false;
    }
    Clock::time_point lastDraw = firstDraw;
    if (!display.waitQuiet(QuietAfterDrawing, DrawingCap, &lastDraw))
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
    out.openingMs = std::chrono::duration<double, std::milli>(lastDraw - firstDraw).count();
    out.residentMiB = double(after.residentKiB) / 1024.0;
    out.cpuPercent = rest.cpuPercent;
    out.wakeupsPerSecond = rest.wakeupsPerSecond;
    out.threads = after.threads;
    out.drawsAtRest = double(draws) / restSeconds;
    // After the figures at rest, so the pages built here are not in them.
    if (program.isQ7) {
        out.hasPages = PageClicks::measure(display, out.pages);
        if (!out.hasPages)
            std::fprintf(stderr, "bench: %s drew nothing after a page click\n",
                         program.name.c_str());
        child.stop();
        const TimelineMarks marks = TimelineMarks::read(errorFile);
        out.phaseEndsMs = phaseEnds(marks, started, out.firstWindowMs);
        if (marks.has("opening"))
            out.openingMs = std::chrono::duration<double, std::milli>(lastDraw - started).count() -
                            marks.msAfter("opening", started);
        for (int page = 0; page < PageTimes::PageCount; ++page) {
            const std::string phase = "page " + std::to_string(page);
            out.builtForFirstFrame[page] =
                !out.hasPages || !marks.has(phase)
                    ? -1
                    : marks.msAfter(phase, out.pages.firstFrame[page]) <= 0;
        }
        unlink(errorFile.c_str());
    }
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
        {"first window (ms)", "%16.0f", "<= 1.1 x",
         [](const Figures &f) { return f.firstWindowMs; }},
        {"resident memory (MiB)", "%16.1f", "<= 1.1 x",
         [](const Figures &f) { return f.residentMiB; }},
        {"idle CPU (%)", "%16.3f", "< 0.1 %", [](const Figures &f) { return f.cpuPercent; }},
        {"wakeups/s at rest", "%16.2f", "< 1 /s",
         [](const Figures &f) { return f.wakeupsPerSecond; }},
        {"threads", "%16.0f", "", [](const Figures &f) { return f.threads; }},
        {"draws/s at rest", "%16.2f", "", [](const Figures &f) { return f.drawsAtRest; }},
        {"opening animation (ms)", "%16.0f", "its start to its last frame",
         [](const Figures &f) { return f.openingMs; }},
    };
    std::printf("\n%-24s", "median of each figure");
    for (const Program &p : programs)
        std::printf("%16s", p.name.c_str());
    for (size_t i = 0; i < programs.size(); ++i)
        if (programs[i].floor != i)
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
            std::printf(row.format, medians.back());
        }
        for (size_t i = 0; i < medians.size(); ++i) {
            if (programs[i].floor == i)
                continue;
            if (medians[programs[i].floor] > 0)
                std::printf("%10.2f", medians[i] / medians[programs[i].floor]);
            else
                std::printf("%10s", "-");
        }
        std::printf("  %s\n", row.target);
    }
}

// Median per phase of q7config's start-up, for each program that marked its phases in every round:
// the phases in the order the program reached them, each with its length and its end.
void printTimeline(const std::vector<Program> &programs,
                   const std::vector<std::vector<Figures>> &runs) {
    for (size_t i = 0; i < programs.size(); ++i) {
        const auto &rounds = runs[i];
        const bool everyRound =
            !rounds.empty() && std::all_of(rounds.begin(), rounds.end(),
                                           [](const Figures &f) { return !f.phaseEndsMs.empty(); });
        if (!everyRound)
            continue;
        std::vector<std::pair<double, size_t>> order; // median end, phase
        for (size_t phase = 0; phase < Phases.size(); ++phase) {
            std::vector<double> ends;
            for (const Figures &f : rounds)
                if (f.phaseEndsMs[phase] >= 0)
                    ends.push_back(f.phaseEndsMs[phase]);
            if (ends.size() == rounds.size())
                order.emplace_back(median(ends), phase);
        }
        std::sort(order.begin(), order.end());
        std::printf("\nstart-up timeline of %s, median of %zu rounds (ms): to the end of the phase "
                    "from the one before, and from the start\n",
                    programs[i].name.c_str(), rounds.size());
        for (size_t k = 0; k < order.size(); ++k) {
            const size_t phase = order[k].second;
            std::vector<double> lengths;
            for (const Figures &f : rounds)
                lengths.push_back(f.phaseEndsMs[phase] -
                                  (k == 0 ? 0 : f.phaseEndsMs[order[k - 1].second]));
            std::printf("  to %-30s%11.1f%11.1f\n", Phases[phase].second, median(lengths),
                        order[k].first);
        }
    }
}

// How soon each page shows after its click, median over the rounds.
void printPages(const std::vector<Program> &programs,
                const std::vector<std::vector<Figures>> &runs) {
    std::vector<size_t> clicked;
    for (size_t i = 0; i < programs.size(); ++i)
        if (programs[i].isQ7)
            clicked.push_back(i);
    if (clicked.empty())
        return;
    std::printf(
        "\npages: from the click to the first frame after it, median (ms). The first click builds\n"
        "the page, the second finds it built; \"in 1st frame\": rounds where the program had "
        "built\n"
        "the page before that first frame (its q7.startup mark), of the rounds it marked\n");
    std::printf("  %-16s", "");
    for (size_t i : clicked)
        std::printf("%38s", programs[i].name.c_str());
    std::printf("\n  %-16s", "");
    for (size_t k = 0; k < clicked.size(); ++k)
        std::printf("%8s%8s%8s%14s", "first", "again", "extra", "in 1st frame");
    std::printf("\n");
    for (int page = 0; page < PageTimes::PageCount; ++page) {
        std::printf("  %-16s", PageTimes::name(page));
        for (size_t i : clicked) {
            std::vector<double> first, again, extra;
            int marked = 0, inFirst = 0;
            for (const Figures &f : runs[i]) {
                if (!f.hasPages)
                    continue;
                first.push_back(f.pages.firstShowMs[page]);
                again.push_back(f.pages.againMs[page]);
                extra.push_back(f.pages.firstShowMs[page] - f.pages.againMs[page]);
                marked += f.builtForFirstFrame[page] >= 0;
                inFirst += f.builtForFirstFrame[page] == 1;
            }
            if (first.empty()) {
                std::printf("%8s%8s%8s%14s", "-", "-", "-", "-");
                continue;
            }
            std::printf("%8.1f%8.1f%8.1f", median(first), median(again), median(extra));
            if (marked == 0)
                std::printf("%14s", "no marks");
            else
                std::printf("%10d of %d", inFirst, marked);
        }
        std::printf("\n");
    }
}

} // namespace

int main() {
    const int rounds = envInt("Q7_BENCH_ROUNDS", 7);
    const int rest = envInt("Q7_BENCH_REST_S", 30);
    std::vector<Program> programs = {
        {"bare window", {BenchDir + "/bare_window"}, {}},
        {"q7config",
         {BinDir + "/q7config"},
         {{"LD_PRELOAD", BinDir + "/libq7-virtual-mouse.so"}},
         true},
    };
    // Without a graphics device q7config draws with Qt Quick's software renderer, and a bare
    // window on Qt's default (OpenGL on the CPU) is no floor for it: a bare window drawing the
    // same way is, and both bare windows are in the table.
    const bool software = SceneRenderer::softwareWanted(QProcessEnvironment::systemEnvironment(),
                                                        SceneRenderer::hasGraphicsDevice());
    if (software) {
        programs.push_back({"bare, software",
                            {BenchDir + "/bare_window"},
                            {{"QT_QUICK_BACKEND", "software"}},
                            false,
                            2});
        programs[1].floor = 2;
    }
    if (const char *other = std::getenv("Q7_BENCH_COMPARE"); other && *other) {
        const std::string bin = other;
        const size_t bare = programs.size();
        programs.push_back({"bare, compared", {bin + "/../bench/bare_window"}, {}, false, bare});
        programs.push_back({"compared",
                            {bin + "/q7config"},
                            {{"LD_PRELOAD", bin + "/libq7-virtual-mouse.so"}},
                            true,
                            bare});
    }
    std::printf("start-up and rest: %d rounds, %d s at rest, each run in a fresh Xvfb\n", rounds,
                rest);
    if (software)
        std::printf("no graphics device: q7config draws with the software renderer, and its ratios "
                    "are against the bare window drawing the same way\n");
    std::vector<std::vector<Figures>> runs(programs.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < programs.size(); ++k) {
            const size_t i = (size_t(round) + k) % programs.size();
            Figures f;
            if (!runOnce(programs[i], rest, f))
                return 1;
            runs[i].push_back(f);
            std::printf("  round %d %-15s %6.0f ms %7.1f MiB %6.3f %% %7.2f wakeups/s %3.0f threads"
                        " %6.0f ms opening\n",
                        round + 1, programs[i].name.c_str(), f.firstWindowMs, f.residentMiB,
                        f.cpuPercent, f.wakeupsPerSecond, f.threads, f.openingMs);
            std::fflush(stdout);
        }
    }
    printTable(programs, runs);
    printTimeline(programs, runs);
    printPages(programs, runs);
    return 0;
}
