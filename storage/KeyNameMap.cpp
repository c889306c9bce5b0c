#include "KeyNameMap.h"

#include <QCoreApplication>

namespace {

QStringList numbered(const QString &prefix, int first, int last) {
    QStringList names;
    for (int n = first; n <= last; ++n)
        names.append(prefix + QString::number(n));
    return names;
}

QStringList letters() {
    QStringList names;
    for (char c = 'A'; c <= 'Z'; ++c)
        names.append(QString(QLatin1Char(c)));
    return names;
}

// The arrows are the one group that may be translated; without a translator they stay arrows.
QString arrow(const char *utf8) {
    return QCoreApplication::translate("KeyNameMap", utf8);
}

} // namespace

const KeyNameMap &KeyNameMap::instance() {
    static const KeyNameMap map;
    return map;
}

void KeyNameMap::addRun(const QStringList &names, quint8 firstUsage) {
    quint8 usage = firstUsage;
    for (const QString &name : names)
        m_usages.insert(name, usage++);
}

KeyNameMap::KeyNameMap() {
    addRun(letters(), 0x04);
    addRun(numbered(QString(), 1, 9) << QStringLiteral("0"), 0x1E);
    addRun({"Enter", "Esc", "Back", "Tab", "Space"}, 0x28);
    addRun({"- _", "= +", "[ {", "] }", "\\ |"}, 0x2D);
    // 0x32 (the non-US hash key) has no name here.
    addRun({"; :", "' \"", "` ~", ", <", ". >", "/ ?", "Caps"}, 0x33);
    addRun(numbered(QStringLiteral("F"), 1, 12), 0x3A);
    addRun({"Prt", "Scr", "Pau", "Ins", "Hom", "PgU", "Del", "End", "PgD"}, 0x46);
    addRun({arrow("►"), arrow("◄"), arrow("▼"), arrow("▲")}, 0x4F);
    addRun({"Num", "KP /", "KP *", "KP -", "KP +", "KP Enter"}, 0x53);
    // "KP 7 " really ends with a space: the key page writes it that way.
    addRun(
        {"KP 1", "KP 2", "KP 3", "KP 4", "KP 5", "KP 6", "KP 7 ", "KP 8", "KP 9", "KP 0", "KP ."},
        0x59);
    addRun({"Eur 2", "App", "Power", "KP ="}, 0x64);
    addRun(numbered(QStringLiteral("F"), 13, 24), 0x68);
    addRun({"Keypad"}, 0x85);
    // 0x88 is spelled "Intl'2" and 0x89 "Int'l 2", as the key page spells them.
    addRun({"Int'l 1", "Intl'2", "Int'l 2", "Int'l 4", "Int'l 5"}, 0x87);
    addRun({"Lang 1", "Lang 2"}, 0x90);
    addRun({"L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl", "R Shift", "R Alt", "R Win"}, 0xE0);
    addRun({"MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"}, 0xF0);
}
