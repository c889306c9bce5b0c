#include "EnumerationTest.h"
#include "FaultTest.h"
#include "FrameTest.h"
#include "ReadyReportTest.h"

#include <QCoreApplication>
#include <QTest>

template <typename Test> int run(int argc, char **argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += run<EnumerationTest>(argc, argv);
    failures += run<FrameTest>(argc, argv);
    failures += run<ReadyReportTest>(argc, argv);
    failures += run<FaultTest>(argc, argv);
    return failures == 0 ? 0 : 1;
}
