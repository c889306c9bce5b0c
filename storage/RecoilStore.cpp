#include "RecoilStore.h"

#include "SettingsList.h"
#include "StorageFailures.h"
#include "StoragePaths.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {
QString weaponKey(int k) {
    return QStringLiteral("gunData/%1").arg(k);
}

// What the press-gun page starts with for weapon k of a game.
QVariantList defaultWeapon(uint game, int k) {
    static const QStringList firstGameNames{QStringLiteral("VECTOR"), QStringLiteral("MICRO"),
                                            QStringLiteral("TMX"),    QStringLiteral("UNP9"),
                                            QStringLiteral("AKM"),    QStringLiteral("M16A4"),
                                            QStringLiteral("Mini14"), QStringLiteral("SCAR-L")};
    const QString name = game == 0 ? firstGameNames.value(k) : QString();
    const int index = std::min(k, 3);
    const int yOffset = k < 3 ? 5 + k : 7;
    return {name, index, 0, yOffset, 1, 1, 1};
}
} // namespace

RecoilStore::RecoilStore(StorageFailures &failures) : m_failures(failures) {}

std::optional<uint> RecoilStore::gameNumber(const QVariant &gameNo) {
    // The game number becomes part of a file name: only plain numbers are taken.
    bool isNumber = false;
    const uint game = gameNo.toString().toUInt(&isNumber);
    return isNumber ? std::optional<uint>(game) : std::nullopt;
}

QString RecoilStore::gameFile(const QVariant &gameNo) {
    const std::optional<uint> game = gameNumber(gameNo);
    if (!game)
        return {};
    const QString path = StoragePaths::gunData(QString::number(*game));
    return QFileInfo(path).isFile() ? path : QString();
}

QString RecoilStore::selectionFile() {
    return QFileInfo(StoragePaths::selectedGunData).isFile() ? StoragePaths::selectedGunData
                                                             : QString();
}

void RecoilStore::saveGundata(const QVariant &gameNo, const QVariantList &gunData) {
    const QString path = gameFile(gameNo);
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    // Only whole weapons are written, or every weapon after a short one would be read off by
    // its missing values: a partial last weapon is completed with its defaults.
    for (int k = 0; k < weaponsPerGame && k * valuesPerWeapon < gunData.size(); ++k) {
        QVariantList weapon = gunData.mid(k * valuesPerWeapon, valuesPerWeapon);
        const QVariantList defaults = defaultWeapon(*gameNumber(gameNo), k);
        for (qsizetype i = weapon.size(); i < valuesPerWeapon; ++i)
            weapon.append(defaults.at(i));
        file.setValue(weaponKey(k), weapon);
    }
    m_failures.sync(file);
}

QVariantList RecoilStore::getGundata(const QVariant &gameNo) const {
    const QString path = gameFile(gameNo);
    if (path.isEmpty())
        return {};
    const QSettings file(path, QSettings::IniFormat);
    QVariantList values;
    for (int k = 0; k < weaponsPerGame; ++k)
        values.append(SettingsList::read(file, weaponKey(k)));
    return values;
}

void RecoilStore::saveSelGundata(const QVariant &selGun, const QVariantList &gunData) {
    const QString path = selectionFile();
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(weaponKey(selGun.toInt()), gunData);
    m_failures.sync(file);
}

QVariantList RecoilStore::getSelGundata(const QVariant &selGun) const {
    const QString path = selectionFile();
    if (path.isEmpty())
        return {};
    return SettingsList::read(QSettings(path, QSettings::IniFormat), weaponKey(selGun.toInt()));
}
