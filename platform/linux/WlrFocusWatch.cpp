#include "WlrFocusWatch.h"

#include "WaylandDispatch.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <cstring>

// One window as the compositor lists it. Changes come in batches that end with "done".
struct WlrFocusWatch::Toplevel {
    zwlr_foreign_toplevel_handle_v1 *handle = nullptr;
    QString appId;
    bool activated = false;
    QString pendingAppId;
    bool pendingActivated = false;
    // When it last became activated: with several seats the latest one counts.
    quint64 activatedAt = 0;
};

namespace {

constexpr uint32_t ManagerVersion = 1;
// A live compositor lists its globals at once; one that does not answer is not waited for.
constexpr int GlobalsTimeoutMs = 2000;
quint64 activationCount = 0;

} // namespace

// The C callbacks, with access to the watch.
struct WlrListeners {
    using Toplevel = WlrFocusWatch::Toplevel;

    static void title(void *, zwlr_foreign_toplevel_handle_v1 *, const char *) {}
    static void appId(void *data, zwlr_foreign_toplevel_handle_v1 *, const char *appId) {
        static_cast<Toplevel *>(data)->pendingAppId = QString::fromUtf8(appId);
    }
    static void outputEnter(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {}
    static void outputLeave(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {}
    static void state(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_array *states) {
        bool activated = false;
        const auto *state = static_cast<const uint32_t *>(states->data);
        for (size_t i = 0; i < states->size / sizeof(uint32_t); ++i)
            activated |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        static_cast<Toplevel *>(data)->pendingActivated = activated;
    }
    static void done(void *data, zwlr_foreign_toplevel_handle_v1 *) {
        auto *toplevel = static_cast<Toplevel *>(data);
        if (toplevel->pendingActivated && !toplevel->activated)
            toplevel->activatedAt = ++activationCount;
        toplevel->appId = toplevel->pendingAppId;
        toplevel->activated = toplevel->pendingActivated;
    }
    static void closed(void *data, zwlr_foreign_toplevel_handle_v1 *) {
        // Forgotten in dispatched(), once the batch it came in is read.
        static_cast<Toplevel *>(data)->activated = false;
        zwlr_foreign_toplevel_handle_v1_destroy(static_cast<Toplevel *>(data)->handle);
        static_cast<Toplevel *>(data)->handle = nullptr;
    }
    static constexpr zwlr_foreign_toplevel_handle_v1_listener Handle{
        title, appId, outputEnter, outputLeave, state, done, closed};

    static void toplevel(void *data, zwlr_foreign_toplevel_manager_v1 *,
                         zwlr_foreign_toplevel_handle_v1 *handle) {
        auto *watch = static_cast<WlrFocusWatch *>(data);
        auto entry = std::make_unique<Toplevel>();
        entry->handle = handle;
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &Handle, entry.get());
        watch->m_toplevels.push_back(std::move(entry));
    }
    static void finished(void *data, zwlr_foreign_toplevel_manager_v1 *) {
        static_cast<WlrFocusWatch *>(data)->m_finished = true;
    }
    static constexpr zwlr_foreign_toplevel_manager_v1_listener Manager{toplevel, finished};

    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface,
                       uint32_t) {
        auto **manager = static_cast<zwlr_foreign_toplevel_manager_v1 **>(data);
        if (!*manager &&
            std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0)
            *manager = static_cast<zwlr_foreign_toplevel_manager_v1 *>(wl_registry_bind(
                registry, name, &zwlr_foreign_toplevel_manager_v1_interface, ManagerVersion));
    }
    static void globalRemove(void *, wl_registry *, uint32_t) {}
    static constexpr wl_registry_listener Registry{global, globalRemove};
};

namespace {

// The manager, bound on a fresh connection; null when the compositor does not offer it or
// does not answer.
zwlr_foreign_toplevel_manager_v1 *bindManager(wl_display *display) {
    zwlr_foreign_toplevel_manager_v1 *manager = nullptr;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &WlrListeners::Registry, &manager);
    const bool answered = WaylandDispatch::roundtrip(display, GlobalsTimeoutMs);
    wl_registry_destroy(registry);
    if (!answered && manager) {
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
        manager = nullptr;
    }
    return manager;
}

} // namespace

WlrFocusWatch::WlrFocusWatch(QObject *parent) : FocusWatch(parent) {}

WlrFocusWatch::~WlrFocusWatch() {
    delete m_notifier;
    for (const auto &toplevel : m_toplevels) {
        if (toplevel->handle)
            zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    }
    if (m_manager)
        zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
    if (m_display)
        wl_display_disconnect(m_display);
}

bool WlrFocusWatch::offeredBySession() {
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    zwlr_foreign_toplevel_manager_v1 *manager = bindManager(display);
    if (manager)
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
    wl_display_disconnect(display);
    return manager != nullptr;
}

bool WlrFocusWatch::start() {
    if (m_display)
        return m_notifier != nullptr;
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return cannotStart(tr("The Wayland compositor (WAYLAND_DISPLAY=%1) does not answer: the "
                              "focused application cannot be followed.")
                               .arg(qEnvironmentVariable("WAYLAND_DISPLAY")));
    m_manager = bindManager(m_display);
    if (!m_manager)
        return cannotStart(tr("This Wayland compositor does not list its windows "
                              "(zwlr_foreign_toplevel_manager_v1): the focused application cannot "
                              "be followed."));
    zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &WlrListeners::Manager, this);
    wl_display_flush(m_display);
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WlrFocusWatch::readEvents);
    qCDebug(lcFocus) << "wlroots: watching the compositor's window list";
    // The round trip may have queued the first events already.
    QMetaObject::invokeMethod(this, &WlrFocusWatch::readEvents, Qt::QueuedConnection);
    return true;
}

void WlrFocusWatch::readEvents() {
    if (!m_notifier || !m_notifier->isEnabled())
        return;
    // Only this thread reads the connection; the prepare/read pair keeps libwayland's queue
    // straight and never blocks (the socket is read without waiting).
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0)
            return stop(tr("The Wayland compositor closed the connection: the focused "
                           "application is no longer followed."));
    }
    wl_display_flush(m_display);
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
        return stop(tr("The Wayland compositor closed the connection: the focused application is "
                       "no longer followed."));
    wl_display_flush(m_display);
    dispatched();
}

void WlrFocusWatch::dispatched() {
    std::erase_if(m_toplevels, [](const auto &toplevel) { return !toplevel->handle; });
    if (m_finished)
        return stop(tr("The Wayland compositor stopped listing its windows: the focused "
                       "application is no longer followed."));
    // Reported once per batch read, so a focus moving from one window to another never shows
    // the moment in between when neither is activated.
    const Toplevel *focused = nullptr;
    for (const auto &toplevel : m_toplevels) {
        if (toplevel->activated && (!focused || toplevel->activatedAt > focused->activatedAt))
            focused = toplevel.get();
    }
    report(focused ? focused->appId : QString());
}

void WlrFocusWatch::stop(const QString &reason) {
    m_notifier->setEnabled(false);
    lost(reason);
}

QStringList WlrFocusWatch::runningApplications() const {
    QStringList applications;
    for (const auto &toplevel : m_toplevels) {
        if (!toplevel->appId.isEmpty() && !applications.contains(toplevel->appId))
            applications.append(toplevel->appId);
    }
    applications.sort(Qt::CaseInsensitive);
    return applications;
}
