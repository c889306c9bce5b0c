#include "AppConfigStore.h"

#include "LanguageStore.h"
#include "RegularFile.h"
#include "SettingsFiles.h"
#include "SettingsList.h"
#include "StoragePaths.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString totalKey = QStringLiteral("common/total");
const QString itemPrefix = QStringLiteral("common/");
const QString titleKey = QStringLiteral("common/name");
const QString productNamesKey = QStringLiteral("common/product_name");
const QString deviceCodePrefix = QStringLiteral("common/sCode");
const QString colorMaxStageKey = QStringLiteral("Q7/colorMaxStage");
const QString defaultDeviceCode = QStringLiteral("274951");
const QString itemGroup = QStringLiteral("common");
// Positions in the item list the page saves.
constexpr int skinItem = 1;
constexpr int customBackgroundItem = 5;
constexpr int customBackgroundPathItem = 6;
constexpr int defaultSkin = 1;

bool isInstalledSkin(const QVariant &item) {
    bool isNumber = false;
    const int skin = item.toString().toInt(&isNumber);
    return isNumber && skin >= 1 &&
           QDir(StoragePaths::skinDir).exists(QStringLiteral("skin%1").arg(skin));
}

// The page stores the picture as a URL ("file:/…"), a hand-made file may hold a plain path.
QString localPath(const QString &stored) {
    return stored.startsWith(QLatin1String("file:")) ? QUrl(stored).toLocalFile() : stored;
}

// Items the scene would use to open files: a skin that is not there gives a blank window and a
// background that is a pipe or a device would stall it, so they read as the defaults.
void repairItems(QVariantList &items) {
    if (items.size() > skinItem && !isInstalledSkin(items.at(skinItem)))
        items[skinItem] = defaultSkin;
    if (items.size() > customBackgroundPathItem) {
        const QString path = localPath(items.at(customBackgroundPathItem).toString());
        if (!path.isEmpty() && !RegularFile::isReadable(path)) {
            items[customBackgroundItem] = false;
            items[customBackgroundPathItem] = QString();
        }
    }
}

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
    m_files.storeAppConfig();
}

QVariantList AppConfigStore::loadApConfig() {
    const QSettings &config = m_files.appConfig();
    const int total =
        SettingsList::presentCount(config, itemGroup, config.value(totalKey, 0).toInt());
    QVariantList items;
    for (int i = 0; i < total; ++i)
        items.append(config.value(itemPrefix + QString::number(i), 0));
    repairItems(items);
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
    if (!RegularFile::isReadable(path)) {
        UserPrompt::current().warning(m_languages.message(2), m_languages.message(3) + path);
        return {};
    }
    return path;
}

QString AppConfigStore::windowTitle() {
    if (!RegularFile::isUsableForSettings(StoragePaths::appConfig))
        return {};
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
