#pragma once

#include <QObject>

// Tells when a HID device node appears or goes away.
class DeviceWatch : public QObject {
    Q_OBJECT
public:
    explicit DeviceWatch(QObject *parent = nullptr);
    ~DeviceWatch() override;

    bool isActive() const;

signals:
    void changed();

private:
    struct Private;
    Private *d;
};
