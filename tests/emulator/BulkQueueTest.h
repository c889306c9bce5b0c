#pragma once

#include <QObject>

class BulkQueueTest : public QObject {
    Q_OBJECT
private slots:
    void everyOpenCommandHandleGetsTheReports();
    void reportsReachOnlyHandlesOpenWhenTheyArrive();
    void shortReadBufferTakesTheStartOfTheReport();
    void incompleteBulkSetStoresNothing();
    void outputReportsMustFitTheReportLength();
    void blockingReadWaitsAndNonblockingReturnsAtOnce();
};
