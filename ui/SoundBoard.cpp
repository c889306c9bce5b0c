#include "SoundBoard.h"

#include "SoundModule.h"
#include "SoundOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <utility>

Q_LOGGING_CATEGORY(lcSound, "q7.sound", QtInfoMsg)

namespace {
constexpr int BackgroundSound = 0;
constexpr int OpeningSound = 1;

QUrl urlFor(int index) {
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(SoundBoard::fileFor(index)));
}

} // namespace

SoundBoard::SoundBoard(QObject *parent, SoundOutput *output) : QObject(parent), m_output(output) {
    connect(this, &SoundBoard::finished, this, [this](int index) {
        if (index == OpeningSound)
            playBackground();
    });
}

SoundBoard::~SoundBoard() {
    // A player stopping as it goes tells nobody.
    for (const auto &player : m_players)
        if (player)
            player->onPlayingChanged = nullptr;
}

QString SoundBoard::fileFor(int index) {
    return QStringLiteral("./modules/media/%1.wav").arg(index, 2, 10, QLatin1Char('0'));
}

bool SoundBoard::canSound() {
    if (m_outputState == Output::Unknown) {
        if (!m_output)
            m_output = SoundModule::output();
        m_outputState = m_output && m_output->hasOutput() ? Output::Present : Output::Absent;
        if (m_outputState == Output::Absent)
            qCDebug(lcSound, "No audio output: the sounds stay silent");
    }
    return m_outputState == Output::Present;
}

SoundPlayer *SoundBoard::playerFor(int index) {
    if (SoundPlayer *player = m_players[index].get())
        return player;
    std::unique_ptr<SoundPlayer> player = m_output->createPlayer();
    if (index == BackgroundSound)
        player->setLooping(true);
    player->onPlayingChanged = [this, player = player.get(), index] {
        // A sound that was cleared or restarted did not run to its end.
        if (!player->isPlaying() && !m_sources[index].isEmpty())
            emit finished(index);
    };
    m_players[index] = std::move(player);
    return m_players[index].get();
}

void SoundBoard::start(int index) {
    // A missing file plays nothing and says nothing.
    if (!canSound() || !QFileInfo::exists(m_sources[index].toLocalFile()))
        return;
    SoundPlayer *player = playerFor(index);
    if (player->source() != m_sources[index])
        player->setSource(m_sources[index]);
    player->play();
}

void SoundBoard::play(int index) {
    if (index <= BackgroundSound || index >= SoundCount)
        return;
    // Stopped first, so a repeat starts again from the beginning; a restart is no end.
    if (SoundPlayer *player = m_players[index].get()) {
        const auto told = std::exchange(player->onPlayingChanged, nullptr);
        player->stop();
        player->onPlayingChanged = told;
    }
    m_sources[index] = urlFor(index);
    start(index);
}

void SoundBoard::playBackground() {
    const bool playing = m_players[BackgroundSound] && m_players[BackgroundSound]->isPlaying();
    m_sources[BackgroundSound] = urlFor(BackgroundSound);
    if (!playing)
        start(BackgroundSound);
}

void SoundBoard::clearAll() {
    for (int i = 0; i < SoundCount; ++i) {
        m_sources[i].clear();
        if (m_players[i])
            m_players[i]->stop();
    }
}

QUrl SoundBoard::source(int index) const {
    return index >= 0 && index < SoundCount ? m_sources[index] : QUrl();
}

int SoundBoard::playerCount() const {
    return int(std::count_if(m_players.begin(), m_players.end(),
                             [](const auto &p) { return p != nullptr; }));
}
