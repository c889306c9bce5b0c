#include "BackgroundRunner.h"

#include "Widget.h"
#include "myQQuickView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QSystemTrayIcon>

BackgroundRunner::BackgroundRunner(Widget &widget) : QObject(&widget), m_widget(widget) {
    // The window's closing ends the program only when nothing is left to do without it.
    QApplication::setQuitOnLastWindowClosed(false);
    widget.installEventFilter(this);
}

bool BackgroundRunner::keepsRunning() const {
    return m_widget.view()->ruleStore().inUse();
}

bool BackgroundRunner::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_widget && event->type() == QEvent::Close) {
        if (keepsRunning())
            goBackground();
        else
            QMetaObject::invokeMethod(this, &BackgroundRunner::quit, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void BackgroundRunner::startHidden() {
    goBackground();
}

void BackgroundRunner::goBackground() {
    // The background music loops until stopped: nothing plays without the window.
    m_widget.view()->clearAllMedia();
    if (m_tray)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        qInfo("q7config goes on without its window, so that the rules keep switching the mouse's "
              "profile. Start q7config again to show the window; q7ctl and D-Bus reach it as "
              "before; q7ctl quit ends it.");
        return;
    }
    m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_tray->setToolTip(m_widget.windowTitle());
    auto *menu = new QMenu(&m_widget);
    menu->addAction(tr("Show"), this, &BackgroundRunner::show);
    menu->addAction(tr("Quit"), this, &BackgroundRunner::quit);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            show();
    });
    m_tray->show();
}

void BackgroundRunner::show() {
    delete m_tray;
    m_tray = nullptr;
    m_widget.reveal();
}

void BackgroundRunner::quit() {
    QCoreApplication::quit();
}
