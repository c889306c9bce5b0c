#include "FocusSession.h"

namespace FocusSession {

bool isKde(const DesktopSession::Facts &session) {
    return DesktopSession::choose(session) == DesktopSession::Desktop::Kde;
}

bool isWayland(const DesktopSession::Facts &session) {
    // A compositor started from a console leaves the type at "tty": its socket tells. An X11
    // session with a nested compositor's socket stays X11.
    return session.waylandDisplay &&
           session.sessionType.compare(QLatin1String("x11"), Qt::CaseInsensitive) != 0;
}

Backend choose(const Facts &facts) {
    if (isKde(facts.session) && facts.kwinAnswers)
        return Backend::KWin;
    if (isWayland(facts.session)) {
        if (facts.toplevelListOffered)
            return Backend::Wlroots;
        // XWayland's windows are X11 windows with a window manager of the compositor's.
        return facts.session.x11Display ? Backend::XWaylandOnly : Backend::None;
    }
    return facts.session.x11Display ? Backend::X11 : Backend::None;
}

} // namespace FocusSession
