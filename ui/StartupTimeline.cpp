#include "StartupTimeline.h"

#include <QLoggingCategory>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>

#include <chrono>

Q_LOGGING_CATEGORY(lcStartup, "q7.startup", QtInfoMsg)

namespace {

const QLatin1String PageSlotPrefix("pageSlot");

// Marks a page when its loader says it is loaded: the loader is a private Qt Quick type, so it is
// reached through its signal's name.
class PageMark : public QObject {
    Q_OBJECT
public:
    PageMark(QObject *loader, const QByteArray &phase) : QObject(loader), m_phase(phase) {
        connect(loader, SIGNAL(loaded()), this, SLOT(mark()));
    }

public slots:
    void mark() { StartupTimeline::mark(m_phase.constData()); }

private:
    QByteArray m_phase;
};

} // namespace

namespace StartupTimeline {

void mark(const char *phase) {
    if (!lcStartup().isDebugEnabled())
        return;
    // steady_clock is CLOCK_MONOTONIC, the clock a benchmark on this machine reads too.
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    qCDebug(lcStartup, "%s %lld", phase, static_cast<long long>(now.count()));
}

void watchFirstFrame(QQuickWidget *view) {
    if (!lcStartup().isDebugEnabled() || !view->quickWindow())
        return;
    QObject::connect(
        view->quickWindow(), &QQuickWindow::afterRendering, view, [] { mark("frame"); },
        static_cast<Qt::ConnectionType>(Qt::DirectConnection | Qt::SingleShotConnection));
}

void watchPages(QQuickItem *root) {
    if (!lcStartup().isDebugEnabled() || !root)
        return;
    for (QObject *slot : root->findChildren<QObject *>()) {
        if (slot->objectName().startsWith(PageSlotPrefix))
            new PageMark(slot, "page " + slot->objectName().mid(PageSlotPrefix.size()).toUtf8());
    }
}

} // namespace StartupTimeline

#include "StartupTimeline.moc"
