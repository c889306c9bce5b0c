// q7ctl: the program's slots from the command line, without a window.
#include "ConsolePrompt.h"
#include "DeviceCheck.h"
#include "DeviceLock.h"
#include "Hid_Thread.h"
#include "LinkState.h"
#include "SlotInvoker.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSettings>

#include <QFile>

#include <cstdio>
#include <unistd.h>

namespace {

enum ExitCode { Ok = 0, Usage = 2, Absent = 3, Busy = 4 };

void usage() {
    std::fputs("usage: q7ctl [--yes] [--verbose] slots\n"
               "       q7ctl [--yes] [--verbose] call SLOT [ARG...]\n"
               "  Each ARG is one JSON value: 3, true, '\"text\"', '[1,2,3]'.\n"
               "  --yes      answer confirmations with OK (default: Cancel)\n"
               "  --verbose  show the link's debug lines\n"
               "Exit: 0 done, 2 bad usage or arguments, 3 no device, 4 device in use.\n",
               stderr);
}

QString jsonText(const QJsonValue &v) {
    // QJsonDocument holds only arrays and objects: print the value inside a one-element array.
    const QByteArray text = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // What Qt would pick anyway, without its warning on every run (root shells lack it).
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = "/tmp/runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLatin1(runtime));
        QFile::setPermissions(QString::fromLatin1(runtime),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QApplication app(argc, argv);
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    QStringList args = app.arguments().mid(1);
    const bool yes = args.removeAll(QStringLiteral("--yes")) > 0;
    const bool verbose = args.removeAll(QStringLiteral("--verbose")) > 0;
    if (!verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        (args.first() != QLatin1String("slots") && args.first() != QLatin1String("call")) ||
        (args.first() == QLatin1String("call") && args.size() < 2)) {
        usage();
        return Usage;
    }

    ConsolePrompt prompt(yes);
    UserPrompt::install(&prompt);

    Hid_Thread hid;
    myQQuickView view(nullptr, false);
    view.setDeviceLink(&hid);
    SlotInvoker invoker(&view);

    if (args.first() == QLatin1String("slots")) {
        for (const QString &line : invoker.describeSlots())
            std::printf("%s\n", qUtf8Printable(line));
        return Ok;
    }

    const QString slot = args.at(1);
    const QStringList slotArgs = args.mid(2);
    // Arguments are checked before anything reaches the device.
    const SlotInvoker::Result check = invoker.call(slot, slotArgs, true);
    if (!check.ok) {
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(check.error));
        return Usage;
    }

    hid.setAppSettings(view.appSettings());
    const QString title = view.appSettings()->value(QStringLiteral("common/name")).toString();
    hid.setTitleSource([title] { return title; });
    if (!DeviceCheck::run(hid, view))
        return Absent;

    DeviceLock lock(hid.currentEntry().commandPath);
    if (!LinkState::instance().demoMode.load() && !lock.tryLock(0)) {
        std::fprintf(stderr,
                     "q7ctl: the mouse is in use by another process (pid %lld), most likely the "
                     "q7config window; close it and try again.\n",
                     static_cast<long long>(lock.holderPid()));
        return Busy;
    }

    const SlotInvoker::Result result = invoker.call(slot, slotArgs);
    // Sets run on a worker: let the last one reach the device before the process ends.
    hid.waitForSend();
    if (!result.ok) {
        std::fprintf(stderr, "q7ctl: %s\n", qUtf8Printable(result.error));
        return Usage;
    }
    if (result.value)
        std::printf("%s\n", qUtf8Printable(jsonText(*result.value)));
    return Ok;
}
