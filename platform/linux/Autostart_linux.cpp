#include "Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

QString entryPath(const QString &appId) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + appId + QStringLiteral(".desktop");
}

bool isOn(const QString &appId) {
    return QFileInfo(entryPath(appId)).isFile();
}

bool setOn(const QString &appId, const QString &program, bool on, QString *error) {
    const QString path = entryPath(appId);
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!on) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return fail(QStringLiteral("%1 could not be removed").arg(path));
        return true;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(QStringLiteral("%1 could not be made").arg(QFileInfo(path).absolutePath()));
    // Exec quoting of the desktop entry format: the path in double quotes, \ " ` $ escaped.
    QString quoted = program;
    for (const char c : {'\\', '"', '`', '$'})
        quoted.replace(QLatin1Char(c), QStringLiteral("\\") + QLatin1Char(c));
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Q7 mouse configuration\n"
                                         "Comment=Keeps the Q7's profile following the application "
                                         "in focus\n"
                                         "Exec=\"%1\" %2\n"
                                         "Icon=%3\n"
                                         "Terminal=false\n"
                                         "NoDisplay=true\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(quoted, QLatin1String(BackgroundArgument), appId);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0 || !file.commit())
        return fail(QStringLiteral("%1 could not be written").arg(path));
    return true;
}

} // namespace Autostart
