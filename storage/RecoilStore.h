#pragma once

#include <QVariant>
#include <QVariantList>

#include <optional>

class StorageFailures;

// The press-gun page's tables in ./modules/gun/: twelve weapons per game in gunData<game>.bin
// and one record per fire key in selGunData.bin. The files ship with the program; a missing one
// is never created.
class RecoilStore {
public:
    // A file that cannot be written is reported to failures.
    explicit RecoilStore(StorageFailures &failures);

    static constexpr int weaponsPerGame = 12;
    static constexpr int valuesPerWeapon = 7;

    void saveGundata(const QVariant &gameNo, const QVariantList &gunData);
    void saveSelGundata(const QVariant &selGun, const QVariantList &gunData);
    QVariantList getGundata(const QVariant &gameNo) const;
    QVariantList getSelGundata(const QVariant &selGun) const;

private:
    static std::optional<uint> gameNumber(const QVariant &gameNo);
    // The file of a game given as a non-negative number that exists; empty otherwise.
    static QString gameFile(const QVariant &gameNo);
    static QString selectionFile();

    StorageFailures &m_failures;
};
