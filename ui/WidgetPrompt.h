#pragma once

#include "UserPrompt.h"

// The window's answers: modal message boxes with no parent, and file dialogs.
class WidgetPrompt : public UserPrompt {
public:
    void warning(const QString &title, const QString &text) override;
    bool confirm(const QString &title, const QString &text) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
};
