#pragma once

#include "FocusWatch.h"

#include <memory>
#include <vector>

struct wl_display;
struct zwlr_foreign_toplevel_manager_v1;
class QSocketNotifier;

// wlroots compositors (sway, and others that offer the protocol) list their windows to clients
// that ask, through zwlr_foreign_toplevel_manager_v1: each window's app id and whether it is
// activated. The watch has its own connection to the compositor, read when it has something to
// say.
class WlrFocusWatch : public FocusWatch {
    Q_OBJECT
public:
    explicit WlrFocusWatch(QObject *parent = nullptr);
    ~WlrFocusWatch() override;

    // Whether the compositor in WAYLAND_DISPLAY offers the window list (asked once, briefly).
    static bool offeredBySession();

    QString backendName() const override { return QStringLiteral("wlroots"); }
    bool start() override;
    QStringList runningApplications() const override;

    struct Toplevel;

private:
    friend struct WlrListeners;
    void readEvents();
    void dispatched();
    void stop(const QString &reason);

    wl_display *m_display = nullptr;
    zwlr_foreign_toplevel_manager_v1 *m_manager = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    std::vector<std::unique_ptr<Toplevel>> m_toplevels;
    bool m_finished = false;
};
