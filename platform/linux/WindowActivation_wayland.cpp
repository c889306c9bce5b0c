#include "WindowActivation_wayland.h"

#include "QtWaylandDisplay.h"
#include "XdgActivationClient.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

namespace {

// A second start must end within a second; the compositor answers in a round trip.
constexpr int TokenTimeoutMs = 500;

} // namespace

QByteArray WindowActivationWayland::requestToken() {
    const std::string token = XdgActivationClient::requestToken(
        qtWaylandDisplay(), QGuiApplication::desktopFileName().toStdString(), TokenTimeoutMs);
    return QByteArray::fromStdString(token);
}

bool WindowActivationWayland::activate(QWindow *window, const QByteArray &token) {
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!window || !native)
        return false;
    auto *surface = static_cast<wl_surface *>(
        native->nativeResourceForWindow(QByteArrayLiteral("surface"), window));
    return XdgActivationClient::activate(qtWaylandDisplay(), surface, token.toStdString());
}
