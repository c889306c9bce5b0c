#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

// Which window system the program talks to. Qt 6.4 starts on X11 unless the session says
// Wayland (and keeps to X11 in a GNOME Wayland session), so the program asks for Wayland itself
// when a compositor is there, keeping X11 as the fallback. QT_QPA_PLATFORM, when set, decides.
namespace DisplayServer {

// The platform list for Qt in this environment; empty when QT_QPA_PLATFORM decides or Qt's own
// choice is right.
QByteArray preferredPlatform(const QProcessEnvironment &env);

// Call before the QApplication exists, and release() right after: Qt takes the choice, the
// programs this one starts do not inherit it.
class SessionPlatform {
public:
    SessionPlatform();
    void release();

private:
    bool m_set = false;
};

// Whether the running application talks Wayland (natively, not through XWayland).
bool isWayland();

} // namespace DisplayServer
