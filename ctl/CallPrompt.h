#pragma once

#include "UserPrompt.h"

#include <QStringList>

// Answers for the length of one slot call from outside the window: nothing is shown, warnings
// and questions become lines of the answer, confirmations take the caller's answer, and file
// dialogs take the files that came with the call.
class CallPrompt : public UserPrompt {
public:
    CallPrompt(bool answerYes, QStringList files);
    ~CallPrompt() override;
    CallPrompt(const CallPrompt &) = delete;
    CallPrompt &operator=(const CallPrompt &) = delete;

    void warning(const QString &title, const QString &text) override;
    bool confirm(const QString &title, const QString &text) override;
    QString openFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir,
                         const QString &filter) override;

    const QStringList &lines() const { return m_lines; }
    int warningCount() const { return m_warnings; }

private:
    UserPrompt *m_previous;
    bool m_answerYes;
    QStringList m_files;
    QStringList m_lines;
    int m_warnings = 0;
};
