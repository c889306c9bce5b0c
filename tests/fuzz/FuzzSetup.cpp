#include "FuzzSetup.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

void dropChatter(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

int argc = 1;
char name[] = "fuzz";
char *argv[] = {name, nullptr};

} // namespace

namespace FuzzSetup {

void quietMessages() {
    qInstallMessageHandler(dropChatter);
}

void application(bool widgets) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    if (widgets)
        new QApplication(argc, argv);
    else
        new QCoreApplication(argc, argv);
}

} // namespace FuzzSetup
