#pragma once

#include <QObject>

class TrafficLogTest : public QObject {
    Q_OBJECT
private slots:
    void everyReportIsLoggedAsOnTheWire();
    void noLogWithoutTheVariable();
    void linesFromManyThreadsStayWhole();
};
