#pragma once

#include <QLockFile>
#include <QString>

// One lock file per device, so that q7ctl and the program never interleave exchanges.
class DeviceLock {
public:
    explicit DeviceLock(const QString &devicePath);

    bool tryLock(int timeoutMs = 0);
    void unlock() { m_file.unlock(); }
    bool isLocked() const { return m_file.isLocked(); }
    // The process that holds it, or 0 when unknown.
    qint64 holderPid() const;

    static QString lockPathFor(const QString &devicePath);

private:
    QLockFile m_file;
};
