#include "KeyFunctionNames.h"

#include "KeyNameMap.h"
#include "LanguageStore.h"
#include "PageLogic.h"

#include <QRegularExpression>

namespace {
const QString EnglishCode = QStringLiteral("031000");
const QString RawPrefix = QStringLiteral("raw:");
const QString KeyPrefix = QStringLiteral("key:");
constexpr int FirstModifierUsage = 0xE0;
constexpr int FirstMouseUsage = 0xF0; // the key-name map's mouse buttons: no keyboard records

KeyFunctionNames::Record recordOf(const QVariantList &list) {
    KeyFunctionNames::Record r{};
    for (int i = 0; i < 4; ++i)
        r[size_t(i)] = list.value(i).toInt() & 0xff;
    return r;
}
} // namespace

KeyFunctionNames::KeyFunctionNames(const PageLogic &logic) {
    using Lib = PageLogic::Library;
    // A store of our own: loading strings into the view's would change its message language.
    LanguageStore languages;
    QStringList codes{EnglishCode};
    for (const QVariant &code : languages.chkLanguages())
        if (!codes.contains(code.toString()))
            codes.append(code.toString());
    for (const QString &code : codes) {
        std::array<QString, KeyCount> names;
        const QStringList layout = languages.getProductLayoutStrings_Q7(code);
        for (int k = 0; k < KeyCount; ++k)
            names[size_t(k)] = layout.value(k);
        m_keyNames.append(names);
    }

    const QStringList strings = languages.getGlobalStrings(EnglishCode);
    const QVariantList mouse = PageLogic::toList(logic.value(Lib::Keys, "mouseEntries"));
    for (const QVariant &v : mouse) {
        const QVariantMap entry = v.toMap();
        const QString text = entry.contains(QStringLiteral("text"))
                                 ? entry.value(QStringLiteral("text")).toString()
                                 : strings.value(entry.value(QStringLiteral("string")).toInt());
        m_functions.append({text, recordOf(entry.value(QStringLiteral("record")).toList())});
    }
    const int firstMedia = logic.value(Lib::Keys, "firstMediaString").toInt();
    const int mediaCount = int(PageLogic::toList(logic.value(Lib::Keys, "mediaUsages")).size());
    for (int j = 0; j < mediaCount; ++j)
        m_functions.append(
            {strings.value(firstMedia + j),
             recordOf(PageLogic::toList(logic.call(Lib::Keys, "mediaRecord", {j})))});
    const auto &usages = KeyNameMap::instance().usages();
    for (auto it = usages.cbegin(); it != usages.cend(); ++it)
        if (it.value() < FirstMouseUsage)
            m_functions.append({it.key().trimmed(),
                                recordOf(PageLogic::toList(
                                    logic.call(Lib::Keys, "keyboardRecord", {int(it.value())})))});
    // Modifiers and plain keys in usage order, so lists read well.
    std::stable_sort(
        m_functions.begin() + mouse.size() + mediaCount, m_functions.end(),
        [](const Function &a, const Function &b) {
            return (a.record[2] >= FirstModifierUsage) < (b.record[2] >= FirstModifierUsage) ||
                   ((a.record[2] >= FirstModifierUsage) == (b.record[2] >= FirstModifierUsage) &&
                    a.record[2] < b.record[2]);
        });
    m_functions.prepend({QStringLiteral("NONE"), Record{}});
}

QString KeyFunctionNames::normalised(const QString &text) {
    static const QRegularExpression joiner(QStringLiteral("(?<=\\w)[\\s_-]+(?=\\w)"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return QString(text).replace(joiner, QString()).remove(space).toUpper();
}

// By hand rather than by regular expression: the bus service names every effect when it starts,
// and this keeps PCRE and its JIT out of the program's start. Word and space characters are
// ASCII, as \\w and \\s are without Unicode properties.
QString KeyFunctionNames::wordOf(const QString &text) {
    const auto isWord = [](QChar c) {
        return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'_');
    };
    const auto isSpace = [](QChar c) {
        return c == u' ' || (c.unicode() >= u'\t' && c.unicode() <= u'\r');
    };
    const QString trimmed = text.trimmed();
    QString word;
    word.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size();) {
        if (!isSpace(trimmed[i])) {
            word.append(trimmed[i++]);
            continue;
        }
        // A run of spaces between two words becomes one hyphen; any other run goes.
        const qsizetype start = i;
        while (i < trimmed.size() && isSpace(trimmed[i]))
            ++i;
        if (start > 0 && i < trimmed.size() && isWord(trimmed[start - 1]) && isWord(trimmed[i]))
            word.append(u'-');
    }
    return word.toLower();
}

std::optional<int> KeyFunctionNames::key(const QString &name) const {
    bool isNumber = false;
    const int n = name.toInt(&isNumber);
    if (isNumber)
        return n >= 1 && n <= KeyCount && !keyName(n - 1).isEmpty() ? std::optional<int>(n - 1)
                                                                    : std::nullopt;
    const QString wanted = normalised(name);
    for (const auto &names : m_keyNames)
        for (int k = 0; k < KeyCount; ++k)
            if (!names[size_t(k)].isEmpty() && normalised(names[size_t(k)]) == wanted)
                return k;
    return std::nullopt;
}

QString KeyFunctionNames::keyName(int index) const {
    if (index < 0 || index >= KeyCount || m_keyNames.isEmpty())
        return {};
    return wordOf(m_keyNames.first()[size_t(index)]);
}

QStringList KeyFunctionNames::keyNames() const {
    QStringList names;
    for (int k = 0; k < KeyCount; ++k)
        if (!keyName(k).isEmpty())
            names.append(keyName(k));
    return names;
}

std::optional<KeyFunctionNames::Record> KeyFunctionNames::function(const QString &name) const {
    if (name.startsWith(RawPrefix, Qt::CaseInsensitive)) {
        const QStringList parts = name.mid(RawPrefix.size()).split(QLatin1Char(','));
        Record r{};
        bool fine = parts.size() == 4;
        for (int i = 0; fine && i < 4; ++i) {
            const int b = parts[i].trimmed().toInt(&fine);
            fine = fine && b >= 0 && b <= 255;
            r[size_t(i)] = b;
        }
        return fine ? std::optional<Record>(r) : std::nullopt;
    }
    const bool keyboardOnly = name.startsWith(KeyPrefix, Qt::CaseInsensitive);
    const QString wanted = normalised(keyboardOnly ? name.mid(KeyPrefix.size()) : name);
    for (const Function &f : m_functions)
        if ((!keyboardOnly || f.record[0] == 0) && normalised(f.name) == wanted)
            return f.record;
    return std::nullopt;
}

QString KeyFunctionNames::functionName(const Record &record) const {
    for (const Function &f : m_functions)
        if (f.record == record)
            return wordOf(f.name);
    return RawPrefix + QStringLiteral("%1,%2,%3,%4")
                           .arg(record[0])
                           .arg(record[1])
                           .arg(record[2])
                           .arg(record[3]);
}

QStringList KeyFunctionNames::functionExamples() const {
    QStringList names;
    for (const Function &f : m_functions)
        if (f.record[0] != 0 || f.name == QLatin1String("NONE"))
            names.append(wordOf(f.name));
    names << QStringLiteral("a keyboard key (a, f5, l-ctrl, kp-7, …)")
          << QStringLiteral("raw:B0,B1,B2,B3");
    return names;
}
