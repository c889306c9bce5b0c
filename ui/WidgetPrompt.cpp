#include "WidgetPrompt.h"

#include <QFileDialog>
#include <QMessageBox>

void WidgetPrompt::warning(const QString &title, const QString &text) {
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}

bool WidgetPrompt::confirm(const QString &title, const QString &text) {
    return QMessageBox::warning(nullptr, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Ok;
}

QString WidgetPrompt::openFileName(const QString &caption, const QString &dir,
                                   const QString &filter) {
    return QFileDialog::getOpenFileName(nullptr, caption, dir, filter);
}

QString WidgetPrompt::saveFileName(const QString &caption, const QString &dir,
                                   const QString &filter) {
    return QFileDialog::getSaveFileName(nullptr, caption, dir, filter);
}
