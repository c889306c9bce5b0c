#include "DesktopSession.h"

#include "HyprlandPointerSettings.h"
#include "SwayIpc.h"

namespace DesktopSession {

Facts fromEnvironment() {
    Facts facts;
    facts.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    facts.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    facts.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    facts.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    facts.kdeFullSession = !qEnvironmentVariableIsEmpty("KDE_FULL_SESSION");
    return facts;
}

Facts probe() {
    Facts facts = fromEnvironment();
    const QString sway = SwayIpc::sessionSocket();
    facts.swayAnswers = !sway.isEmpty() && SwayIpc(sway).answers();
    const QString hyprland = HyprlandPointerSettings::sessionSocket();
    facts.hyprlandAnswers = !hyprland.isEmpty() && HyprlandPointerSettings::answers(hyprland);
    return facts;
}

} // namespace DesktopSession
