#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcFocus)

// Which application has the keyboard focus, as the desktop tells it. One backend per desktop,
// chosen from the running session; each says when it cannot tell.
class FocusWatch : public QObject {
    Q_OBJECT
public:
    // The backend for the running session (XDG_CURRENT_DESKTOP, XDG_SESSION_TYPE,
    // WAYLAND_DISPLAY, DISPLAY, which services answer), never from installed files. Never null.
    static std::unique_ptr<FocusWatch> create(QObject *parent = nullptr);

    ~FocusWatch() override;

    virtual QString backendName() const = 0; // "x11", "wlroots", "kwin", "none"

    // Starts watching; false when this desktop cannot tell, with reason() a sentence for the
    // user. A watch that started may still have a reason: it then sees only part of the desktop
    // (GNOME on Wayland: only X11 applications, through XWayland). The first focusChanged comes
    // once the desktop has answered, after start() returns.
    virtual bool start() = 0;
    virtual QString reason() const { return m_reason; }

    // The app ids of the windows open now (for picking an application in the panel).
    virtual QStringList runningApplications() const = 0;

    // What focusChanged said last.
    QString focusedApplication() const { return m_focused; }

signals:
    // The focused window's application as the desktop names it (X11 WM_CLASS class part,
    // Wayland app id); empty when no window has focus. Emitted on change only.
    void focusChanged(const QString &applicationId);

protected:
    explicit FocusWatch(QObject *parent);
    // Emits focusChanged when the application differs from the last one reported. Desktops take
    // the focus from one window before they give it to the next (KWin says so in two calls): no
    // focus is reported only once it has lasted a moment, so a move between two windows is one
    // change.
    void report(const QString &applicationId);
    // start() fails: the reason is kept for reason() and said on the terminal. Returns false.
    bool cannotStart(const QString &reason);
    // The desktop stopped answering while watched: said once, and no focus is reported.
    void lost(const QString &reason);
    void setReason(const QString &reason) { m_reason = reason; }

private:
    void emitChange(const QString &applicationId);

    QString m_focused;
    QString m_reason;
    QTimer m_noFocusSettle;
};
