#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class PageLogic;

// The mouse's keys and what a key can do, by name: keys as the key page lists them (in any
// installed language, or 1 to 16), functions as its menus name them in English (LEFT, DPI SWITCH,
// VOLUME UP, a keyboard key such as "L Ctrl"), "none", or "raw:B0,B1,B2,B3" for any record.
// Names are matched ignoring case, and spaces or hyphens inside them ("dpi-switch").
class KeyFunctionNames {
public:
    using Record = std::array<int, 4>;
    static constexpr int KeyCount = 16;

    explicit KeyFunctionNames(const PageLogic &logic);

    // The key's index (0 … 15), or nothing for a name the key page does not list.
    std::optional<int> key(const QString &name) const;
    // The listed keys' names, as given back by keyName.
    QStringList keyNames() const;
    QString keyName(int index) const; // empty for a key the page does not list

    std::optional<Record> function(const QString &name) const;
    // The name function() takes back for this record.
    QString functionName(const Record &record) const;
    // A few names for "accepted" lists.
    QStringList functionExamples() const;

    // "DPI SWITCH" -> "dpi-switch"
    static QString wordOf(const QString &text);

private:
    struct Function {
        QString name;
        Record record;
    };
    static QString normalised(const QString &text);

    QList<std::array<QString, KeyCount>> m_keyNames; // English first
    QList<Function> m_functions;                     // mouse, media, keyboard
};
