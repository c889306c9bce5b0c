#pragma once

#include "FocusWatch.h"

#include <cstdint>

struct xcb_connection_t;
class QSocketNotifier;

// The X server's word for the focus: the window manager names the active window in the root's
// _NET_ACTIVE_WINDOW, and that window's WM_CLASS names its application. The watch has its own
// connection and hears the root's property changes through it: nothing is polled.
class X11FocusWatch : public FocusWatch {
    Q_OBJECT
public:
    // partialReason: what the user is told when this X server shows only part of the desktop
    // (XWayland under a Wayland compositor that does not tell about its own windows).
    explicit X11FocusWatch(QObject *parent = nullptr, const QString &partialReason = {});
    ~X11FocusWatch() override;

    QString backendName() const override { return QStringLiteral("x11"); }
    bool start() override;
    QStringList runningApplications() const override;

private:
    void readEvents();
    void refresh();
    QString applicationOf(uint32_t window) const;
    QByteArray rootProperty(uint32_t atom) const;
    QByteArray property(uint32_t window, uint32_t atom) const;

    const QString m_partialReason;
    xcb_connection_t *m_connection = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    uint32_t m_root = 0;
    uint32_t m_activeWindowAtom = 0;
    uint32_t m_clientListAtom = 0;
    bool m_readOnce = false;
};
