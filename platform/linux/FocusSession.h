#pragma once

#include "DesktopSession.h"

// Which focus backend suits the running session: from its environment and the services that
// answer in it, never from installed files.
namespace FocusSession {

enum class Backend {
    KWin,         // KDE Plasma, Wayland or X11: KWin answers on the session bus
    Wlroots,      // a Wayland compositor that lists its windows (sway and other wlroots ones)
    X11,          // an X11 session
    XWaylandOnly, // a Wayland compositor that does not tell (GNOME): X11 applications only
    None,
};

struct Facts {
    DesktopSession::Facts session;    // the environment's part
    bool kwinAnswers = false;         // org.kde.KWin on the session bus
    bool toplevelListOffered = false; // the compositor offers zwlr_foreign_toplevel_manager_v1
};

Backend choose(const Facts &facts);
// Whether the session is KDE's, so that KWin is worth asking.
bool isKde(const DesktopSession::Facts &session);
// Whether the session is a Wayland one, so that its compositor is worth asking.
bool isWayland(const DesktopSession::Facts &session);

} // namespace FocusSession
