#include "SoundBoard.h"

#include <QAudioOutput>
#include <QDir>
#include <QMediaPlayer>

namespace {
constexpr int BackgroundPlayer = 0;
constexpr int OpeningPlayer = 1;
} // namespace

SoundBoard::SoundBoard(QObject *parent) : QObject(parent) {
    for (int i = 0; i < PlayerCount; ++i) {
        auto *player = new QMediaPlayer(this);
        player->setAudioOutput(new QAudioOutput(this));
        connect(player, &QMediaPlayer::mediaStatusChanged, this,
                [this, i](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::EndOfMedia)
                        emit finished(i);
                });
        m_players.append(player);
    }
    connect(this, &SoundBoard::finished, this, [this](int index) {
        if (index == BackgroundPlayer || index == OpeningPlayer)
            playBackground();
    });
}

QString SoundBoard::fileFor(int index) {
    return index == BackgroundPlayer
               ? QStringLiteral("./modules/media/00.mp3")
               : QStringLiteral("./modules/media/%1.wav").arg(index, 2, 10, QLatin1Char('0'));
}

static QUrl urlFor(int index) {
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(SoundBoard::fileFor(index)));
}

void SoundBoard::play(int index) {
    if (index < 1 || index >= PlayerCount)
        return;
    QMediaPlayer *player = m_players[index];
    // Cleared first, so a repeat starts again from the beginning.
    player->stop();
    player->setSource(QUrl());
    player->setSource(urlFor(index));
    player->play();
}

void SoundBoard::playBackground() {
    QMediaPlayer *player = m_players[BackgroundPlayer];
    if (player->source() != urlFor(BackgroundPlayer))
        player->setSource(urlFor(BackgroundPlayer));
    player->play();
}

void SoundBoard::clearAll() {
    for (QMediaPlayer *player : std::as_const(m_players)) {
        player->stop();
        player->setSource(QUrl());
    }
}

QUrl SoundBoard::source(int index) const {
    return index >= 0 && index < PlayerCount ? m_players[index]->source() : QUrl();
}

bool SoundBoard::isPlaying(int index) const {
    return index >= 0 && index < PlayerCount &&
           m_players[index]->playbackState() == QMediaPlayer::PlayingState;
}
