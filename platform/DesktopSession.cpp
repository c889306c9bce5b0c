#include "DesktopSession.h"

#include <QStringList>

namespace DesktopSession {

Desktop choose(const Facts &facts) {
    // The desktop names itself first; the first name we know wins ("ubuntu:GNOME" is GNOME).
    const QStringList names =
        facts.currentDesktop.toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        if (name == QLatin1String("gnome") || name.startsWith(QLatin1String("gnome-")))
            return Desktop::Gnome;
        if (name == QLatin1String("kde"))
            return Desktop::Kde;
        // A compositor that does not answer takes nothing, whatever else the session has.
        if (name == QLatin1String("sway"))
            return facts.swayAnswers ? Desktop::Sway : Desktop::None;
        if (name == QLatin1String("hyprland"))
            return facts.hyprlandAnswers ? Desktop::Hyprland : Desktop::None;
    }
    if (facts.kdeFullSession)
        return Desktop::Kde;
    if (facts.swayAnswers)
        return Desktop::Sway;
    if (facts.hyprlandAnswers)
        return Desktop::Hyprland;
    // XWayland's DISPLAY leads to no real pointer: X11 only where the session is one.
    const QString type = facts.sessionType.toLower();
    if (facts.x11Display && type == QLatin1String("x11"))
        return Desktop::X11;
    if (facts.x11Display && type != QLatin1String("wayland") && !facts.waylandDisplay)
        return Desktop::X11;
    return Desktop::None;
}

} // namespace DesktopSession
