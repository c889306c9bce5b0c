#include "StartupTimeline.h"

#include <QLoggingCategory>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>

#include <chrono>

Q_LOGGING_CATEGORY(lcStartup, "q7.startup", QtInfoMsg)

namespace {

const QLatin1String PageSlotPrefix("pageSlot");
const QLatin1String FrameLoaderName("frameLoader");

void watchPageSlots(QObject *parent);

// Marks a loader's phase when it says it is loaded: the loader is a private Qt Quick type, so it
// is reached through its signal's name. The window frame's loader then has page slots to watch.
class LoadMark : public QObject {
    Q_OBJECT
public:
    LoadMark(QObject *loader, const QByteArray &phase) : QObject(loader), m_phase(phase) {
        connect(loader, SIGNAL(loaded()), this, SLOT(mark()));
    }

public slots:
    void mark() {
        StartupTimeline::mark(m_phase.constData());
        if (parent()->objectName() == FrameLoaderName)
            watchPageSlots(parent());
    }

private:
    QByteArray m_phase;
};

void watchPageSlots(QObject *parent) {
    for (QObject *slot : parent->findChildren<QObject *>()) {
        if (slot->objectName().startsWith(PageSlotPrefix))
            new LoadMark(slot, "page " + slot->objectName().mid(PageSlotPrefix.size()).toUtf8());
    }
}

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
    // The pages sit in the window frame, which is built after the scene.
    if (QObject *frame = root->findChild<QObject *>(FrameLoaderName))
        new LoadMark(frame, "window frame");
    else
        watchPageSlots(root);
}

} // namespace StartupTimeline

#include "StartupTimeline.moc"
