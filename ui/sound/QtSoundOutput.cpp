// The audio module: players on Qt Multimedia, loaded by the program when it first plays a sound.
#include "SoundOutput.h"

#include <QAudioDevice>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>

namespace {

Q_LOGGING_CATEGORY(lcSound, "q7.sound", QtInfoMsg)

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

class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer() {
        QObject::connect(&m_effect, &QSoundEffect::playingChanged, [this] {
            if (onPlayingChanged)
                onPlayingChanged();
        });
    }
    void setSource(const QUrl &source) override { m_effect.setSource(source); }
    QUrl source() const override { return m_effect.source(); }
    void setLooping(bool looping) override {
        m_effect.setLoopCount(looping ? QSoundEffect::Infinite : 1);
    }
    bool isLooping() const override { return m_effect.loopCount() == QSoundEffect::Infinite; }
    void play() override { m_effect.play(); }
    void stop() override { m_effect.stop(); }
    bool isPlaying() const override { return m_effect.isPlaying(); }

private:
    QSoundEffect m_effect;
};

class QtSoundOutput : public SoundOutput {
public:
    bool hasOutput() override {
        probingThread = QThread::currentThread();
        outerHandler = qInstallMessageHandler(quietProbeHandler);
        const bool found = !QMediaDevices::audioOutputs().isEmpty();
        qInstallMessageHandler(outerHandler);
        probingThread = nullptr;
        return found;
    }
    std::unique_ptr<SoundPlayer> createPlayer() override {
        return std::make_unique<QtSoundPlayer>();
    }
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *q7_sound_output() {
    static QtSoundOutput output;
    return &output;
}
