#include "IniFileCheck.h"

#include "RegularFile.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryFile>

namespace {

// Editors write it and QSettings skips it.
const QByteArray byteOrderMark("\xEF\xBB\xBF");

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
    QString error;
    const std::optional<QByteArray> content = RegularFile::read(path, maximumSize, &error);
    return content ? problemIn(*content, path) : error;
}

QString IniFileCheck::problemIn(const QByteArray &content, const QString &name) {
    if (content.contains('\0'))
        return tr("%1 is not a settings file.").arg(name);
    const QByteArray text = content.startsWith(byteOrderMark) ? content.mid(3) : content;
    for (const QByteArray &line : text.split('\n')) {
        if (!isIniLine(line))
            return tr("%1 is not a settings file.").arg(name);
    }
    // QSettings reads only files: it parses a private copy.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(content) != content.size() || !copy.flush())
        return tr("%1 could not be checked.").arg(name);
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return tr("%1 is not a settings file.").arg(name);
    if (settings.allKeys().isEmpty())
        return tr("%1 holds no settings.").arg(name);
    return {};
}
