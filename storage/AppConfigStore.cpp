#include "AppConfigStore.h"

#include "LanguageStore.h"
#include "SettingsFiles.h"
#include "SettingsList.h"
#include "StoragePaths.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

const QString totalKey = QStringLiteral("common/total");
const QString itemPrefix = QStringLiteral("common/");
const QString titleKey = QStringLiteral("common/name");
const QString productNamesKey = QStringLiteral("common/product_name");
const QString deviceCodePrefix = QStringLiteral("common/sCode");
const QString colorMaxStageKey = QStringLiteral("Q7/colorMaxStage");
const QString defaultDeviceCode = QStringLiteral("274951");

QString tr(const char *text) {
    return QCoreApplication::translate("AppConfigStore", text);
}

} // namespace

AppConfigStore::AppConfigStore(SettingsFiles &files, const LanguageStore &languages)
    : m_files(files), m_languages(languages) {}

void AppConfigStore::saveApConfig(const QVariantList &apConfigs) {
    // Items beyond a shorter list stay in the file; "common/total" says how many count.
    QSettings &config = m_files.appConfig();
    config.setValue(totalKey, apConfigs.size());
    for (qsizetype i = 0; i < apConfigs.size(); ++i)
        config.setValue(itemPrefix + QString::number(i), apConfigs.at(i));
}

QVariantList AppConfigStore::loadApConfig() {
    const QSettings &config = m_files.appConfig();
    const int total = config.value(totalKey, 0).toInt();
    QVariantList items;
    for (int i = 0; i < total; ++i)
        items.append(config.value(itemPrefix + QString::number(i), 0));
    return items;
}

QVariantList AppConfigStore::loadDeviceApConfig() {
    return {m_files.appConfig().value(colorMaxStageKey, defaultColorMaxStage).toInt()};
}

void AppConfigStore::resetApconfig() {
    QString error;
    if (!m_files.replaceAppConfig(StoragePaths::factoryAppConfig, &error))
        UserPrompt::current().warning(tr("Reset"),
                                      tr("The settings were kept as they are.\n%1").arg(error));
}

bool AppConfigStore::getIsSkinShow() const {
    const QDir skins(StoragePaths::skinDir);
    return skins.exists() && skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() > 1;
}

QString AppConfigStore::getCustomFilePath() {
    const QString path = UserPrompt::current().openFileName(
        tr("Open File"), QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        tr("Image Files(*.png)"));
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        UserPrompt::current().warning(m_languages.message(2), m_languages.message(3) + path);
        return {};
    }
    return path;
}

QString AppConfigStore::windowTitle() {
    const QSettings config(StoragePaths::appConfig, QSettings::IniFormat);
    return config.value(titleKey, QString()).toString();
}

QString AppConfigStore::productName(int record) {
    const QVariantList names = SettingsList::read(m_files.appConfig(), productNamesKey);
    return record >= 0 && record < names.size() ? names.at(record).toString() : QString();
}

QString AppConfigStore::deviceCode(int deviceIndex) {
    if (deviceIndex != 0 && deviceIndex != 1)
        return {};
    return m_files.appConfig()
        .value(deviceCodePrefix + QString::number(deviceIndex), defaultDeviceCode)
        .toString();
}
