#include "DeviceLock.h"

#include "RuntimeDir.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr qint64 MaxHolderBytes = 256;
}

DeviceLock::DeviceLock(const QString &deviceKey, const QString &holderName)
    : m_path(lockPathFor(deviceKey)), m_holderName(holderName) {}

DeviceLock::~DeviceLock() {
    unlock();
}

QString DeviceLock::lockPathFor(const QString &deviceKey) {
    const QByteArray hash =
        QCryptographicHash::hash(deviceKey.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(RuntimeDir::path())
        .filePath(QStringLiteral("q7-device-%1.lock").arg(QString::fromLatin1(hash)));
}

bool DeviceLock::tryLock() {
    if (m_locked)
        return true;
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0 || ::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    m_locked = true;
    // Only for the message of whoever is refused; the lock itself is the flock.
    const QByteArray info = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                            m_holderName.toUtf8().left(MaxHolderBytes) + '\n';
    if (::ftruncate(m_fd, 0) == 0)
        (void)!::pwrite(m_fd, info.constData(), size_t(info.size()), 0);
    return true;
}

void DeviceLock::unlock() {
    if (m_fd < 0)
        return;
    // Closing drops the flock.
    ::close(m_fd);
    m_fd = -1;
    m_locked = false;
}

DeviceLock::Holder DeviceLock::holder() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.read(MaxHolderBytes + 32).split('\n');
    Holder h;
    h.pid = lines.value(0).toLongLong();
    h.name = QString::fromUtf8(lines.value(1));
    return h;
}

QString DeviceLock::holderText() const {
    const Holder h = holder();
    if (h.name.isEmpty())
        return QStringLiteral("another program");
    return h.pid > 0 ? QStringLiteral("%1 (pid %2)").arg(h.name).arg(h.pid) : h.name;
}
