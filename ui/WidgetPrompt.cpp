#include "WidgetPrompt.h"

#include <QDebug>
#include <QFileDialog>
#include <QMessageBox>

void WidgetPrompt::warning(const QString &title, const QString &text) {
    // Also where q7ctl writes it: a box that comes before the window (no mouse, no access)
    // is easily missed, and the terminal or the journal still tells why the program ended.
    qWarning().noquote() << title + QStringLiteral(": ") + text;
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
