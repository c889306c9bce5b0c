#pragma once

#include <QString>

// The user's private runtime folder ($XDG_RUNTIME_DIR): the device lock and the notice socket
// live here, so every program of one user finds them, whatever its TMPDIR.
namespace RuntimeDir {

// Without $XDG_RUNTIME_DIR, sets it to a private folder in the temp folder (what Qt would pick,
// without its warning), so the window, q7ctl and Qt itself agree.
void ensure();
QString path();

} // namespace RuntimeDir
