#pragma once

#include <QString>

// Every file the program keeps lives under ./modules/, relative to the current directory, which
// start-up makes the executable's folder.
namespace StoragePaths {

inline const QString settingDir = QStringLiteral("./modules/setting/");
inline const QString appConfig = QStringLiteral("./modules/setting/apConfig.bin");
inline const QString factoryAppConfig = QStringLiteral("./modules/setting/apConfigD.bin");
inline const QString factoryProfile = QStringLiteral("./modules/setting/pD.bin");
inline const QString macroDir = QStringLiteral("./modules/macro/");
inline const QString macroSuffix = QStringLiteral(".bin");
inline const QString gunDir = QStringLiteral("./modules/gun/");
inline const QString selectedGunData = QStringLiteral("./modules/gun/selGunData.bin");
inline const QString languageDir = QStringLiteral("./modules/i18n/");
inline const QString skinDir = QStringLiteral("./modules/img");

// index 0 … 9 is p1.bin … p10.bin
inline QString profile(int index) {
    return settingDir + QStringLiteral("p%1.bin").arg(index + 1);
}

inline QString macro(const QString &name) {
    return macroDir + name + macroSuffix;
}

inline QString gunData(const QString &gameNo) {
    return gunDir + QStringLiteral("gunData") + gameNo + QStringLiteral(".bin");
}

inline QString language(const QString &code) {
    return languageDir + QStringLiteral("lang_") + code + QStringLiteral(".ini");
}

} // namespace StoragePaths
