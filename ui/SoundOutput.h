#pragma once

#include <QUrl>

#include <functional>
#include <memory>

// One sound's player.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void setSource(const QUrl &source) = 0;
    virtual QUrl source() const = 0;
    virtual void setLooping(bool looping) = 0;
    virtual bool isLooping() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // Told whenever the player starts or stops.
    std::function<void()> onPlayingChanged;
};

// Where players come from. The program's comes from the audio module (libq7sound.so), which
// alone links Qt Multimedia and the sound server's libraries: a run that plays nothing, or has
// no sound server, never loads them.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Whether the system has an audio output to play on.
    virtual bool hasOutput() = 0;
    virtual std::unique_ptr<SoundPlayer> createPlayer() = 0;
};

// The module's one symbol: its output, alive while the module is loaded.
using SoundOutputEntry = SoundOutput *(*)();
inline constexpr char SoundOutputEntryName[] = "q7_sound_output";
