#pragma once

#include <QString>

// Which desktop the user is logged in to, from the session's environment and the services that
// answer in it, never from which files happen to be installed.
namespace DesktopSession {

enum class Desktop { None, Gnome, Kde, Sway, Hyprland, X11 };

struct Facts {
    QString currentDesktop;       // XDG_CURRENT_DESKTOP: names separated by ':'
    QString sessionType;          // XDG_SESSION_TYPE: "x11", "wayland", "tty" …
    bool x11Display = false;      // DISPLAY is set
    bool waylandDisplay = false;  // WAYLAND_DISPLAY is set
    bool kdeFullSession = false;  // KDE_FULL_SESSION is set
    bool swayAnswers = false;     // the sway named by SWAYSOCK answers
    bool hyprlandAnswers = false; // the Hyprland named by HYPRLAND_INSTANCE_SIGNATURE answers
};

Desktop choose(const Facts &facts);
// The running session's facts; sway and Hyprland are asked only when the environment names them.
Facts probe();
// What the environment says, with no service asked.
Facts fromEnvironment();

} // namespace DesktopSession
