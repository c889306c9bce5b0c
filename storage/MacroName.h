#pragma once

#include <QString>

// Macro names come from users and become file names in the macro folder; a name that could
// point anywhere else is refused.
class MacroName {
public:
    // False for an empty name, a path separator, "..", or a control character.
    static bool isValid(const QString &name);
};
