#include "DataFolder.h"

#include "InstallLayout.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

DataFolder::Choice DataFolder::choose(const QString &besideModules, const QString &factoryModules,
                                      const QString &userBase) {
    const QFileInfo beside(besideModules);
    if (beside.isDir() && beside.isWritable())
        return {beside.absolutePath(), {}};
    const QString modules = userBase + QStringLiteral("/modules");
    return {userBase, fillMissing(factoryModules, modules)};
}

QString DataFolder::userBase() {
    // The XDG rules ignore a relative XDG_DATA_HOME.
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/q7config"));
}

DataFolder::Choice DataFolder::enter() {
    const InstallLayout layout;
    Choice choice = choose(layout.besideModules(), layout.factoryModules(), userBase());
    if (!QDir::setCurrent(choice.base) && choice.error.isEmpty())
        choice.error = QStringLiteral("Cannot enter the data folder %1.").arg(choice.base);
    return choice;
}

QString DataFolder::fillMissing(const QString &factory, const QString &target) {
    if (!QFileInfo(factory).isDir())
        return QStringLiteral("The factory data folder %1 is missing; the program is not "
                              "installed completely.")
            .arg(factory);
    if (!QDir().mkpath(target))
        return QStringLiteral("Cannot create the data folder %1.").arg(target);

    const QDir from(factory);
    QDirIterator entries(factory, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString copy = target + QLatin1Char('/') + from.relativeFilePath(entry.filePath());
        if (entry.isDir()) {
            if (!QDir().mkpath(copy))
                return QStringLiteral("Cannot create the folder %1.").arg(copy);
            continue;
        }
        const QFileInfo existing(copy);
        if (existing.exists() || existing.isSymLink())
            continue;
        // Written whole or not at all, with this user's own permissions rather than the
        // read-only ones of the factory file.
        QFile source(entry.filePath());
        QSaveFile written(copy);
        if (!source.open(QIODevice::ReadOnly) || !written.open(QIODevice::WriteOnly) ||
            written.write(source.readAll()) != source.size() || !written.commit())
            return QStringLiteral("Cannot copy %1 to %2.").arg(entry.filePath(), copy);
    }
    return {};
}
