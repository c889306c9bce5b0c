#include "RecoilStore.h"

#include "SettingsList.h"
#include "StoragePaths.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {
QString weaponKey(int k) {
    return QStringLiteral("gunData/%1").arg(k);
}
} // namespace

QString RecoilStore::gameFile(const QVariant &gameNo) {
    // The game number becomes part of a file name: only plain numbers are taken.
    bool isNumber = false;
    const uint game = gameNo.toString().toUInt(&isNumber);
    if (!isNumber)
        return {};
    const QString path = StoragePaths::gunData(QString::number(game));
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
    // A short list writes the weapons it has; the last one may be partial.
    for (int k = 0; k < weaponsPerGame && k * valuesPerWeapon < gunData.size(); ++k)
        file.setValue(weaponKey(k), gunData.mid(k * valuesPerWeapon, valuesPerWeapon));
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
    QSettings(path, QSettings::IniFormat).setValue(weaponKey(selGun.toInt()), gunData);
}

QVariantList RecoilStore::getSelGundata(const QVariant &selGun) const {
    const QString path = selectionFile();
    if (path.isEmpty())
        return {};
    return SettingsList::read(QSettings(path, QSettings::IniFormat), weaponKey(selGun.toInt()));
}
