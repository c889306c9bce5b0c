#include "FocusSession.h"
#include "FocusWatch.h"
#include "KWinFocusWatch.h"
#include "WlrFocusWatch.h"
#include "X11FocusWatch.h"

namespace {

// A session with nothing to ask: says why at start.
class NoFocusWatch : public FocusWatch {
public:
    NoFocusWatch(QObject *parent, const QString &why) : FocusWatch(parent) { setReason(why); }
    QString backendName() const override { return QStringLiteral("none"); }
    bool start() override { return cannotStart(reason()); }
    QStringList runningApplications() const override { return {}; }
};

FocusSession::Facts sessionFacts() {
    FocusSession::Facts facts;
    facts.session = DesktopSession::fromEnvironment();
    // Services are asked only where the session names them.
    facts.kwinAnswers = FocusSession::isKde(facts.session) && KWinFocusWatch::answersOnSessionBus();
    facts.toplevelListOffered = FocusSession::isWayland(facts.session) && !facts.kwinAnswers &&
                                WlrFocusWatch::offeredBySession();
    return facts;
}

// What a Wayland desktop that does not tell is called in the sentence for the user.
QString desktopName(const FocusSession::Facts &facts) {
    // "ubuntu:GNOME": the desktop comes last.
    const QString last = facts.session.currentDesktop.section(u':', -1);
    return last.isEmpty() ? QStringLiteral("This desktop") : last;
}

} // namespace

std::unique_ptr<FocusWatch> FocusWatch::create(QObject *parent) {
    using FocusSession::Backend;
    const FocusSession::Facts facts = sessionFacts();
    switch (FocusSession::choose(facts)) {
    case Backend::KWin:
        return std::make_unique<KWinFocusWatch>(parent);
    case Backend::Wlroots:
        return std::make_unique<WlrFocusWatch>(parent);
    case Backend::X11:
        return std::make_unique<X11FocusWatch>(parent);
    case Backend::XWaylandOnly:
        return std::make_unique<X11FocusWatch>(
            parent, tr("%1 on Wayland does not tell other programs which application has the "
                       "focus: only X11 applications (running through XWayland) are followed.")
                        .arg(desktopName(facts)));
    case Backend::None:
        break;
    }
    return std::make_unique<NoFocusWatch>(
        parent, FocusSession::isWayland(facts.session)
                    ? tr("%1 on Wayland does not tell other programs which application has the "
                         "focus: profiles cannot follow the application.")
                          .arg(desktopName(facts))
                    : tr("No desktop session was found (neither WAYLAND_DISPLAY nor DISPLAY is "
                         "set): profiles cannot follow the application."));
}
