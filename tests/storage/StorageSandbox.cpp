#include "StorageSandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

bool copyTree(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    if (!QDir().mkpath(to))
        return false;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

StorageSandbox::StorageSandbox() : m_previous(QDir::currentPath()) {
    m_ready =
        m_dir.isValid() &&
        copyTree(QStringLiteral(Q7_MODULES_SOURCE), m_dir.filePath(QStringLiteral("modules"))) &&
        QDir::setCurrent(m_dir.path());
}

StorageSandbox::~StorageSandbox() {
    QDir::setCurrent(m_previous);
}

QByteArray StorageSandbox::readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool StorageSandbox::writeFile(const QString &path, const QByteArray &content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}
