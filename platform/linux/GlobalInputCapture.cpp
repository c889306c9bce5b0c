#include "GlobalInputCapture.h"

#include "EvdevReader.h"

#include <QCursor>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <fcntl.h>
#include <libudev.h>

#include <cerrno>
#include <cstring>

Q_DECLARE_LOGGING_CATEGORY(lcInput)

namespace {

constexpr const char *InputSubsystem = "input";
constexpr const char *EventNodePrefix = "/dev/input/event";

bool hasProperty(udev_device *device, const char *name) {
    const char *value = udev_device_get_property_value(device, name);
    return value && std::strcmp(value, "1") == 0;
}

} // namespace

GlobalInputCapture::GlobalInputCapture(KeyTranslator *translator, QObject *parent)
    : QObject(parent), m_translator(translator) {}

GlobalInputCapture::~GlobalInputCapture() {
    stop();
}

bool GlobalInputCapture::start() {
    stop();
    m_udev = udev_new();
    if (!m_udev)
        return false;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor &&
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, InputSubsystem, nullptr) >= 0 &&
        udev_monitor_enable_receiving(m_monitor) >= 0) {
        m_monitorNotifier =
            new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
        connect(m_monitorNotifier, &QSocketNotifier::activated, this,
                &GlobalInputCapture::readMonitor);
    }

    udev_enumerate *enumerate = udev_enumerate_new(m_udev);
    udev_enumerate_add_match_subsystem(enumerate, InputSubsystem);
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry *entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device *device = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
        if (device) {
            addDevice(device);
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(enumerate);
    return isRunning();
}

void GlobalInputCapture::stop() {
    for (const Device &device : std::as_const(m_devices))
        delete device.reader;
    m_devices.clear();
    m_unreadable = 0;
    delete m_monitorNotifier;
    m_monitorNotifier = nullptr;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
    if (m_udev)
        udev_unref(m_udev);
    m_udev = nullptr;
}

bool GlobalInputCapture::capturesKeys() const {
    for (const Device &device : m_devices) {
        if (device.keyboard)
            return true;
    }
    return false;
}

bool GlobalInputCapture::capturesButtons() const {
    for (const Device &device : m_devices) {
        if (device.mouse)
            return true;
    }
    return false;
}

void GlobalInputCapture::addDevice(udev_device *device) {
    const char *node = udev_device_get_devnode(device);
    if (!node || std::strncmp(node, EventNodePrefix, std::strlen(EventNodePrefix)) != 0)
        return;
    Device entry;
    entry.keyboard = hasProperty(device, "ID_INPUT_KEYBOARD");
    entry.mouse = hasProperty(device, "ID_INPUT_MOUSE");
    const QString path = QString::fromLocal8Bit(node);
    if ((!entry.keyboard && !entry.mouse) || m_devices.contains(path))
        return;
    const int fd = ::open(node, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        ++m_unreadable;
        qCDebug(lcInput) << "cannot read" << path << std::strerror(errno);
        return;
    }
    entry.reader = new EvdevReader(
        fd, m_translator, [] { return QCursor::pos(); }, this);
    if (!entry.reader->isOpen()) {
        delete entry.reader;
        return;
    }
    connect(entry.reader, &EvdevReader::gone, this, [this, path] { removeDevice(path); });
    qCDebug(lcInput) << "reading" << path << entry.reader->name();
    m_devices.insert(path, entry);
}

void GlobalInputCapture::removeDevice(const QString &node) {
    const auto it = m_devices.find(node);
    if (it == m_devices.end())
        return;
    // The reader may be inside its own signal here.
    it->reader->deleteLater();
    m_devices.erase(it);
}

void GlobalInputCapture::readMonitor() {
    udev_device *device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return;
    const char *action = udev_device_get_action(device);
    const char *node = udev_device_get_devnode(device);
    if (action && std::strcmp(action, "add") == 0)
        addDevice(device);
    else if (action && node && std::strcmp(action, "remove") == 0)
        removeDevice(QString::fromLocal8Bit(node));
    udev_device_unref(device);
}
