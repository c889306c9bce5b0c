#include "TreeCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

bool copyTree(const QString &from, const QString &to, const QStringList &leaveOut) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = source.mid(from.size());
        if (leaveOut.contains(relative.section(QLatin1Char('/'), 1, 1)))
            continue;
        const QString target = to + relative;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            return false;
    }
    return true;
}

bool copyFreshModules(const QString &built, const QString &shipped, const QString &to) {
    const QStringList written{QStringLiteral("setting"), QStringLiteral("macro"),
                              QStringLiteral("gun")};
    if (!copyTree(built, to, written))
        return false;
    for (const QString &folder : written) {
        const QString target = to + QLatin1Char('/') + folder;
        if (!QDir().mkpath(target) || !copyTree(shipped + QLatin1Char('/') + folder, target))
            return false;
    }
    return true;
}
