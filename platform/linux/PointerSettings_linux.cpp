// The backend for the running session.
#include "DesktopSession.h"
#include "GnomePointerSettings.h"
#include "HyprlandPointerSettings.h"
#include "KdePointerSettings.h"
#include "PointerSettings.h"
#include "SwayPointerSettings.h"
#include "X11PointerSettings.h"

namespace {

// A session whose desktop we cannot set the pointer on: every setting is refused with the reason.
class UnknownDesktop : public PointerSettings {
public:
    explicit UnknownDesktop(const DesktopSession::Facts &facts)
        : m_reason(QStringLiteral("no desktop we can set the pointer on was found "
                                  "(XDG_CURRENT_DESKTOP=\"%1\", XDG_SESSION_TYPE=\"%2\")")
                       .arg(facts.currentDesktop, facts.sessionType)) {}

    QString desktop() const override { return QStringLiteral("this session"); }
    bool takes(Setting) const override { return false; }
    bool setSpeed(int) override { return fail(m_reason); }
    bool setAcceleration(bool) override { return fail(m_reason); }
    std::optional<bool> acceleration() override {
        fail(m_reason);
        return std::nullopt;
    }
    bool setDoubleClickTime(int) override { return fail(m_reason); }
    bool setWheelLines(int) override { return fail(m_reason); }

private:
    QString m_reason;
};

} // namespace

std::unique_ptr<PointerSettings> PointerSettings::forSession(Device mouse) {
    using DesktopSession::Desktop;
    const DesktopSession::Facts facts = DesktopSession::probe();
    switch (DesktopSession::choose(facts)) {
    case Desktop::Gnome:
        return std::make_unique<GnomePointerSettings>();
    case Desktop::Kde: {
        // Plasma on X11: KWin has no input devices there; the X server's device is set instead.
        std::unique_ptr<PointerSettings> x11;
        if (facts.sessionType.compare(QLatin1String("x11"), Qt::CaseInsensitive) == 0)
            x11 = std::make_unique<X11PointerSettings>(mouse);
        return std::make_unique<KdePointerSettings>(mouse, KdePointerSettings::userConfigFolder(),
                                                    std::move(x11));
    }
    case Desktop::Sway:
        return std::make_unique<SwayPointerSettings>(SwayIpc::sessionSocket(), mouse);
    case Desktop::Hyprland:
        return std::make_unique<HyprlandPointerSettings>(HyprlandPointerSettings::sessionSocket());
    case Desktop::X11:
        return std::make_unique<X11PointerSettings>(mouse);
    case Desktop::None:
        break;
    }
    return std::make_unique<UnknownDesktop>(facts);
}
