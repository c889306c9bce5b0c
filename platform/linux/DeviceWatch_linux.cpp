#include "DeviceWatch.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

// A udev monitor on the hidraw subsystem, read in the GUI thread.
struct DeviceWatch::Private {
    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

DeviceWatch::DeviceWatch(QObject *parent) : QObject(parent), d(new Private) {
    d->context = udev_new();
    if (d->context)
        d->monitor = udev_monitor_new_from_netlink(d->context, "udev");
    if (!d->monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(d->monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(d->monitor) < 0) {
        qWarning("Device watch unavailable: plug changes will not be noticed");
        return;
    }
    d->notifier = new QSocketNotifier(udev_monitor_get_fd(d->monitor), QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, [this] {
        if (udev_device *device = udev_monitor_receive_device(d->monitor)) {
            udev_device_unref(device);
            emit changed();
        }
    });
}

DeviceWatch::~DeviceWatch() {
    delete d->notifier;
    if (d->monitor)
        udev_monitor_unref(d->monitor);
    if (d->context)
        udev_unref(d->context);
    delete d;
}

bool DeviceWatch::isActive() const {
    return d->notifier != nullptr;
}
