#include "MacroName.h"

#include "StoragePaths.h"

bool MacroName::isValid(const QString &name) {
    // The list leaves out hidden files: a name with a leading dot would vanish from it.
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    if ((name + StoragePaths::macroSuffix).toUtf8().size() > maximumFileNameBytes)
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
