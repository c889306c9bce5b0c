#include "BulkQueueTest.h"
#include "EnumerationTest.h"
#include "FaultTest.h"
#include "FrameTest.h"
#include "KeyboardCommandTest.h"
#include "MouseCommandTest.h"
#include "PersistenceTest.h"
#include "ReadyReportTest.h"
#include "TrafficLogTest.h"

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
    failures += run<MouseCommandTest>(argc, argv);
    failures += run<BulkQueueTest>(argc, argv);
    failures += run<KeyboardCommandTest>(argc, argv);
    failures += run<ReadyReportTest>(argc, argv);
    failures += run<FaultTest>(argc, argv);
    failures += run<PersistenceTest>(argc, argv);
    failures += run<TrafficLogTest>(argc, argv);
    return failures == 0 ? 0 : 1;
}
