#pragma once

#include <QByteArray>
#include <QString>

// Tells whether a file is a settings file we can take over: a regular file, text, every line a
// section, a comment or a key=value pair, parsed by QSettings without error, with at least one
// key. QSettings alone accepts almost anything (a picture reads as an empty file), so the lines
// are looked at first.
class IniFileCheck {
public:
    // Empty when the file is fine, else a sentence for the user naming what is wrong.
    static QString problem(const QString &path);
    // The same for content already read; name is the file it came from, for the sentence.
    static QString problemIn(const QByteArray &content, const QString &name);

    // Larger than any settings file of ours; refusing it keeps a mistaken pick from being read.
    static constexpr qint64 maximumSize = 4 * 1024 * 1024;
};
