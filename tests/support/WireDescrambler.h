#pragma once

#include <QByteArray>

// The tests' own reading of a scrambled 9-byte frame as it appears on the wire, written apart
// from the program's and the virtual mouse's, with the code the virtual mouse carries.
QByteArray descrambleWireFrame(const QByteArray &frame, const QByteArray &code = "274951");

// "00 82 ff" -> bytes
QByteArray bytesOf(const char *hex);
