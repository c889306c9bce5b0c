#pragma once

#include "Hid_Thread.h"

#include <QTimer>
#include <QWidget>

class DeviceLock;
class DeviceWatch;
class NoticeChannel;
class Ui_Controler;
class myQQuickView;

// The hidden top-level window: owns the link, the controller and the device check.
class Widget : public QWidget {
    Q_OBJECT
public:
    static constexpr int DeviceCheckDelayMs = 2048;
    static constexpr int LockRetryMs = 250;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    Hid_Thread &deviceLink() { return m_hid; }
    Ui_Controler *controller() const { return m_controller; }
    myQQuickView *view() const;
    QTimer &deviceCheckTimer() { return m_timer; }
    NoticeChannel *noticeChannel() const { return m_notices; }
    // Whether the window holds the device against q7ctl; it sends nothing until it does.
    bool holdsDeviceLock() const;

    // The first device check; connected (or demo) shows the window and starts the scene, or with
    // visible false leaves both for reveal(). Returns whether the program goes on.
    bool startUp(bool visible = true);
    // Shows the window again after it was closed into the background (or never shown): the scene
    // starts, or opens again, and the window comes forward.
    void reveal(const QByteArray &activationToken = {});
    // Queues the scene's "initUI" and then its "run".
    void startScene();

public slots:
    void checkDevice();
    // A device appeared or went away: check again once things settle.
    void deviceChanged();

signals:
    // A device check has run (at start, or after the device changes settled).
    void deviceChecked();
    // The device is gone and the user was told; the program ends.
    void programEnding();
    // A device check found the mouse again after it had gone away (plugged in again).
    void mouseReturned();

protected:
    void customEvent(QEvent *event) override;

private:
    // Takes the device lock, or starts waiting for it without blocking the event loop.
    bool takeDeviceLock();
    void retryDeviceLock();
    void bringToFront(const QByteArray &activationToken);

    QTimer m_timer;
    QTimer m_lockRetry;
    bool m_sceneWaiting = false;
    bool m_sceneDeferred = false;
    Ui_Controler *m_controller = nullptr;
    Hid_Thread m_hid;
    DeviceWatch *m_watch = nullptr;
    NoticeChannel *m_notices = nullptr;
    DeviceLock *m_lock = nullptr;
};
