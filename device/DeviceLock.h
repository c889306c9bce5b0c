#pragma once

#include "DeviceEntry.h"

#include <QString>

// One lock per device, so that q7ctl and the window never interleave exchanges. It is an flock on
// a file in the user's runtime folder: the kernel frees it when its holder ends, however it ends.
class DeviceLock {
public:
    // deviceKey names the device whatever node it has now (re-plugging changes the node);
    // holderName says who holds it ("q7ctl", "the q7config window") to whoever is refused.
    DeviceLock(const QString &deviceKey, const QString &holderName);
    ~DeviceLock();
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    // Never blocks.
    bool tryLock();
    void unlock();
    bool isLocked() const { return m_locked; }

    struct Holder {
        qint64 pid = 0;
        QString name;
    };
    // Who holds the lock, as the holder wrote it; empty when unknown.
    Holder holder() const;
    // "q7ctl (pid 1234)"
    QString holderText() const;

    static QString lockPathFor(const QString &deviceKey);
    static QString keyFor(const DeviceEntry &entry) { return entry.productName; }

private:
    QString m_path;
    QString m_holderName;
    int m_fd = -1;
    bool m_locked = false;
};
