#pragma once

#include <QProcessEnvironment>

// Whether a sound server (PulseAudio, or PipeWire in its place) may be listening, told from its
// socket without connecting: where none is, nothing can play and the audio libraries stay
// unloaded.
namespace SoundServer {

// `systemSocket` stands in for the system-wide server's socket in tests.
bool mayListen(const QProcessEnvironment &env,
               const QString &systemSocket = QStringLiteral("/run/pulse/native"));

} // namespace SoundServer
