#include "Widget.h"

#include "DeviceCheck.h"
#include "DeviceLock.h"
#include "DeviceWatch.h"
#include "LinkState.h"
#include "NoticeChannel.h"
#include "StartupTimeline.h"
#include "Ui_Controler.h"
#include "UserEvent.h"
#include "WindowActivation.h"
#include "myQQuickView.h"

#include <QQuickItem>

#include <QCoreApplication>
#include <QDebug>

#include <utility>

namespace {
const QString LockHolderName = QStringLiteral("the q7config window");
}

Widget::Widget(QWidget *parent) : QWidget(parent) {
    m_controller = new Ui_Controler;
    m_controller->initialise(this, &m_hid);
    view()->setDeviceLink(&m_hid);
    // Asked at each check: resetting the configuration replaces the settings object.
    m_hid.setSettingsSource([this] { return view()->appSettings(); });
    // Nothing reaches the mouse before the window holds the device lock.
    m_hid.setExchangesAllowed(false);
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
    m_lockRetry.setInterval(LockRetryMs);
    connect(&m_lockRetry, &QTimer::timeout, this, &Widget::retryDeviceLock);

    m_notices = new NoticeChannel(this);
    m_notices->listen(windowTitle());
    connect(m_notices, &NoticeChannel::raiseRequested, this, &Widget::bringToFront);
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

bool Widget::startUp(bool visible) {
    checkDevice();
    StartupTimeline::mark("device check");
    const LinkState &state = LinkState::instance();
    if (!state.connected.load())
        return false;
    if (!visible) {
        m_sceneDeferred = true;
        return true;
    }
    showNormal();
    // Held by q7ctl: the scene starts when it lets go.
    if (holdsDeviceLock() || state.demoMode.load())
        startScene();
    else
        m_sceneWaiting = true;
    if (state.demoMode.load())
        NoticeChannel::send(windowTitle(), QStringLiteral("===== Demo Mode ====="));
    return true;
}

void Widget::checkDevice() {
    const bool connected = DeviceCheck::find(m_hid, *view());
    const bool demo = LinkState::instance().demoMode.load();
    if (demo)
        m_hid.setExchangesAllowed(true); // demo mode sends nothing anyway
    else if (connected)
        takeDeviceLock();
    if (demo || holdsDeviceLock())
        view()->syncFW();
    emit deviceChecked();
    if (connected && holdsDeviceLock() && m_hid.takeDeviceLost())
        emit mouseReturned();
}

bool Widget::holdsDeviceLock() const {
    return m_lock && m_lock->isLocked();
}

bool Widget::takeDeviceLock() {
    if (holdsDeviceLock())
        return true;
    if (!m_lock)
        m_lock = new DeviceLock(DeviceLock::keyFor(m_hid.currentEntry()), LockHolderName);
    if (m_lock->tryLock()) {
        m_lockRetry.stop();
        m_hid.setExchangesAllowed(true);
        return true;
    }
    if (!m_lockRetry.isActive()) {
        qWarning("The mouse is in use by %s; waiting until it is free.",
                 qUtf8Printable(m_lock->holderText()));
        m_lockRetry.start();
    }
    return false;
}

void Widget::retryDeviceLock() {
    if (!takeDeviceLock())
        return;
    qInfo("The mouse is free; taking it.");
    view()->syncFW();
    if (std::exchange(m_sceneWaiting, false))
        startScene();
}

void Widget::bringToFront(const QByteArray &activationToken) {
    qInfo("Another start of the program asked for this window.");
    reveal(activationToken);
}

void Widget::reveal(const QByteArray &activationToken) {
    if (std::exchange(m_sceneDeferred, false)) {
        showNormal();
        if (holdsDeviceLock() || LinkState::instance().demoMode.load())
            startScene();
        else
            m_sceneWaiting = true;
    } else if (!isVisible()) {
        // Closed with its closing animation: the scene opens to its full height again.
        if (QQuickItem *root = view()->rootObject())
            QMetaObject::invokeMethod(root, "reopen");
        view()->playMedia_Index(0); // the background music again, when sound is on
    }
    WindowActivation::bringForward(this, activationToken);
}

void Widget::startScene() {
    view()->initUI();
    QCoreApplication::postEvent(this, new UserEvent(UserEvent::StartSceneCode));
}

void Widget::customEvent(QEvent *event) {
    if (event->type() == UserEvent::EventType &&
        static_cast<UserEvent *>(event)->code() == UserEvent::StartSceneCode) {
        StartupTimeline::mark("opening");
        view()->runUI();
    }
}
