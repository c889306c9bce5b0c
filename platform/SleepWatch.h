#pragma once

#include <QObject>

// Tells when the computer has woken from sleep: logind's PrepareForSleep(false) on the system
// bus. A subscription, so nothing runs while the computer is awake.
class SleepWatch : public QObject {
    Q_OBJECT
public:
    explicit SleepWatch(QObject *parent = nullptr);

    // False when there is no system bus or no way to subscribe; reason() says why.
    bool start();
    QString reason() const { return m_reason; }

signals:
    void resumed();

private slots:
    void prepareForSleep(bool sleeping);

private:
    QString m_reason;
};
