#include "WindowActivation.h"

#include "DisplayServer.h"
#include "WindowActivation_wayland.h"

#include <QWidget>

namespace {
const char *const LauncherTokenVariable = "XDG_ACTIVATION_TOKEN";
} // namespace

QByteArray WindowActivation::tokenForRunningWindow() {
    QByteArray token = qgetenv(LauncherTokenVariable);
    if (!token.isEmpty()) {
        // A token is good for one activation; nothing this process starts may reuse it.
        qunsetenv(LauncherTokenVariable);
        return token;
    }
    return DisplayServer::isWayland() ? WindowActivationWayland::requestToken() : QByteArray();
}

void WindowActivation::bringForward(QWidget *window, const QByteArray &token) {
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    if (DisplayServer::isWayland() && !token.isEmpty() &&
        WindowActivationWayland::activate(window->windowHandle(), token))
        return;
    window->activateWindow();
}
