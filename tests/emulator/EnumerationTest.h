#pragma once

#include <QObject>

class EnumerationTest : public QObject {
    Q_OBJECT
private slots:
    void mouseListsCommandAndEventInterfaces();
    void idsFilterTheList();
    void openByIdsGivesTheCommandInterface();
    void openPathOpensEitherInterface();
    void keyboardPersonality();
    void versionIsTheHeadersVersion();
};
