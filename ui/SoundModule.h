#pragma once

#include <QString>

class SoundOutput;

// The audio module (libq7sound.so), loaded once, when the first sound is to play, from beside the
// program or from its lib/q7config/ when installed.
namespace SoundModule {

// Its output; null when no sound server may be listening, or when the module cannot be loaded
// (said once).
SoundOutput *output();

// Where the module lies when not where the program would look (tests).
void setPath(const QString &path);

} // namespace SoundModule
