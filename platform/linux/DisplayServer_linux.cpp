#include "DisplayServer.h"

#include <QGuiApplication>

#include <utility>

namespace {
const char *const PlatformVariable = "QT_QPA_PLATFORM";
} // namespace

QByteArray DisplayServer::preferredPlatform(const QProcessEnvironment &env) {
    if (!env.value(QLatin1String(PlatformVariable)).isEmpty())
        return {};
    // A compositor started from a console leaves XDG_SESSION_TYPE at "tty": its socket is what
    // tells. An X11 session with a nested compositor's socket stays on X11.
    if (env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
        env.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("x11"))
        return {};
    return QByteArrayLiteral("wayland;xcb");
}

DisplayServer::SessionPlatform::SessionPlatform() {
    const QByteArray platform = preferredPlatform(QProcessEnvironment::systemEnvironment());
    if (platform.isEmpty())
        return;
    qputenv(PlatformVariable, platform);
    m_set = true;
}

void DisplayServer::SessionPlatform::release() {
    if (std::exchange(m_set, false))
        qunsetenv(PlatformVariable);
}

bool DisplayServer::isWayland() {
    return QGuiApplication::platformName() == QLatin1String("wayland");
}
