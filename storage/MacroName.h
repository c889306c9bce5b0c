#pragma once

#include <QString>

// Macro names come from users and become file names in the macro folder; a name that could
// point anywhere else, hide from the list or not fit the file system is refused.
class MacroName {
public:
    // False for an empty name, a leading dot, a path separator, a control character, or a name
    // whose file name would be longer than file systems take.
    static bool isValid(const QString &name);

    static constexpr int maximumFileNameBytes = 250;
};
