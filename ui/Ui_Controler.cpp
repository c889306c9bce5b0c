#include "Ui_Controler.h"

#include "AccessibleQuickItem.h"
#include "Hid_Thread.h"
#include "StartupTimeline.h"
#include "myQQuickView.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QSettings>
#include <QWidget>
#include <QWindow>

Ui_Controler::Ui_Controler(QObject *parent) : QObject(parent) {}

void Ui_Controler::initialise(QWidget *widget, Hid_Thread *hid) {
    if (widget->objectName().isEmpty())
        widget->setObjectName(QStringLiteral("Widget"));
    m_widget = widget;
    widget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    widget->setWindowOpacity(1.0);
    // Transparent by this alone. A style sheet would load Qt's style sheet engine for the whole
    // run, and reach the widget's children (the tray menu) too.
    widget->setAttribute(Qt::WA_TranslucentBackground);

    AccessibleQuickItem::install();
    m_view = new myQQuickView(widget);
    m_view->setObjectName(QStringLiteral("ui_View"));
    m_view->setAttribute(Qt::WA_AlwaysStackOnTop);
    m_view->setClearColor(Qt::transparent);
    StartupTimeline::mark("view");
    StartupTimeline::watchFirstFrame(m_view);
    m_view->setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
    // Published only after loading: the scene must not call them while it is being created.
    QQmlContext *context = m_view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_view);
    context->setContextProperty(QStringLiteral("hid"), hid);
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);
    StartupTimeline::mark("scene");
    StartupTimeline::watchPages(m_view->rootObject());

    const QSize size = m_view->rootObject() ? m_view->size() : QSize(Width, Height);
    // Fixed, as the scene is: tiling compositors then float the window instead of stretching it.
    widget->setFixedSize(size.isEmpty() ? QSize(Width, Height) : size);
    widget->setWindowTitle(m_view->appSettings()->value(QStringLiteral("common/name")).toString());
}

void Ui_Controler::onMinimize() {
    if (m_widget)
        m_widget->close();
}

bool Ui_Controler::startSystemMove() {
    QWindow *window = m_widget ? m_widget->windowHandle() : nullptr;
    return window && window->startSystemMove();
}

void Ui_Controler::onXChanged(int x) {
    if (m_widget)
        m_widget->move(m_widget->x() + x, m_widget->y());
}

void Ui_Controler::onYChanged(int y) {
    if (m_widget)
        m_widget->move(m_widget->x(), m_widget->y() + y);
}

void Ui_Controler::setBusy(int busyTime) {
    if (!m_view || !m_view->rootObject())
        return;
    QMetaObject::invokeMethod(m_view->rootObject(), "setProtectUI", Qt::DirectConnection,
                              Q_ARG(QVariant, QVariant(busyTime)));
}
