#pragma once

#include <QString>

// Starting the program when the user logs in: an XDG autostart entry the user turns on, which
// starts the program without its window.
namespace Autostart {

// The entry's path (~/.config/autostart/APPID.desktop, $XDG_CONFIG_HOME honoured).
QString entryPath(const QString &appId);
bool isOn(const QString &appId);
// Writes or removes the entry; false (error says why) when that failed.
bool setOn(const QString &appId, const QString &program, bool on, QString *error = nullptr);

// What the entry starts: the program without its window.
inline constexpr char BackgroundArgument[] = "--background";

} // namespace Autostart
