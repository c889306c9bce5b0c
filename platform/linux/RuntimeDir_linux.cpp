#include "RuntimeDir.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace RuntimeDir {

void ensure() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir(QDir::tempPath()).filePath(QStringLiteral("runtime-%1").arg(getuid()));
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

QString path() {
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !dir.isEmpty() && QDir(dir).exists() ? dir : QDir::tempPath();
}

} // namespace RuntimeDir
