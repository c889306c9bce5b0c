#pragma once

#include <QObject>

class PersistenceTest : public QObject {
    Q_OBJECT
private slots:
    void settingsSurviveARestart();
    void stateFileIsReadableText();
    void damagedFileGivesFactoryState_data();
    void damagedFileGivesFactoryState();
    void keyboardStateIsNotTakenForMouseState();
};
