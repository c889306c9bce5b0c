#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files named by users or found in our folders may be anything: a pipe, a device, a folder. These
// open without blocking and look at what was opened, so a pipe never stalls us and a device is
// never read without end.
class RegularFile {
public:
    // The whole content of a regular file of at most maximumSize bytes; otherwise nothing, and
    // error says why in a sentence for the user.
    static std::optional<QByteArray> read(const QString &path, qint64 maximumSize,
                                          QString *error = nullptr);
    // Whether path opens as a regular file we may read.
    static bool isReadable(const QString &path);
    // Whether a settings object may be opened on path: a regular file, or nothing there yet.
    // Anything else could block or be written over.
    static bool isUsableForSettings(const QString &path);
};
