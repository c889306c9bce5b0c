#include "FocusRules.h"

#include "AppIdentity.h"
#include "FocusWatch.h"
#include "LinkState.h"
#include "ProfileApplier.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QCoreApplication>

FocusRules::FocusRules(Widget &widget)
    : QObject(&widget), m_widget(widget),
      m_follower(widget.view()->ruleStore(), [this](int profile) { apply(profile); }) {
    myQQuickView *view = widget.view();
    // The program's own window: its Wayland app id and its X11 class.
    m_follower.setOwnNames({AppIdentity::desktopFileName(), QCoreApplication::applicationName()});
    view->setRunningApplicationsSource([this] {
        ensureWatch();
        return m_watch->runningApplications();
    });
    view->setFocusStatusSource([this] {
        if (!m_watch)
            return myQQuickView::FocusStatus();
        const QString reason = m_watch->reason();
        if (!m_started)
            return myQQuickView::FocusStatus{QStringLiteral("none"), reason};
        return myQQuickView::FocusStatus{
            reason.isEmpty() ? QStringLiteral("watching") : QStringLiteral("partial"), reason};
    });
    connect(view, &myQQuickView::rulesChanged, this, [this] {
        if (m_widget.view()->ruleStore().inUse())
            ensureWatch();
    });
    // After the window is up: the watch is no part of the start.
    if (view->ruleStore().inUse())
        QMetaObject::invokeMethod(this, &FocusRules::ensureWatch, Qt::QueuedConnection);
}

FocusRules::~FocusRules() = default;

void FocusRules::ensureWatch() {
    if (m_watch)
        return;
    m_watch = FocusWatch::create(this);
    myQQuickView *view = m_widget.view();
    connect(m_watch.get(), &FocusWatch::focusChanged, &m_follower, &ProfileFollower::focusChanged);
    connect(m_watch.get(), &FocusWatch::focusChanged, view, &myQQuickView::focusStatusChanged);
    m_started = m_watch->start();
    if (m_started)
        qInfo("Profiles follow the application in focus (%s).",
              qUtf8Printable(m_watch->backendName()));
    // Queued: the panel may be asking from the middle of its refresh.
    QMetaObject::invokeMethod(view, &myQQuickView::focusStatusChanged, Qt::QueuedConnection);
}

void FocusRules::apply(int profile) {
    const LinkState &link = LinkState::instance();
    if (link.connected.load() && !link.demoMode.load() && !m_widget.holdsDeviceLock()) {
        qInfo("Profile %d is not applied: another program uses the mouse.", profile + 1);
        return;
    }
    myQQuickView *view = m_widget.view();
    view->applyProfile(profile);
    view->showOutsideChange(QStringLiteral("applyProfile"));
    // A switch asked for while another was sent returns at once: the first one says what the
    // mouse ended with.
    const ProfileApplier *applier = view->profileApplier();
    if (!applier || !applier->isApplying())
        qInfo("%s has the focus: the mouse holds profile %d.",
              qUtf8Printable(m_follower.focusedApplication()), view->currentProfileIndex() + 1);
}
