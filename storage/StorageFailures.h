#pragma once

#include <QSet>
#include <QSettings>
#include <QString>
#include <QStringList>

// Where every failed write of a settings file ends up. The user hears of each failing file once
// (not once per write); q7ctl asks afterwards whether anything failed.
class StorageFailures {
public:
    // Writes what settings holds in memory to its file; false (and reported) when that failed.
    // file names the real file when settings stands in for one that cannot be used.
    bool sync(QSettings &settings, const QString &file = QString());
    void report(const QString &file, const QString &cause);

    bool any() const { return !m_messages.isEmpty(); }
    const QStringList &messages() const { return m_messages; }
    // A replaced file starts afresh: its new object may fail on its own.
    void forget(const QString &file) { m_files.remove(file); }

    // Why a write of file failed, as far as we can tell from outside.
    static QString causeOf(const QString &file);

private:
    QSet<QString> m_files;
    QStringList m_messages;
};
