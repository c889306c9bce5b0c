#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file with a checked settings file without ever leaving it missing or half written:
// the source is read and checked first, then written through QSaveFile (a temporary file of its
// own beside the target, renamed over it). Whoever holds the target open releases it between
// prepare() and commit().
class FileReplacement {
public:
    FileReplacement(const QString &source, const QString &target);

    // Reads and checks the source; on failure the target is untouched and error() says why.
    bool prepare();
    // Writes the checked content in place of the target.
    bool commit();
    QString error() const { return m_error; }

private:
    QString m_source;
    QString m_target;
    QByteArray m_content;
    QString m_error;
    bool m_prepared = false;
};
