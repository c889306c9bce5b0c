// Plays the background loop through the program's own SoundBoard until it is ended.
// usage: sound_loop FOLDER (the one holding modules/); exit code 3 when there is no audio output.
#include "SoundBoard.h"
#include "SoundModule.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QMediaDevices>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return 2;
    if (QMediaDevices::audioOutputs().isEmpty())
        return 3;
    SoundModule::setPath(QStringLiteral(Q7_SOUND_MODULE));
    SoundBoard board;
    board.playBackground();
    return app.exec();
}
