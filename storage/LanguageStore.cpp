#include "LanguageStore.h"

#include "LocaleNames.h"
#include "RegularFile.h"
#include "SettingsList.h"
#include "StoragePaths.h"

#include <QDir>
#include <QSettings>

#include <algorithm>

namespace {

constexpr uint simplifiedChineseCountry = 44;
constexpr uint traditionalChineseCountry = 208;
const QString filePrefix = QStringLiteral("lang_");
constexpr int codeLength = 6;

// A code only ever names a regular file inside the language folder.
bool isSafeCode(const QString &code) {
    return !code.isEmpty() && !code.contains(QLatin1Char('/')) &&
           !code.contains(QLatin1Char('\\')) && !code.contains(QStringLiteral("..")) &&
           RegularFile::isUsableForSettings(StoragePaths::language(code));
}

// More strings than any page uses; a corrupt count must not make us read for ever.
constexpr int maximumStrings = 4096;

QString countrySuffix(uint country) {
    if (country == 0)
        return {};
    if (country == simplifiedChineseCountry)
        return QStringLiteral(" (Simp)");
    if (country == traditionalChineseCountry)
        return QStringLiteral(" (Trad)");
    QString name = LocaleNames::countryName(country);
    if (name.isEmpty())
        name = QStringLiteral("COUNTRY %1").arg(country);
    return QStringLiteral(" (") + name.toUpper() + QLatin1Char(')');
}

} // namespace

QString LanguageStore::displayName(const QString &code) {
    // A group that is not a number counts as 0, as for a hand-made file name.
    const uint language = code.left(3).toUInt();
    const uint country = code.mid(3, 3).toUInt();
    QString name = LocaleNames::languageName(language);
    if (name.isEmpty())
        name = QStringLiteral("LANGUAGE %1").arg(code.left(3));
    return name.toUpper() + countrySuffix(country);
}

QVariantMap LanguageStore::chkLanguages() const {
    // Matched by hand: a name filter is a regular expression, and this runs at every start.
    const QStringList files =
        QDir(StoragePaths::languageDir).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QVariantMap languages;
    for (const QString &file : files) {
        if (!file.startsWith(filePrefix, Qt::CaseInsensitive) ||
            !file.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive))
            continue;
        const QString code = file.mid(filePrefix.size(), codeLength);
        languages.insert(displayName(code), code);
    }
    return languages;
}

QStringList LanguageStore::getGlobalStrings(const QString &langCode) {
    m_messages = QStringList(messageCount);
    if (!isSafeCode(langCode))
        return {QString()};
    const QSettings language(StoragePaths::language(langCode), QSettings::IniFormat);
    QStringList strings{SettingsList::readText(language, QStringLiteral("font/family"))};
    const int claimed =
        std::min(language.value(QStringLiteral("font/total"), 0).toInt(), maximumStrings);
    // Strings are numbered from 1: indices 0 … N are one more than the N strings.
    const int total =
        SettingsList::presentCount(language, QStringLiteral("strings"), claimed + 1) - 1;
    for (int k = 1; k <= total; ++k)
        strings.append(SettingsList::readText(language, QStringLiteral("strings/%1").arg(k)));
    for (int i = 0; i < messageCount; ++i)
        m_messages[i] = SettingsList::readText(language, QStringLiteral("msg/%1").arg(i));
    return strings;
}

QStringList LanguageStore::getProductLayoutStrings_Q7(const QString &langCode) const {
    QStringList names(mouseKeyPositions);
    if (!isSafeCode(langCode))
        return names;
    const QSettings language(StoragePaths::language(langCode), QSettings::IniFormat);
    for (int k = 0; k < mouseKeyPositions; ++k)
        names[k] = SettingsList::readText(language, QStringLiteral("Q7_133C6AA/%1").arg(k));
    return names;
}

QString LanguageStore::message(int index) const {
    return m_messages.value(index);
}
