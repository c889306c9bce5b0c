#pragma once

#include <QObject>

class MouseCommandTest : public QObject {
    Q_OBJECT
private slots:
    void factoryValues();
    void reportRateAndFunctionOptionShareTheRate();
    void valueSetsRoundTrip();
    void outOfRangeValuesAreRefused();
    void colourTablesRoundTrip();
    void dpiSetRoundTrip();
    void keyTableGetAlwaysReadsTableOne();
    void macrosRoundTrip();
};
