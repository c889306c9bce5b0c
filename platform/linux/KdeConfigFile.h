#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Entries of one group of a KDE configuration file (kcminputrc, kdeglobals: KConfig's INI
// dialect, nested groups written "[A][B][C]"). KConfig itself is a Qt 5 library on the systems we
// support, so this edits the file in place: only the given keys change, every other line stays
// byte for byte as it was, under KConfig's own lock file, replaced atomically.
namespace KdeConfigFile {

struct Entry {
    QString key;
    QString value;
};

// False, with the reason in error, when the file or the group is locked (immutable), the lock
// cannot be had, or the file cannot be written; the file is then as it was.
bool write(const QString &path, const QStringList &group, const QList<Entry> &entries,
           QString *error);
// The value as written in the file (escapes decoded), or nothing when the key is absent.
std::optional<QString> read(const QString &path, const QStringList &group, const QString &key);

// A group header as KConfig writes it, escapes included.
QByteArray header(const QStringList &group);

} // namespace KdeConfigFile
