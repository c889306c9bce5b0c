#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder holding a copy of the shipped modules/ tree, made the current directory
// for the life of the sandbox, as the program's own folder is when it runs.
class StorageSandbox {
public:
    StorageSandbox();
    ~StorageSandbox();
    StorageSandbox(const StorageSandbox &) = delete;
    StorageSandbox &operator=(const StorageSandbox &) = delete;

    bool isReady() const { return m_ready; }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    static QByteArray readFile(const QString &path);
    static bool writeFile(const QString &path, const QByteArray &content);

private:
    QTemporaryDir m_dir;
    QString m_previous;
    bool m_ready = false;
};
