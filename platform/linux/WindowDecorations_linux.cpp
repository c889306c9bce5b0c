#include "WindowDecorations.h"

#include "DisplayServer.h"
#include "QtWaylandDisplay.h"
#include "WaylandGlobals.h"

namespace {

const char DisableVariable[] = "QT_WAYLAND_DISABLE_WINDOWDECORATION";
const char ServerSideDecorations[] = "zxdg_decoration_manager_v1";
// One round trip to the compositor, at start.
constexpr int ListTimeoutMs = 500;

} // namespace

void WindowDecorations::leaveToCompositor(bool softwareScene) {
    if (!softwareScene || qEnvironmentVariableIsSet(DisableVariable) || !DisplayServer::isWayland())
        return;
    // Qt's Wayland plugin reads it when the first window shows.
    if (WaylandGlobals(qtWaylandDisplay(), ListTimeoutMs).offers(ServerSideDecorations))
        qputenv(DisableVariable, "1");
}
