#pragma once

#include <QString>

// Language file names carry Qt 4's QLocale numbers, which Qt 6 renumbered; these map the old
// numbers to today's names.
class LocaleNames {
public:
    // English name of Qt 4 language number, empty when the number is unknown.
    static QString languageName(uint qt4Language);
    // English name of Qt 4 country number, empty when the number is unknown or 0.
    static QString countryName(uint qt4Country);
};
