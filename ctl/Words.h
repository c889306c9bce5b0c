#pragma once

#include "SlotCall.h"

#include <QStringList>

#include <optional>

class MouseActions;

// q7ctl's words: each checked for its form before anything is opened, then run through the
// actions (or, for "call", the slot caller), printing the value on standard output and what
// the user must know on standard error. The exit code is the outcome's.
class Words {
public:
    enum Exit { Ok = 0, Usage = 2, Absent = 3, Busy = 4, Failed = 5 };

    static const QStringList &all();
    // Why the words cannot be run, with what is accepted; nothing when their form is right.
    static std::optional<QString> usageError(const QStringList &words);
    // The words with every FILE argument made absolute (the working folder changes later).
    static QStringList withAbsoluteFiles(QStringList words);

    Words(SlotCaller &caller, MouseActions &actions) : m_caller(caller), m_actions(actions) {}
    int run(const QStringList &words, bool confirmed, bool json);

    static int exitCode(SlotOutcome::Status status);

private:
    SlotOutcome runWord(const QStringList &words, bool confirmed);
    static void print(const QStringList &words, const SlotOutcome &outcome, bool json);

    SlotCaller &m_caller;
    MouseActions &m_actions;
};
