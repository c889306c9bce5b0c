#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class EvdevReader;
class KeyTranslator;
class QSocketNotifier;
struct udev;
struct udev_device;
struct udev_monitor;

// Every keyboard and mouse that udev lists under /dev/input and that this user may read,
// observed through libevdev; ones plugged in later are picked up through a udev monitor.
class GlobalInputCapture : public QObject {
    Q_OBJECT
public:
    explicit GlobalInputCapture(KeyTranslator *translator, QObject *parent = nullptr);
    ~GlobalInputCapture() override;

    // Opens what can be read now and watches for more; true when something is read.
    bool start();
    void stop();

    bool isRunning() const { return !m_devices.isEmpty(); }
    bool capturesKeys() const;
    bool capturesButtons() const;
    // Keyboards and mice seen that this user may not read.
    int unreadableCount() const { return m_unreadable; }

private:
    struct Device {
        EvdevReader *reader = nullptr;
        bool keyboard = false;
        bool mouse = false;
    };

    void addDevice(udev_device *device);
    void removeDevice(const QString &node);
    void readMonitor();

    KeyTranslator *m_translator;
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_monitorNotifier = nullptr;
    QHash<QString, Device> m_devices;
    int m_unreadable = 0;
};
