// q7ctl: the program's slots from the command line, without a window.
#include "ConsolePrompt.h"
#include "DataFolder.h"
#include "DeviceCheck.h"
#include "DeviceLock.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "RuntimeDir.h"
#include "SlotDomains.h"
#include "SlotInvoker.h"
#include "myQQuickView.h"
#include "q7ctl_help.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSettings>

#include <cstdio>

namespace {

enum ExitCode { Ok = 0, Usage = 2, Absent = 3, Busy = 4, Failed = 5 };
constexpr int MaxFailureLines = 8;

void usage() {
    std::fputs(Manual::q7ctlHelp, stderr);
}

QString jsonText(const QJsonValue &v) {
    // QJsonDocument holds only arrays and objects: print the value inside a one-element array.
    const QByteArray text = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

// Names each exchange that failed; true when there was one.
bool reportFailures(const QList<ExchangeFailure> &failures) {
    for (int i = 0; i < failures.size() && i < MaxFailureLines; ++i)
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(failures[i].text()));
    if (failures.size() > MaxFailureLines)
        std::fprintf(stderr, "q7ctl: %lld more failed exchanges\n",
                     static_cast<long long>(failures.size() - MaxFailureLines));
    return !failures.isEmpty();
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
    if (!verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    if (args.value(0) == QLatin1String("--help")) {
        std::fputs(Manual::q7ctlHelp, stdout);
        return Ok;
    }
    if (args.isEmpty() ||
        (args.first() != QLatin1String("slots") && args.first() != QLatin1String("call")) ||
        (args.first() == QLatin1String("call") && args.size() < 2)) {
        usage();
        return Usage;
    }

    ConsolePrompt prompt(yes);
    UserPrompt::install(&prompt);
    const DataFolder::Choice data = DataFolder::enter();
    if (!data.error.isEmpty())
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(data.error));

    Hid_Thread hid;
    myQQuickView view(nullptr, false);
    view.setDeviceLink(&hid);
    SlotInvoker invoker(&view);

    if (args.first() == QLatin1String("slots")) {
        for (const QString &line : invoker.describeSlots(&SlotDomains::describe))
            std::printf("%s\n", qUtf8Printable(line));
        return Ok;
    }

    const QString slot = args.at(1);
    const QStringList slotArgs = args.mid(2);
    // Types first, then values: nothing reaches the device or a file before both pass.
    const SlotInvoker::Prepared prepared = invoker.prepare(slot, slotArgs);
    if (!prepared.error.isEmpty()) {
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(prepared.error));
        return Usage;
    }

    hid.setSettingsSource([&view] { return view.appSettings(); });
    const QString title = view.appSettings()->value(QStringLiteral("common/name")).toString();
    hid.setTitleSource([title] { return title; });
    if (!DeviceCheck::find(hid, view))
        return Absent;

    // The list holds file names; slots take the macro's name without ".bin".
    QStringList macroNames = view.getMacroIniNames();
    for (QString &name : macroNames)
        name.chop(qsizetype(qstrlen(".bin")));
    const SlotDomains::Context context{view.currentDeviceType(), macroNames, yes};
    if (const auto refusal =
            SlotDomains::check(slot, prepared.args, context, prepared.parameterNames)) {
        std::fprintf(stderr, "q7ctl: %s: %s\n", qUtf8Printable(slot), qUtf8Printable(*refusal));
        return Usage;
    }

    DeviceLock lock(DeviceLock::keyFor(hid.currentEntry()), QStringLiteral("q7ctl"));
    if (!LinkState::instance().demoMode.load() && !lock.tryLock()) {
        std::fprintf(stderr, "q7ctl: the mouse is in use by %s; close it and try again.\n",
                     qUtf8Printable(lock.holderText()));
        return Busy;
    }
    view.syncFW();

    (void)hid.takeFailures(); // only the call's own exchanges count
    const int warningsBefore = prompt.warningCount();
    const SlotInvoker::Result result = invoker.call(slot, slotArgs);
    // Sets run on a worker: let the last one reach the device before the process ends.
    hid.waitForSend();
    if (!result.ok) {
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(result.error));
        return Usage;
    }
    if (result.value)
        std::printf("%s\n", qUtf8Printable(jsonText(*result.value)));
    const bool failed = reportFailures(hid.takeFailures());
    // What the call left in memory is written now: a file that cannot be written warns too.
    const bool stored = view.flushStorage();
    // A slot that warned (a file kept as it was, a write that failed) did not do all it was asked.
    const bool refused = prompt.warningCount() > warningsBefore;
    return failed || refused || !stored ? Failed : Ok;
}
