#pragma once

#include <QString>
#include <QStringList>

// Every modal question or warning the program asks goes through here, so that the window shows
// boxes and dialogs while q7ctl and the tests answer them without one.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    virtual void warning(const QString &title, const QString &text) = 0;
    // true for "OK", false for "Cancel".
    virtual bool confirm(const QString &title, const QString &text) = 0;
    // An empty result means the user cancelled.
    virtual QString openFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;

    // The process-wide prompt; a warning-only console prompt until someone installs another.
    static UserPrompt &current();
    // Does not take ownership; pass nullptr to go back to the default.
    static void install(UserPrompt *prompt);
};
