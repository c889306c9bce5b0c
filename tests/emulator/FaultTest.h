#pragma once

#include <QObject>

class FaultTest : public QObject {
    Q_OBJECT
private slots:
    void absentDeviceIsNeitherListedNorOpened();
    void unplugAfterTransfers();
    void unplugWakesABlockedReader();
    void writeError();
    void stallHoldsBackCommandInputOnly();
    void noReady();
    void slowTransfers();
    void unknownFaultsAreIgnored();
};
