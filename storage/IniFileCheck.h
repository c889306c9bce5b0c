#pragma once

#include <QString>

// Tells whether a file is a settings file we can take over: readable, text, every line a
// section, a comment or a key=value pair, parsed by QSettings without error, with at least one
// key. QSettings alone accepts almost anything (a picture reads as an empty file), so the lines
// are looked at first.
class IniFileCheck {
public:
    // Empty when the file is fine, else a sentence for the user naming what is wrong.
    static QString problem(const QString &path);

    // Larger than any settings file of ours; refusing it keeps a mistaken pick from being read.
    static constexpr qint64 maximumSize = 4 * 1024 * 1024;
};
