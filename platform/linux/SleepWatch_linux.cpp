#include "SleepWatch.h"

#include <QDBusConnection>
#include <QDBusError>

namespace {
const QString Service = QStringLiteral("org.freedesktop.login1");
const QString Path = QStringLiteral("/org/freedesktop/login1");
const QString Interface = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

SleepWatch::SleepWatch(QObject *parent) : QObject(parent) {}

bool SleepWatch::start() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        m_reason = QStringLiteral("no system bus: the mouse is not given its profile again after "
                                  "a resume");
        return false;
    }
    if (!bus.connect(Service, Path, Interface, QStringLiteral("PrepareForSleep"), this,
                     SLOT(prepareForSleep(bool)))) {
        m_reason = QStringLiteral("logind's PrepareForSleep cannot be watched: %1")
                       .arg(bus.lastError().message());
        return false;
    }
    return true;
}

void SleepWatch::prepareForSleep(bool sleeping) {
    if (!sleeping)
        emit resumed();
}
