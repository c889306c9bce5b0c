#include "AfterFirstFrame.h"

#include <QEvent>
#include <QWindow>

#include <utility>

AfterFirstFrame::AfterFirstFrame(QWindow *window, std::function<void()> task, int fallbackMs,
                                 QObject *parent)
    : QObject(parent), m_task(std::move(task)) {
    m_fallback.setSingleShot(true);
    connect(&m_fallback, &QTimer::timeout, this, &AfterFirstFrame::run);
    m_fallback.start(fallbackMs);
    if (window && window->isExposed())
        QMetaObject::invokeMethod(this, &AfterFirstFrame::run, Qt::QueuedConnection);
    else if (window)
        window->installEventFilter(this);
}

bool AfterFirstFrame::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        // Queued: Qt draws and flushes the exposed window when this filter has returned.
        QMetaObject::invokeMethod(this, &AfterFirstFrame::run, Qt::QueuedConnection);
    }
    return false;
}

void AfterFirstFrame::run() {
    m_fallback.stop();
    if (const auto task = std::exchange(m_task, nullptr))
        task();
}
