#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A PulseAudio server of the test's own with one null sink, so that a machine without sound
// hardware (CI: root, no audio device) has an audio output that really plays: what reaches the
// sink can be recorded from its monitor. Started in a private folder, reached through the socket
// that start() names in PULSE_SERVER for this process and the programs it starts; stopped with
// the object.
class NullSinkServer {
public:
    NullSinkServer() = default;
    ~NullSinkServer();
    NullSinkServer(const NullSinkServer &) = delete;
    NullSinkServer &operator=(const NullSinkServer &) = delete;

    // False with the reason when the server cannot run here.
    bool start(QString *error);
    // "unix:/…/native"
    QString address() const;

    static constexpr int SampleRate = 44100;

    // What the sink plays from now on, as 16-bit mono samples, until it is dropped. Times count
    // from the recording's first sample; the program's events are served while it waits.
    class Recording {
    public:
        explicit Recording(const NullSinkServer &server);
        ~Recording();
        // How far the recording has come, in ms.
        int position();
        // Waits until the recording has come to ms; false when it stalls.
        bool reach(int ms);
        // The loudest sample between two times, 0 for silence.
        int loudest(int fromMs, int toMs) const;

    private:
        QProcess m_process;
        QByteArray m_samples;
    };

private:
    bool answers() const;

    QTemporaryDir m_dir;
    QProcess m_server;
};
