#pragma once

#include <QObject>

class KeyboardCommandTest : public QObject {
    Q_OBJECT
private slots:
    void valueCommandsRoundTrip();
    void ledTypeAnswersWithoutItsOptionByte();
    void keyMatrixMovesInEightReports();
    void keyOnOffFitsOneReport();
    void macrosAndPicturesBySlot();
    void coloursBySlot();
    void recoveryRestoresFactoryState();
};
