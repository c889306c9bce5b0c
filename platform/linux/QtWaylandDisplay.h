#pragma once

#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

struct wl_display;

// Qt's own Wayland connection; null on another window system.
inline wl_display *qtWaylandDisplay() {
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    return native ? static_cast<wl_display *>(
                        native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")))
                  : nullptr;
}
