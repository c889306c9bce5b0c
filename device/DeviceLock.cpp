#include "DeviceLock.h"

#include <QCryptographicHash>
#include <QDir>

DeviceLock::DeviceLock(const QString &devicePath) : m_file(lockPathFor(devicePath)) {
    m_file.setStaleLockTime(0); // a lock is stale only when its process is gone
}

QString DeviceLock::lockPathFor(const QString &devicePath) {
    const QByteArray hash =
        QCryptographicHash::hash(devicePath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("q7-device-%1.lock").arg(QString::fromLatin1(hash)));
}

bool DeviceLock::tryLock(int timeoutMs) {
    return m_file.tryLock(timeoutMs);
}

qint64 DeviceLock::holderPid() const {
    qint64 pid = 0;
    QString host, app;
    return m_file.getLockInfo(&pid, &host, &app) ? pid : 0;
}
