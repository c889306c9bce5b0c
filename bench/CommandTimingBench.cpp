// How long each set and get takes on the virtual mouse's hidapi library (the seam the tests
// use), against the floor that its settle pauses and report spacing impose.
#include "CommandTiming.h"
#include "Hid_Thread.h"
#include "VirtualMouse.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    VirtualMouse mouse;
    Hid_Thread hid;
    if (!mouse.connect(hid)) {
        std::fprintf(stderr, "the virtual mouse is not there\n");
        return 1;
    }
    CommandTiming::run(hid, "the virtual mouse's hidapi library");
    return 0;
}
