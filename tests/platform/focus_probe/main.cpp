// The focus tests' probe, for any test that needs to know what the desktop reports:
//
//   q7-focus-probe [watch]
//       FocusWatch::create() for the session it runs in, started. Prints "backend NAME", then
//       "started", or "partial REASON" (it sees only part of the desktop), or "unavailable REASON"
//       and exits 3. Then "focus APP_ID" each time the focus moves to another application
//       ("focus" alone: no window has it). A line "apps" on standard input prints
//       "apps APP<TAB>APP..." (the running applications); the end of standard input ends it.
//
//   q7-focus-probe x11-desk CLASS...
//       In DISPLAY, one mapped window per class (WM_CLASS CLASS, CLASS), then "ready". Reads
//       commands as a window manager would take them, answering "ok" (or "error ...") to each:
//         activate [CLASS]      _NET_ACTIVE_WINDOW on the root: that window, or none
//         list                  _NET_CLIENT_LIST on the root: every window of the desk
//         supported [ATOM...]   _NET_SUPPORTED on the root: these atoms
//       The end of standard input closes the windows.
//
// tests/platform/focus_rig.py drives both from Python.
#include "FocusWatch.h"
#include "X11Desk.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int Unavailable = 3;

void say(const QString &line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

int watch(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const std::unique_ptr<FocusWatch> focus = FocusWatch::create();
    say(QStringLiteral("backend ") + focus->backendName());
    QObject::connect(focus.get(), &FocusWatch::focusChanged, [](const QString &application) {
        say((QStringLiteral("focus ") + application).trimmed());
    });
    if (!focus->start()) {
        say(QStringLiteral("unavailable ") + focus->reason());
        return Unavailable;
    }
    say(focus->reason().isEmpty() ? QStringLiteral("started")
                                  : QStringLiteral("partial ") + focus->reason());
    // Read straight from the descriptor: a buffered stream could keep a line the notifier
    // never announces again.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[256];
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(chunk, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            if (pending.left(end).trimmed() == "apps")
                say(QStringLiteral("apps ") + focus->runningApplications().join(u'\t'));
        }
    });
    return app.exec();
}

int x11Desk(int argc, char **argv) {
    X11Desk desk;
    if (!desk.connected()) {
        std::puts("error: no X server at DISPLAY");
        return 1;
    }
    for (int i = 0; i < argc; ++i)
        desk.addWindow(argv[i]);
    desk.sync();
    std::puts("ready");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command, word;
        std::vector<std::string> arguments;
        words >> command;
        while (words >> word)
            arguments.push_back(word);
        bool done = true;
        if (command == "activate")
            done = desk.activate(arguments.empty() ? std::string() : arguments.front());
        else if (command == "list")
            desk.listWindows();
        else if (command == "supported")
            desk.setSupported(arguments);
        else
            done = false;
        std::puts(done && desk.sync() ? "ok" : ("error: cannot do \"" + line + '"').c_str());
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    const std::string mode = argc > 1 ? argv[1] : "watch";
    if (mode == "x11-desk")
        return x11Desk(argc - 2, argv + 2);
    if (mode == "watch")
        return watch(argc, argv);
    std::fprintf(stderr, "usage: q7-focus-probe [watch] | x11-desk CLASS...\n");
    return 2;
}
