#pragma once

#include <QDateTime>
#include <QString>

// Replaces a file without ever leaving it missing or half written: the source is copied to a
// temporary file beside the target, checked, and only then renamed over the target. Whoever
// holds the target open releases it between prepare() and commit().
class FileReplacement {
public:
    FileReplacement(const QString &source, const QString &target);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // Copies and checks; on failure the target is untouched and error() says why.
    bool prepare();
    // Renames the checked copy over the target.
    bool commit();
    QString error() const { return m_error; }

private:
    void discardTemporary();
    void keepCacheFromHidingTheChange(const QDateTime &previousTime);

    QString m_source;
    QString m_target;
    QString m_temporary;
    QString m_error;
    bool m_prepared = false;
};
