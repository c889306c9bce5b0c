#include "SettingsList.h"

#include <algorithm>

QVariantList SettingsList::read(const QSettings &settings, const QString &key) {
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return {};
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList)
        return value.toList();
    const QString text = value.toString();
    if (text.isEmpty())
        return {};
    return {text};
}

QVariant SettingsList::elementOrZero(const QVariantList &list, qsizetype i) {
    return i >= 0 && i < list.size() ? list.at(i) : QVariant(0);
}

QString SettingsList::readText(const QSettings &settings, const QString &key,
                               const QString &fallback) {
    const QVariant value = settings.value(key, fallback);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

int SettingsList::presentCount(const QSettings &settings, const QString &group, int claimed) {
    const QString prefix = group + QLatin1Char('/');
    int highest = -1;
    for (const QString &key : settings.allKeys()) {
        if (!key.startsWith(prefix))
            continue;
        bool isNumber = false;
        const int index = key.mid(prefix.size()).toInt(&isNumber);
        if (isNumber)
            highest = std::max(highest, index);
    }
    return int(std::clamp<qint64>(claimed, 0, qint64(highest) + 1));
}
