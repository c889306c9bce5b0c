#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class SettingsFiles;
class LanguageStore;

// The application's own configuration file: the global-settings page's item list, the colour
// stage count, the window title, the product names and the device codes.
class AppConfigStore {
public:
    AppConfigStore(SettingsFiles &files, const LanguageStore &languages);

    void saveApConfig(const QVariantList &apConfigs);
    QVariantList loadApConfig();
    QVariantList loadDeviceApConfig();
    void resetApconfig();
    bool getIsSkinShow() const;
    QString getCustomFilePath();

    // "common/name", read at start-up for the window title.
    static QString windowTitle();
    // Element record of "common/product_name"; empty when the list is shorter.
    QString productName(int record);
    // The six-character code that keys the scrambling of device 0 or 1.
    QString deviceCode(int deviceIndex);

    static constexpr int defaultColorMaxStage = 8;

private:
    SettingsFiles &m_files;
    const LanguageStore &m_languages;
};
