#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The language files in ./modules/i18n/: which exist, the interface strings of one, the names of
// the mouse's key positions, and the six message texts the native boxes use.
class LanguageStore {
public:
    static constexpr int messageCount = 6;
    static constexpr int mouseKeyPositions = 16;

    // Display name ("ENGLISH", "CHINESE (Simp)", …) → six-digit code.
    QVariantMap chkLanguages() const;
    // Font family, then strings 1 … N; also replaces the message list.
    QStringList getGlobalStrings(const QString &langCode);
    QStringList getProductLayoutStrings_Q7(const QString &langCode) const;

    // Message i of the language last loaded; empty before the first load or when out of range.
    QString message(int index) const;

    // Display name for a code as chkLanguages shows it.
    static QString displayName(const QString &code);

private:
    QStringList m_messages;
};
