#include "ArgumentMaker.h"

#include "MacroLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QMetaType>

namespace {

constexpr double BrokenShare = 0.25;
const QStringList KeyNames{"A",     "B",   "Z",    "1",    "L Ctrl", "R Shift", "Space",    "Enter",
                           "KP 7 ", "F12", "MS-L", "MS-R", "MS-M",   "Esc",     "not a key"};
const QStringList Languages{"031000", "025044", "025208", "999999", "../../etc"};
const QStringList BadNames{"", "../outside", "a/b", ".hidden", "tab\there", "back\\slash"};

QString json(const QJsonValue &v) {
    const QByteArray text = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

} // namespace

QString ArgumentMaker::make(const QString &slot, int typeId, const QString &name,
                            const QStringList &macros) {
    m_broken = chance(BrokenShare);
    return m_broken ? broken(typeId, name) : valid(slot, typeId, name, macros);
}

QString ArgumentMaker::numbers(int count, int low, int high) {
    QJsonArray list;
    for (int i = 0; i < count; ++i)
        list.append(between(low, high));
    return json(list);
}

QString ArgumentMaker::macroLines() {
    QJsonArray lines;
    const int count = between(0, 60);
    for (int i = 0; i < count; ++i) {
        const int kind = between(0, 2);
        if (kind == 2)
            lines.append(MacroLine::make(QString::number(between(1, chance(0.1) ? 200000 : 3000)),
                                         MacroLine::Kind::Delay));
        else
            lines.append(MacroLine::make(KeyNames.at(between(0, int(KeyNames.size()) - 1)),
                                         kind ? MacroLine::Kind::Release : MacroLine::Kind::Press));
    }
    return json(lines);
}

QString ArgumentMaker::keyTable() {
    QJsonArray table;
    for (int key = 0; key < 16; ++key) {
        // Mostly keeps a left button, as the page insists.
        const bool left = key == 0 && chance(0.9);
        table.append(left ? 1 : between(0, 12));
        table.append(left ? 0 : between(0, 255));
        table.append(left ? 0xF0 : between(0, 255));
        table.append(left ? 0 : between(0, 6));
    }
    return json(table);
}

QString ArgumentMaker::valid(const QString &slot, int typeId, const QString &name,
                             const QStringList &macros) {
    if (name == QLatin1String("src64"))
        return keyTable();
    if (name == QLatin1String("src24"))
        return chance(0.3) ? numbers(8, 0, 15) : numbers(24, 0, 255);
    if (name == QLatin1String("src512"))
        return numbers(512, 0, 255);
    if (name == QLatin1String("src21"))
        return numbers(21, 0, 255);
    if (name == QLatin1String("src8"))
        return numbers(8, 0, 255);
    if (name == QLatin1String("valueForIndex"))
        return numbers(8, 0, 65535);
    if (name == QLatin1String("configs"))
        return numbers(between(3, 4), 0, 255);
    if (name == QLatin1String("config"))
        return json(QJsonArray{between(-1, 12), between(0, 9)});
    if (name == QLatin1String("gunData") && slot == QLatin1String("saveSelGundata"))
        return numbers(4, 0, 255);
    if (name == QLatin1String("gunData")) {
        QJsonArray values;
        const int weapons = between(0, 12);
        for (int w = 0; w < weapons; ++w) {
            values.append(QStringLiteral("GUN %1").arg(w));
            for (int i = 0; i < 6; ++i)
                values.append(between(0, 255));
        }
        return json(values);
    }
    if (name == QLatin1String("apConfigs")) {
        QJsonArray items;
        const int count = between(0, 12);
        for (int i = 0; i < count; ++i)
            items.append(chance(0.5) ? QJsonValue(between(0, 3)) : QJsonValue(chance(0.5)));
        return json(items);
    }
    if (name == QLatin1String("macros"))
        return macroLines();
    if ((name == QLatin1String("name") || name == QLatin1String("oldName")) && !macros.isEmpty() &&
        chance(0.8))
        return json(macros.at(between(0, int(macros.size()) - 1)));
    if (name.endsWith(QLatin1String("ame")))
        return json(QStringLiteral("Soak %1").arg(++m_newNames % 40));
    if (name == QLatin1String("langCode"))
        return json(Languages.at(between(0, int(Languages.size()) - 1)));
    if (name == QLatin1String("macroId"))
        return QString::number(between(1, 12));
    if (name == QLatin1String("dpiStage"))
        return QString::number(between(1, 8));
    if (name == QLatin1String("profile"))
        return QString::number(between(0, 9));
    if (name == QLatin1String("type"))
        return QString::number(between(0, 2));
    if (name == QLatin1String("gameNo") || name == QLatin1String("selGun") ||
        name == QLatin1String("fireKey"))
        return QString::number(between(0, 2));

    switch (typeId) {
    case QMetaType::Bool:
        return chance(0.5) ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::UChar:
        return QString::number(between(0, chance(0.5) ? 10 : 255));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::QVariant:
        return QString::number(between(0, 10));
    case QMetaType::QString:
        return json(QStringLiteral("text %1").arg(between(0, 99)));
    case QMetaType::QStringList:
        return macroLines();
    case QMetaType::QVariantList:
        return numbers(between(0, 8), 0, 255);
    }
    return QStringLiteral("0");
}

QString ArgumentMaker::broken(int typeId, const QString &name) {
    switch (between(0, 5)) {
    case 0:
        return QStringLiteral("{\"not\": ");
    case 1:
        return json(BadNames.at(between(0, int(BadNames.size()) - 1)));
    case 2:
        return QString::number(chance(0.5) ? -1 : 256 + between(0, 70000));
    case 3:
        return QStringLiteral("1.5");
    case 4:
        return name.startsWith(QLatin1String("src")) ? numbers(between(0, 600), -2, 300)
                                                     : numbers(between(0, 3), 0, 9);
    }
    return typeId == QMetaType::Bool ? QStringLiteral("\"yes\"") : QStringLiteral("null");
}
