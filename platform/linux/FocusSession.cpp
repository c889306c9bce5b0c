#include "FocusSession.h"

#include <QStringList>

namespace FocusSession {

bool namesKde(const Facts &facts) {
    return facts.kdeFullSession ||
           facts.currentDesktop.split(u':').contains(QLatin1String("KDE"), Qt::CaseInsensitive);
}

bool isWayland(const Facts &facts) {
    // A compositor started from a console leaves the type at "tty": its socket tells. An X11
    // session with a nested compositor's socket stays X11.
    return facts.waylandDisplay &&
           facts.sessionType.compare(QLatin1String("x11"), Qt::CaseInsensitive) != 0;
}

Backend choose(const Facts &facts) {
    if (namesKde(facts) && facts.kwinAnswers)
        return Backend::KWin;
    if (isWayland(facts)) {
        if (facts.toplevelListOffered)
            return Backend::Wlroots;
        // XWayland's windows are X11 windows with a window manager of the compositor's.
        return facts.x11Display ? Backend::XWaylandOnly : Backend::None;
    }
    return facts.x11Display ? Backend::X11 : Backend::None;
}

} // namespace FocusSession
