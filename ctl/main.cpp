// q7ctl: the program's slots and settings from the command line, through the running window
// when there is one, on its own otherwise.
#include "BusSlotCaller.h"
#include "ConsolePrompt.h"
#include "DataFolder.h"
#include "DeviceCheck.h"
#include "DeviceLock.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "LocalSlotCaller.h"
#include "MouseActions.h"
#include "PageLogic.h"
#include "RuntimeDir.h"
#include "SlotDomains.h"
#include "Words.h"
#include "myQQuickView.h"
#include "q7ctl_help.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>

#include <cstdio>

namespace {

int fail(int code, const QString &message) {
    std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(message));
    return code;
}

QString deviceState() {
    return LinkState::instance().demoMode.load() ? QStringLiteral("demo")
                                                 : QStringLiteral("connected");
}

constexpr int TurnWaitMs = 20;
constexpr qint64 TurnTimeoutMs = 60000;

// Through the window: its slots, its device, its lock. A word is several calls (read, then
// change): one q7ctl at a time, so two at once both act on what the other left.
int runThroughWindow(const QStringList &words, bool yes, bool json) {
    DeviceLock turn(QStringLiteral("q7ctl through the window"), QStringLiteral("q7ctl"));
    QElapsedTimer waited;
    waited.start();
    while (!turn.tryLock()) {
        if (waited.elapsed() > TurnTimeoutMs)
            return fail(Words::Busy, QStringLiteral("another q7ctl (%1) has been talking to the "
                                                    "window for a minute; try again")
                                         .arg(turn.holderText()));
        QThread::msleep(TurnWaitMs);
    }
    BusSlotCaller caller;
    PageLogic logic;
    MouseActions actions(caller, logic, yes);
    actions.setDeviceState([] { return QStringLiteral("connected, through the q7config window"); });
    return Words(caller, actions).run(words, yes, json);
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    RuntimeDir::ensure();
    QApplication app(argc, argv);

    QStringList args = app.arguments().mid(1);
    const bool yes = args.removeAll(QStringLiteral("--yes")) > 0;
    const bool verbose = args.removeAll(QStringLiteral("--verbose")) > 0;
    const bool json =
        args.value(0) == QLatin1String("status") && args.removeAll(QStringLiteral("--json")) > 0;
    if (!verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    if (args.value(0) == QLatin1String("--help")) {
        std::fputs(Manual::q7ctlHelp, stdout);
        return Words::Ok;
    }
    if (const auto error = Words::usageError(args)) {
        std::fprintf(stderr, "q7ctl: %s\n\n", qUtf8Printable(*error));
        std::fputs(Manual::q7ctlHelp, stderr);
        return Words::Usage;
    }
    // Files name what the user sees from here: before the working folder changes.
    const QStringList words = Words::withAbsoluteFiles(args);

    ConsolePrompt prompt(yes);
    UserPrompt::install(&prompt);
    const DataFolder::Choice data = DataFolder::enter();
    if (!data.error.isEmpty())
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(data.error));

    // Ends the program where it runs, with or without its window; nothing else is touched.
    if (words.first() == QLatin1String("quit")) {
        QString error;
        if (!BusSlotCaller::windowRunning())
            std::fprintf(stderr, "q7ctl: q7config is not running\n");
        else if (!BusSlotCaller::endProgram(&error))
            return fail(Words::Failed, QStringLiteral("q7config did not end: %1").arg(error));
        return Words::Ok;
    }

    const bool listing = words.first() == QLatin1String("slots");
    if (!listing && BusSlotCaller::windowRunning())
        return runThroughWindow(words, yes, json);

    Hid_Thread hid;
    myQQuickView view(nullptr, false);
    view.setDeviceLink(&hid);
    LocalSlotCaller caller(view);
    if (listing) {
        for (const QString &line : caller.invoker().describeSlots(&SlotDomains::describe))
            std::printf("%s\n", qUtf8Printable(line));
        return Words::Ok;
    }
    // Rules are the program's files only: no mouse needed.
    if (words.first() == QLatin1String("rule") || words.first() == QLatin1String("rules")) {
        PageLogic logic;
        MouseActions actions(caller, logic, yes);
        return Words(caller, actions).run(words, yes, json);
    }

    hid.setSettingsSource([&view] { return view.appSettings(); });
    const QString title = view.appSettings()->value(QStringLiteral("common/name")).toString();
    hid.setTitleSource([title] { return title; });
    if (!DeviceCheck::find(hid, view))
        return Words::Absent;

    DeviceLock lock(DeviceLock::keyFor(hid.currentEntry()), QStringLiteral("q7ctl"));
    if (!LinkState::instance().demoMode.load() && !lock.tryLock()) {
        // A window that started since we looked answers on the bus by now (and says who holds
        // the mouse, should it be waiting for it too).
        if (BusSlotCaller::windowRunning())
            return runThroughWindow(words, yes, json);
        return fail(Words::Busy,
                    QStringLiteral("the mouse is in use by %1; close it and try again.")
                        .arg(lock.holderText()));
    }
    view.syncFW();

    PageLogic logic;
    MouseActions actions(caller, logic, yes);
    actions.setDeviceState(deviceState);
    return Words(caller, actions).run(words, yes, json);
}
