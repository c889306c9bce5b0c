#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// What each public slot of the view accepts: list lengths, ranges, names that must exist and the
// device it applies to. q7ctl checks a call against it before anything is sent or stored; the QML
// never needs it, because the pages only pass values from their own controls.
namespace SlotDomains {

struct Context {
    int deviceType = -1;    // 0 keyboard, 1 mouse
    QStringList macroNames; // the macros that exist
    bool confirmed = false; // the caller answered the safety questions with OK
    QStringList files;      // what the slot's file dialogs answer, in order
};

// Why the call is refused ("argument 2 (src64): ..."), or nothing when it is in its domain.
// Slots not in the table are refused: a new slot must say what it accepts.
std::optional<QString> check(const QString &slot, const QVariantList &args, const Context &context,
                             const QStringList &parameterNames = {});

// One line per parameter with a domain, for "q7ctl slots"; empty when there is nothing to say.
QStringList describe(const QString &slot, const QStringList &parameterNames);

bool isKnown(const QString &slot);

// The parameters (numbered from 1) that only their type limits. A slot that sends or stores must
// have none: whatever a caller gives it would reach the device or a file.
QStringList parametersWithoutDomain(const QString &slot, int parameterCount);

// The mouse's left click (function type 1, button 0xF0): a key table without one leaves the
// user without a left button.
bool keepsLeftButton(const QVariantList &src64);

} // namespace SlotDomains
