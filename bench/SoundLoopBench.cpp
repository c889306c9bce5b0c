// What the background sound loop costs while it plays: CPU time per second of sound of the
// program's SoundBoard (sound_loop) against gst-launch-1.0 playing the same file, both into a
// PulseAudio null sink of the bench's own, whose monitor shows how much each really played.
// Figures, not pass/fail; the target is at most 1.5 times gst-launch's cost.
//   Q7_BENCH_ROUNDS (3) rounds, alternating.
#include "NullSinkServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int SettleMs = 1000;  // start-up is not the loop's cost
constexpr int MeasureMs = 4000; // within the file's 6 s, so gst-launch plays throughout
constexpr int StretchMs = 50;   // sound is counted in stretches of this length
constexpr int Heard = 500;
constexpr double Target = 1.5;

// CPU time of every thread of a process, in ns (the scheduler's own count, finer than ticks).
double cpuNs(qint64 pid) {
    double total = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString &tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + QLatin1Char('/') + tid + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toDouble();
    }
    return total;
}

struct Cost {
    double cpuSeconds = 0;
    double soundSeconds = 0;
    double perSecondOfSound() const { return soundSeconds > 0 ? cpuSeconds / soundSeconds : 0; }
};

bool measure(NullSinkServer &server, const QString &program, const QStringList &args, Cost &out) {
    NullSinkServer::Recording recording(server);
    QProcess player;
    player.setStandardOutputFile(QProcess::nullDevice());
    player.setStandardErrorFile(QProcess::nullDevice());
    player.start(program, args);
    if (!player.waitForStarted() || !recording.reach(recording.position() + SettleMs))
        return false;
    const int from = recording.position();
    const double before = cpuNs(player.processId());
    if (!recording.reach(from + MeasureMs) || player.state() != QProcess::Running)
        return false;
    const double after = cpuNs(player.processId());
    player.kill();
    player.waitForFinished();
    int stretches = 0;
    for (int at = from; at < from + MeasureMs; at += StretchMs)
        stretches += recording.loudest(at, at + StretchMs) > Heard;
    out = {(after - before) / 1e9, stretches * StretchMs / 1000.0};
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int asked = qEnvironmentVariableIntValue("Q7_BENCH_ROUNDS");
    const int rounds = asked > 0 ? asked : 3;
    std::printf("background sound loop: CPU per second of sound, %d rounds of %d s each\n", rounds,
                MeasureMs / 1000);
    NullSinkServer server;
    QString error;
    if (!server.start(&error)) {
        std::printf("  no audio server: %s\n", qPrintable(error));
        return 0;
    }
    const QString file = QStringLiteral(Q7_BIN_DIR "/modules/media/00.wav");
    std::vector<double> ours, theirs;
    for (int round = 0; round < rounds; ++round) {
        Cost loop, once;
        if (!measure(server, QStringLiteral(Q7_BENCH_DIR "/sound_loop"),
                     {QStringLiteral(Q7_BIN_DIR)}, loop) ||
            !measure(server, QStringLiteral("gst-launch-1.0"),
                     {QStringLiteral("-q"), QStringLiteral("playbin"),
                      QStringLiteral("uri=file://") + file},
                     once)) {
            std::printf("  round %d: a player did not play\n", round + 1);
            return 0;
        }
        std::printf("  round %d  q7 loop %.4f s CPU over %.2f s of sound; gst-launch-1.0 %.4f s "
                    "over %.2f s\n",
                    round + 1, loop.cpuSeconds, loop.soundSeconds, once.cpuSeconds,
                    once.soundSeconds);
        ours.push_back(loop.perSecondOfSound());
        theirs.push_back(once.perSecondOfSound());
    }
    const double a = median(ours), b = median(theirs);
    std::printf("  median CPU per second of sound: q7 loop %.2f ms, gst-launch-1.0 %.2f ms, "
                "ratio %.2f (target <= %.1f)\n",
                a * 1000, b * 1000, b > 0 ? a / b : 0.0, Target);
    return 0;
}
