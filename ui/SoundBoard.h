#pragma once

#include <QObject>
#include <QUrl>

#include <array>
#include <memory>

class SoundOutput;
class SoundPlayer;

// Sound 0 loops in the background; sounds 1 to 4 are effects that sound over it and over each
// other. When effect 1 ends the background starts. Each sound is decoded once into memory and
// replayed from there. Nothing is built (nor the audio module loaded) until a sound is first
// played, and nothing at all without an audio output: the board then only keeps track of what was
// asked.
class SoundBoard : public QObject {
    Q_OBJECT
public:
    static constexpr int SoundCount = 5;
    // `output` null: the audio module's, loaded when a sound is first played. Whether it has an
    // audio output is asked once, then.
    explicit SoundBoard(QObject *parent = nullptr, SoundOutput *output = nullptr);
    ~SoundBoard() override;

    // "./modules/media/0N.wav" for sound N (0 the background).
    static QString fileFor(int index);

    void play(int index);
    void playBackground();
    void clearAll();

    // The sound last asked of `index`, heard or not; empty once cleared.
    QUrl source(int index) const;
    int playerCount() const;

signals:
    // An effect ran to its end (not stopped).
    void finished(int index);

private:
    bool canSound();
    SoundPlayer *playerFor(int index);
    void start(int index);

    std::array<QUrl, SoundCount> m_sources;
    std::array<std::unique_ptr<SoundPlayer>, SoundCount> m_players;
    SoundOutput *m_output;
    enum class Output { Unknown, Present, Absent } m_outputState = Output::Unknown;
};
