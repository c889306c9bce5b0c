#include "DeviceTableReader.h"

#include <QSettings>

namespace DeviceTableReader {
namespace {

// Values that are not hexadecimal numbers read as 0.
uint hexValue(const QSettings &ini, const QString &key, uint fallback) {
    const QVariant value = ini.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const uint parsed = value.toString().trimmed().toUInt(&ok, 16);
    return ok ? parsed : 0;
}

} // namespace

DeviceTable read(const QString &path, const QStringList &productNames) {
    QSettings ini(path, QSettings::IniFormat);
    DeviceTable table;
    for (int n = 0; n < ini.value(QStringLiteral("common/total"), 0).toInt(); ++n) {
        const QString group = QString::number(n) + QLatin1Char('/');
        auto hex = [&](const char *key, uint fallback = 0) {
            return hexValue(ini, group + QLatin1String(key), fallback);
        };
        DeviceRecord r;
        const QVariant type = ini.value(group + QLatin1String("type"));
        r.type = type.isValid() ? int(hex("type")) : DeviceRecord::Unknown;
        r.vid = uint16_t(hex("vid"));
        r.pid = uint16_t(hex("pid"));
        r.usagePage = uint16_t(hex("usagePage"));
        r.usage = uint16_t(hex("usage"));
        r.usagePage2 = uint16_t(hex("usagePage2"));
        r.usage2 = uint16_t(hex("usage2"));
        r.reportLength = int(ini.value(group + QLatin1String("reportLength"), 0).toUInt());
        // A shorter list leaves the name empty; it only appears in the "not found" warning.
        r.productName = productNames.value(n);
        table.append(r);
    }
    return table;
}

bool isEncoded(const QString &path) {
    return QSettings(path, QSettings::IniFormat)
        .value(QStringLiteral("common/isEncode"), false)
        .toBool();
}

} // namespace DeviceTableReader
