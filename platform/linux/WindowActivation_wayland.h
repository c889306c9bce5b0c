#pragma once

#include <QByteArray>

class QWindow;

// xdg-activation on Qt's own Wayland connection (Qt 6.4 offers no way to activate a window with
// a token from elsewhere).
namespace WindowActivationWayland {

// A token from the compositor for this application; empty when it gives none in time.
QByteArray requestToken();
// Asks the compositor to activate the window's surface with the token; false when it cannot be
// asked (no surface yet, no xdg-activation).
bool activate(QWindow *window, const QByteArray &token);

} // namespace WindowActivationWayland
