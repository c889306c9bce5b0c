#pragma once

// Window decorations on Wayland. Qt's Wayland plugin starts OpenGL to learn whether it may draw
// decorations itself; where the scene draws in software (no graphics device) that start only
// loads Mesa and LLVM, about 50 MiB. The main window is frameless, and where the compositor
// decorates windows itself (xdg-decoration) the dialogs need none of Qt's either.
namespace WindowDecorations {

// Tells Qt to draw no decorations where the scene draws in software on Wayland and the compositor
// decorates. QT_WAYLAND_DISABLE_WINDOWDECORATION, when set, decides. Call once the QApplication
// exists and before any window shows.
void leaveToCompositor(bool softwareScene);

} // namespace WindowDecorations
