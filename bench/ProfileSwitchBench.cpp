// How long a profile switch takes on the virtual mouse: between two profiles that differ in one
// page (lighting) and in all pages, against the floor of the sets that differ (their settle
// pauses and report spacing).
#include "CommandTiming.h"
#include "Hid_Thread.h"
#include "ProfileApplier.h"
#include "VirtualMouse.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

constexpr int Rounds = 5;

void lighting(QSettings &p, int effect, int base) {
    QVariantList colours;
    for (int i = 0; i < 24; ++i)
        colours.append((base + 10 * i) % 256);
    p.setValue(QStringLiteral("color_Q7/type0"), colours);
    p.setValue(QStringLiteral("color_Q7/ledEffect"), QVariantList{effect, 5, 3});
}

void sensorAndKeys(QSettings &p, int rate, int stage, int variant) {
    p.setValue(QStringLiteral("sensor/reportRate_Q7"), rate);
    p.setValue(QStringLiteral("sensor/stage_Q7"), stage);
    p.setValue(QStringLiteral("sensor/dpi_Q7"),
               variant ? QVariantList{1000, 2000, 4000, 8000, 0, 0, 0, 0}
                       : QVariantList{800, 1600, 2400, 3200, 0, 0, 0, 0});
    QVariantList rgb;
    for (int i = 0; i < 24; ++i)
        rgb.append(variant ? 255 - i : i);
    p.setValue(QStringLiteral("color_Q7/type1"), rgb);
    // The stage colours go as ids when the mouse's logo LED takes its palette.
    p.setValue(QStringLiteral("color_Q7/type2"), variant ? QVariantList{7, 6, 5, 4, 3, 2, 1, 0}
                                                         : QVariantList{0, 1, 2, 3, 4, 5, 6, 7});
    p.setValue(QStringLiteral("keydefine_Q7/4"),
               variant ? QVariantList{3, 0, 0xE9, 0} : QVariantList{1, 0, 0xF3, 0});
}

// The floor of a switch from `from` to `to`: the sets of `to` that the mouse holds otherwise.
int floorMs(ProfileApplier &applier, int from, int to) {
    const QList<PreparedSet> before = applier.setsFor(from);
    int ms = 0;
    for (const PreparedSet &set : applier.setsFor(to))
        if (!before.contains(set))
            ms += CommandTiming::setFloorMs(set.command);
    return ms;
}

void time(myQQuickView &view, const char *name, int a, int b) {
    ProfileApplier &applier = *view.profileApplier();
    view.applyProfile(a);
    QElapsedTimer timer;
    timer.start();
    int sets = 0;
    for (int i = 0; i < Rounds; ++i) {
        sets += applier.apply(b);
        sets += applier.apply(a);
    }
    const double mean = double(timer.nsecsElapsed()) / 1e6 / (2 * Rounds);
    const int floor = (floorMs(applier, a, b) + floorMs(applier, b, a)) / 2;
    std::printf("%-34s %6.1f %10.2f %10d %8.2f\n", name, double(sets) / (2 * Rounds), mean, floor,
                floor > 0 ? mean / floor : 0.0);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("modules/setting"));
    {
        QSettings config(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
        config.setValue(QStringLiteral("common/product_name"),
                        QStringList{QStringLiteral("Keyboard"), QStringLiteral("Q7")});
        QSettings p1(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        QSettings p2(QStringLiteral("modules/setting/p2.bin"), QSettings::IniFormat);
        QSettings p3(QStringLiteral("modules/setting/p3.bin"), QSettings::IniFormat);
        sensorAndKeys(p1, 1, 2, 0), lighting(p1, 1, 0);
        sensorAndKeys(p2, 1, 2, 0), lighting(p2, 4, 128); // the colour page differs
        sensorAndKeys(p3, 8, 3, 1), lighting(p3, 4, 128); // every page differs from p1
    }
    VirtualMouse mouse;
    Hid_Thread hid;
    if (!mouse.connect(hid)) {
        std::fprintf(stderr, "the virtual mouse is not there\n");
        return 1;
    }
    while (!hid.isWatching())
        QThread::msleep(10);
    QThread::msleep(200); // the watcher has the event interface open
    myQQuickView view(nullptr, false);
    view.setDeviceLink(&hid);

    if (qEnvironmentVariableIsSet("Q7_BENCH_SHOW"))
        for (int p = 0; p < 3; ++p)
            for (const PreparedSet &set : view.profileApplier()->setsFor(p))
                std::printf("%d %s\n", p, set.content().toHex(' ').constData());
    std::printf("profile switches through the virtual mouse's hidapi library\n");
    std::printf("%-34s %6s %10s %10s %8s\n", "switch", "sets", "mean ms", "floor ms", "ratio");
    time(view, "differing in one page (colour)", 0, 1);
    time(view, "differing in all pages", 0, 2);
    return 0;
}
