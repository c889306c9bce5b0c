#pragma once

class QString;

// How the desktop knows the program: its desktop file (which also names it on Wayland, where
// the window's icon comes from there) and the icon drawn for it, one picture per size.
namespace AppIdentity {

QString desktopFileName();
// Call once the QApplication exists.
void apply();

} // namespace AppIdentity
