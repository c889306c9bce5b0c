#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

class QMediaPlayer;
class QAudioOutput;

// Five players so that every effect can sound over the background and over the others.
// Player 0 loops the background; when effect 1 ends the background starts.
class SoundBoard : public QObject {
    Q_OBJECT
public:
    static constexpr int PlayerCount = 5;

    explicit SoundBoard(QObject *parent = nullptr);

    // "./modules/media/00.mp3" for 0, "./modules/media/0N.wav" for the effects.
    static QString fileFor(int index);

    void play(int index);
    void playBackground();
    void clearAll();

    QUrl source(int index) const;
    bool isPlaying(int index) const;

signals:
    // A player ran to its end; the background loop and the tests listen.
    void finished(int index);

private:
    QList<QMediaPlayer *> m_players;
};
