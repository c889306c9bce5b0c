#include "ProfileStore.h"

#include "FileReplacement.h"
#include "RegularFile.h"
#include "SettingsFiles.h"
#include "SettingsList.h"
#include "StoragePaths.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr int mouseKeyCount = 16;

QString tr(const char *text) {
    return QCoreApplication::translate("ProfileStore", text);
}

QString desktop() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

void appendList(QVariantList &out, const QSettings &settings, const QString &key) {
    out.append(SettingsList::read(settings, key));
}

QVariantList keyDefineDefaults(const QSettings &factory) {
    QVariantList values;
    for (int key = 0; key < mouseKeyCount; ++key)
        appendList(values, factory, QStringLiteral("keydefine_Q7/%1").arg(key));
    return values;
}

QVariantList colorDefaults(const QSettings &factory) {
    QVariantList values;
    appendList(values, factory, QStringLiteral("color_Q7/type0"));
    appendList(values, factory, QStringLiteral("color_Q7/ledEffect"));
    return values;
}

QVariantList sensorDefaults(const QSettings &factory) {
    QVariantList values;
    values.append(factory.value(QStringLiteral("sensor/reportRate_Q7"), 2).toInt());
    values.append(factory.value(QStringLiteral("sensor/cursorSpeed_Q7"), 5).toInt());
    values.append(factory.value(QStringLiteral("sensor/verticalScrollLines_Q7"), 2).toInt());
    values.append(factory.value(QStringLiteral("sensor/doubleClickSpeed_Q7"), 5).toInt());
    appendList(values, factory, QStringLiteral("sensor/dpi_Q7"));
    values.append(factory.value(QStringLiteral("sensor/stage_Q7"), 2).toInt());
    appendList(values, factory, QStringLiteral("color_Q7/type1"));
    appendList(values, factory, QStringLiteral("color_Q7/type2"));
    return values;
}

} // namespace

ProfileStore::ProfileStore(SettingsFiles &files) : m_files(files) {}

QVariantList ProfileStore::loadDefaultProfile(uchar uiPageId) {
    // Without a usable factory file every value takes its built-in default.
    const QSettings factory(RegularFile::isUsableForSettings(StoragePaths::factoryProfile)
                                ? StoragePaths::factoryProfile
                                : QString(),
                            QSettings::IniFormat);
    switch (uiPageId) {
    case keyDefinePage:
        return keyDefineDefaults(factory);
    case colorPage:
        return colorDefaults(factory);
    case sensorPage:
        return sensorDefaults(factory);
    default:
        return {};
    }
}

void ProfileStore::loadProfile(int profile) {
    if (!SettingsFiles::isProfileIndex(profile))
        return;
    const QString chosen =
        UserPrompt::current().openFileName(tr("Open File"), desktop(), tr("Profile(*.pf)"));
    if (!chosen.isEmpty())
        replaceProfile(profile, chosen);
}

void ProfileStore::saveProfile(int profile) {
    if (!SettingsFiles::isProfileIndex(profile))
        return;
    const QString chosen =
        UserPrompt::current().saveFileName(tr("Save File"), desktop(), tr("Profile(*.pf)"));
    if (chosen.isEmpty())
        return;
    // The export copies the file, so what is still only in memory has to reach it first.
    m_files.storeProfile(profile);
    FileReplacement replacement(StoragePaths::profile(profile), chosen);
    if (!replacement.prepare() || !replacement.commit())
        UserPrompt::current().warning(tr("Save File"), replacement.error());
}

void ProfileStore::resetProfile(int profile) {
    if (SettingsFiles::isProfileIndex(profile))
        replaceProfile(profile, StoragePaths::factoryProfile);
}

void ProfileStore::replaceProfile(int profile, const QString &source) {
    QString error;
    if (!m_files.replaceProfile(profile, source, &error))
        UserPrompt::current().warning(
            tr("Profile"), tr("Profile %1 was kept as it is.\n%2").arg(profile + 1).arg(error));
}
