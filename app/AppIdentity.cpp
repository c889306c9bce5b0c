#include "AppIdentity.h"

#include "PictureFile.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QString>

QString AppIdentity::desktopFileName() {
    return QStringLiteral(Q7_APP_ID);
}

void AppIdentity::apply() {
    QGuiApplication::setDesktopFileName(desktopFileName());
    // One PNG per size, rendered at build time: each size is drawn, not scaled. (No name filter:
    // its pattern would bring in the regular expression compiler.)
    QIcon icon;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString &name : folder.entryList(QDir::Files))
        icon.addPixmap(QPixmap::fromImage(PictureFile::read(folder.filePath(name))));
    QApplication::setWindowIcon(icon);
}
