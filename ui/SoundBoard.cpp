#include "SoundBoard.h"

#include <QAudioDevice>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSound, "q7.sound", QtInfoMsg)

namespace {
constexpr int BackgroundSound = 0;
constexpr int OpeningSound = 1;

QUrl urlFor(int index) {
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(SoundBoard::fileFor(index)));
}

QtMessageHandler outerHandler = nullptr;
const QThread *probingThread = nullptr;

// Qt Multimedia warns when it finds no sound server; for us that is a normal setting, told at
// debug level. Messages of other threads pass on unchanged.
void quietProbeHandler(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (QThread::currentThread() != probingThread) {
        outerHandler(type, context, text);
        return;
    }
    // Straight to the outer handler: a qCDebug here would come back to this one.
    if (lcSound().isDebugEnabled()) {
        const QMessageLogContext quiet(context.file, context.line, context.function,
                                       lcSound().categoryName());
        outerHandler(QtDebugMsg, quiet,
                     QStringLiteral("While looking for an audio output: ") + text);
    }
}

bool hasAudioOutput() {
    probingThread = QThread::currentThread();
    outerHandler = qInstallMessageHandler(quietProbeHandler);
    const bool found = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(outerHandler);
    probingThread = nullptr;
    return found;
}
} // namespace

SoundBoard::SoundBoard(QObject *parent, OutputCheck hasOutput)
    : QObject(parent), m_hasOutput(std::move(hasOutput)) {
    if (!m_hasOutput)
        m_hasOutput = hasAudioOutput;
    connect(this, &SoundBoard::finished, this, [this](int index) {
        if (index == OpeningSound)
            playBackground();
    });
}

SoundBoard::~SoundBoard() = default;

QString SoundBoard::fileFor(int index) {
    return QStringLiteral("./modules/media/%1.wav").arg(index, 2, 10, QLatin1Char('0'));
}

bool SoundBoard::canSound() {
    if (m_output == Output::Unknown) {
        m_output = m_hasOutput() ? Output::Present : Output::Absent;
        if (m_output == Output::Absent)
            qCDebug(lcSound, "No audio output: the sounds stay silent");
    }
    return m_output == Output::Present;
}

QSoundEffect *SoundBoard::playerFor(int index) {
    if (QSoundEffect *player = m_players[index])
        return player;
    auto *player = new QSoundEffect(this);
    if (index == BackgroundSound)
        player->setLoopCount(QSoundEffect::Infinite);
    connect(player, &QSoundEffect::playingChanged, this, [this, player, index] {
        // A sound that was cleared or restarted did not run to its end.
        if (!player->isPlaying() && !m_sources[index].isEmpty())
            emit finished(index);
    });
    m_players[index] = player;
    return player;
}

void SoundBoard::start(int index) {
    // A missing file plays nothing and says nothing.
    if (!canSound() || !QFileInfo::exists(m_sources[index].toLocalFile()))
        return;
    QSoundEffect *player = playerFor(index);
    if (player->source() != m_sources[index])
        player->setSource(m_sources[index]);
    player->play();
}

void SoundBoard::play(int index) {
    if (index <= BackgroundSound || index >= SoundCount)
        return;
    // Stopped first, so a repeat starts again from the beginning.
    if (QSoundEffect *player = m_players[index]) {
        const QSignalBlocker quiet(player);
        player->stop();
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
    return int(std::count_if(m_players.begin(), m_players.end(), [](auto *p) { return p; }));
}
