// How long each set and get takes through the real stack: the link on the stock hidapi, the
// kernel's interfaces emulated by umockdev, the firmware model behind them. Against the same
// floor as bench_commands, so the two tables show what the stack itself costs.
#include "CommandTiming.h"
#include "DeviceTableReader.h"
#include "Hid_Thread.h"
#include "KernelQ7.h"
#include "KernelTestbed.h"
#include "LinkState.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The testbed needs umockdev's preload in this very process: start again under it.
void ensurePreloaded(char *argv[]) {
    if (q7kernel::KernelTestbed::underPreload())
        return;
    const char *before = std::getenv("LD_PRELOAD");
    const std::string preload = std::string("libumockdev-preload.so.0") +
                                (before && *before ? std::string(":") + before : "");
    setenv("LD_PRELOAD", preload.c_str(), 1);
    execv("/proc/self/exe", argv);
    std::perror("bench_commands_kernel: cannot start again under umockdev's preload");
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[]) {
    ensurePreloaded(argv);
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    q7kernel::KernelTestbed bed;
    QTemporaryDir state;
    q7vm::EmulatorSettings settings;
    settings.secrecyCode = "274951";
    settings.statePath = state.filePath(QStringLiteral("mouse.state")).toStdString();
    q7kernel::KernelQ7 mouse(bed, settings);
    mouse.plug();

    Hid_Thread hid;
    hid.scanDevices(DeviceTableReader::read(QString::fromLatin1(DeviceTableReader::EmbeddedPath),
                                            {QStringLiteral("Keyboard"), QStringLiteral("Q7")}));
    LinkState::instance().scrambling = true;
    hid.swichCurDevice(hid.currentIndex());
    if (!LinkState::instance().connected.load()) {
        std::fprintf(stderr, "the kernel-level Q7 was not found through hidapi\n");
        return 1;
    }
    CommandTiming::run(hid, "the stock hidapi and the kernel's interfaces (umockdev)");
    return 0;
}
