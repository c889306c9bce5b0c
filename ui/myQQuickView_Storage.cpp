// The view's file and string slots: each hands over to its storage class.
#include "myQQuickView.h"

#include "ByteList.h"
#include "ProfileApplier.h"

namespace {
constexpr int WeaponValues = 7; // a name, then six numbers

// The recoil files give numbers back as text; the getters hand out what the setters take.
QVariantList weaponValues(const QVariantList &stored) {
    QVariantList out = stored;
    for (qsizetype i = 0; i < out.size(); ++i) {
        bool isNumber = false;
        const uint n = out.at(i).toString().toUInt(&isNumber);
        if (i % WeaponValues != 0 && isNumber)
            out[i] = n;
    }
    return out;
}
} // namespace

void myQQuickView::saveApConfig(QVariantList apConfigs) {
    m_appConfig.saveApConfig(apConfigs);
}
QVariantList myQQuickView::loadApConfig() {
    return m_appConfig.loadApConfig();
}
QVariantList myQQuickView::loadDeviceApConfig() {
    return m_appConfig.loadDeviceApConfig();
}
void myQQuickView::resetApconfig() {
    m_appConfig.resetApconfig();
}
bool myQQuickView::getIsSkinShow() {
    return m_appConfig.getIsSkinShow();
}
QString myQQuickView::getCustomFilePath() {
    return m_appConfig.getCustomFilePath();
}

QVariantList myQQuickView::loadDefaultProfile(uchar uiPageId) {
    return m_profiles.loadDefaultProfile(uiPageId);
}
void myQQuickView::loadProfile(int profile) {
    m_profiles.loadProfile(profile);
    emit settingsChanged();
}
void myQQuickView::saveProfile(int profile) {
    m_profiles.saveProfile(profile);
}
void myQQuickView::resetProfile(int profile) {
    m_profiles.resetProfile(profile);
    emit settingsChanged();
}
int myQQuickView::getCurrentProfile() {
    return m_files.currentProfileIndex();
}

void myQQuickView::applyProfile(int profile) {
    if (!SettingsFiles::isProfileIndex(profile)) {
        qWarning("applyProfile: profile %d refused (0 to 9)", profile);
        return;
    }
    ui_02H_SetCurrentProfile(profile);
    if (m_applier && currentDeviceType() == DeviceType::mouse)
        m_applier->apply(profile);
}

QVariantMap myQQuickView::chkLanguages() {
    return m_languages.chkLanguages();
}
QStringList myQQuickView::getGlobalStrings(QString langCode) {
    return m_languages.getGlobalStrings(langCode);
}
QStringList myQQuickView::getProductLayoutStrings_Q7(QString langCode) {
    return m_languages.getProductLayoutStrings_Q7(langCode);
}

QVariant myQQuickView::loadMacroIniFromFile() {
    return m_macros.loadMacroIniFromFile();
}
void myQQuickView::saveMacroIniToFile(QString name) {
    m_macros.saveMacroIniToFile(name);
}
void myQQuickView::renameMacroIniFile(QString oldName, QString newName) {
    m_macros.renameMacroIniFile(oldName, newName);
}
QVariant myQQuickView::createMacroIni() {
    return m_macros.createMacroIni();
}
QVariant myQQuickView::deleteMacroIni(QString name) {
    return m_macros.deleteMacroIni(name);
}
QStringList myQQuickView::getMacroIniNames() {
    return m_macros.getMacroIniNames();
}
QVariant myQQuickView::saveMacroIni(QString name, QStringList macros) {
    return m_macros.saveMacroIni(name, macros);
}
QStringList myQQuickView::loadMacroIni(QString name) {
    return m_macros.loadMacroIni(name);
}
QVariantList myQQuickView::loadMacroIniConfig(QString name) {
    return m_macros.loadMacroIniConfig(name);
}
void myQQuickView::setMacroIniConfig(QString name, QVariantList config) {
    m_macros.setMacroIniConfig(name, config);
}
QVariantList myQQuickView::macroIncode(QStringList macros) {
    return m_encoder.macroIncode(macros);
}

QVariantList myQQuickView::getKeydefine(QVariant matrixId) {
    return m_keyDefines.getKeydefine(matrixId);
}

void myQQuickView::saveGundata(QVariant gameNo, QVariantList gunData) {
    m_recoil.saveGundata(gameNo, gunData);
}
void myQQuickView::saveSelGundata(QVariant selGun, QVariantList gunData) {
    m_recoil.saveSelGundata(selGun, gunData);
}
QVariantList myQQuickView::getGundata(QVariant gameNo) {
    return weaponValues(m_recoil.getGundata(gameNo));
}
QVariantList myQQuickView::getSelGundata(QVariant selGun) {
    return ByteList::toUnsigned(m_recoil.getSelGundata(selGun));
}
