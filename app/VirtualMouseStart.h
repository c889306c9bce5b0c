#pragma once

// q7config --virtual: the program against the virtual mouse shipped with it. The dynamic loader
// reads LD_PRELOAD only when a process starts, so the program starts itself again with the
// library preloaded.
namespace VirtualMouseStart {

bool asked(int argc, char **argv);
// Returns only on failure, after saying why on standard error; otherwise the process is
// replaced. With the library already preloaded it returns true at once.
bool ensurePreloaded(char **argv);

} // namespace VirtualMouseStart
