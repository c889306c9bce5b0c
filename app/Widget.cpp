#include "Widget.h"

#include "DeviceCheck.h"
#include "DeviceLock.h"
#include "DeviceWatch.h"
#include "LinkState.h"
#include "NoticeChannel.h"
#include "Ui_Controler.h"
#include "UserEvent.h"
#include "myQQuickView.h"

#include <QCoreApplication>
#include <QDebug>

namespace {
constexpr int LockWaitMs = 3000;
}

Widget::Widget(QWidget *parent) : QWidget(parent) {
    m_controller = new Ui_Controler;
    m_controller->initialise(this, &m_hid);
    view()->setDeviceLink(&m_hid);
    m_hid.setAppSettings(view()->appSettings());
    m_hid.setTitleSource([this] { return windowTitle(); });
    // The device is gone and the user was told: close, which ends the program.
    connect(&m_hid, &Hid_Thread::deviceAbsent, this, [this] {
        emit programEnding();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });

    m_timer.setInterval(DeviceCheckDelayMs);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Widget::checkDevice);

    m_watch = new DeviceWatch(this);
    connect(m_watch, &DeviceWatch::changed, this, &Widget::deviceChanged);
    m_notices = new NoticeChannel(this);
    m_notices->listen(windowTitle());
}

Widget::~Widget() {
    m_hid.stopWatch();
    m_hid.waitForSend();
    m_controller->deleteLater();
    delete m_lock;
}

myQQuickView *Widget::view() const {
    return m_controller->view();
}

void Widget::deviceChanged() {
    m_timer.start();
}

bool Widget::startUp() {
    checkDevice();
    const LinkState &state = LinkState::instance();
    if (!state.connected.load())
        return false;
    showNormal();
    startScene();
    if (state.demoMode.load())
        NoticeChannel::send(windowTitle(), QStringLiteral("===== Demo Mode ====="));
    return true;
}

void Widget::checkDevice() {
    const bool connected = DeviceCheck::run(m_hid, *view());
    emit deviceChecked();
    if (!connected || LinkState::instance().demoMode.load())
        return;
    // Hold the device against q7ctl while the window uses it.
    const QString path = m_hid.currentEntry().commandPath;
    if (m_lock && m_lock->isLocked())
        return;
    delete m_lock;
    m_lock = new DeviceLock(path);
    if (!m_lock->tryLock(LockWaitMs))
        qWarning("Could not take the device lock; q7ctl may be using the mouse");
}

void Widget::startScene() {
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::StartSceneCode));
}

void Widget::customEvent(QEvent *event) {
    if (event->type() == UserEvent::EventType &&
        static_cast<UserEvent *>(event)->code() == UserEvent::StartSceneCode)
        view()->runUI();
}
