#include "AppIdentity.h"

#include <QApplication>
#include <QIcon>
#include <QString>

QString AppIdentity::desktopFileName() {
    return QStringLiteral(Q7_APP_ID);
}

QString AppIdentity::iconResource() {
    return QStringLiteral(":/icons/q7config.svg");
}

void AppIdentity::apply() {
    QGuiApplication::setDesktopFileName(desktopFileName());
    QApplication::setWindowIcon(QIcon(iconResource()));
}
