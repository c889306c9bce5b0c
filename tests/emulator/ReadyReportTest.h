#pragma once

#include <QObject>

class ReadyReportTest : public QObject {
    Q_OBJECT
private slots:
    void readyFollowsACommandAfterAShortDelay();
    void bulkSetIsReadyAgainAfterItsLastReport();
    void readyReachesOnlyEventHandlesOpenWhenItIsDue();
    void refusedFrameIsNeverReady();
    void concurrentHostThreads();
};
