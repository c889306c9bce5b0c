#pragma once

#include <QByteArray>

class QWidget;

// Bringing the running window forward when the program is started a second time. On X11 the
// window raises and activates itself. Wayland lets a client take the focus only with a token
// from the compositor: the second start gets one (from its launcher, or asked of the
// compositor) and hands it over with its request.
namespace WindowActivation {

// The token the second start passes on: XDG_ACTIVATION_TOKEN when a launcher gave one, else on
// Wayland one asked of the compositor. Empty where none is needed or none was given.
QByteArray tokenForRunningWindow();

// Shows the window (restoring it when minimised), raises it and gives it the focus, using the
// token where the window system needs one.
void bringForward(QWidget *window, const QByteArray &token);

} // namespace WindowActivation
