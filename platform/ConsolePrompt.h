#pragma once

#include "UserPrompt.h"

// Answers on the terminal: warnings go to standard error, confirmations take the answer given at
// construction, and file dialogs return the names queued with queueFileName().
class ConsolePrompt : public UserPrompt {
public:
    explicit ConsolePrompt(bool answerYes) : m_answerYes(answerYes) {}

    void warning(const QString &title, const QString &text) override;
    bool confirm(const QString &title, const QString &text) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;

    void queueFileName(const QString &path) { m_fileNames.append(path); }
    int warningCount() const { return m_warnings; }

private:
    QString nextFileName(const QString &caption);

    bool m_answerYes;
    QStringList m_fileNames;
    int m_warnings = 0;
};
