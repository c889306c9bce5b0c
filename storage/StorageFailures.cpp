#include "StorageFailures.h"

#include "UserPrompt.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("StorageFailures", text);
}
} // namespace

bool StorageFailures::sync(QSettings &settings, const QString &file) {
    settings.sync();
    // QSettings keeps an error once it has one; a file reports at most once anyway.
    if (settings.status() == QSettings::NoError)
        return true;
    const QString name = file.isEmpty() ? settings.fileName() : file;
    report(name, settings.status() == QSettings::FormatError
                     ? tr("it is damaged and was left as it is")
                     : causeOf(name));
    return false;
}

void StorageFailures::report(const QString &file, const QString &cause) {
    if (m_files.contains(file))
        return;
    m_files.insert(file);
    const QString message = tr("%1 could not be saved: %2. Your changes to it are kept only "
                               "until the program ends.")
                                .arg(file, cause);
    m_messages.append(message);
    UserPrompt::current().warning(tr("Save"), message);
}

QString StorageFailures::causeOf(const QString &file) {
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        return tr("it is not a regular file");
    if (info.isSymLink() && !info.exists())
        return tr("it is a link to nothing");
    if (info.exists() && !info.isWritable())
        return tr("it is read-only");
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return tr("its folder is missing");
    if (!folder.isWritable())
        return tr("its folder is read-only");
    return tr("writing failed (the disk may be full)");
}
