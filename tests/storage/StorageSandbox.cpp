#include "StorageSandbox.h"

#include "TreeCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
