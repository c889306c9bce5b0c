#include "IniFileCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

namespace {

QString tr(const char *text) {
    return QCoreApplication::translate("IniFileCheck", text);
}

bool isIniLine(const QByteArray &rawLine) {
    const QByteArray line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
        return true;
    if (line.startsWith('['))
        return line.endsWith(']');
    return line.indexOf('=') > 0;
}

} // namespace

QString IniFileCheck::problem(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tr("%1 cannot be read.").arg(path);
    if (file.size() > maximumSize)
        return tr("%1 is too large to be a settings file.").arg(path);
    const QByteArray content = file.readAll();
    file.close();
    if (content.contains('\0'))
        return tr("%1 is not a settings file.").arg(path);
    for (const QByteArray &line : content.split('\n')) {
        if (!isIniLine(line))
            return tr("%1 is not a settings file.").arg(path);
    }
    const QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return tr("%1 is not a settings file.").arg(path);
    if (settings.allKeys().isEmpty())
        return tr("%1 holds no settings.").arg(path);
    return {};
}
