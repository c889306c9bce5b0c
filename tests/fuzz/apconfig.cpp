// The application configuration (apConfig.bin) as the program reads it at start and the
// global-settings page loads it. What the page loads and saves back reads back the same.
#include "AppConfigStore.h"
#include "FuzzFiles.h"
#include "LanguageStore.h"
#include "LinkState.h"
#include "SettingsFiles.h"
#include "StoragePaths.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzFiles::start(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzFiles::write(StoragePaths::appConfig,
                     QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    AppConfigStore::windowTitle();
    SettingsFiles files;
    LanguageStore languages;
    AppConfigStore config(files, languages);
    const QVariantList items = config.loadApConfig();
    config.loadDeviceApConfig();
    config.getIsSkinShow();
    for (int record = -1; record < 3; ++record)
        config.productName(record);
    LinkState::instance().setSecrecyCode(config.deviceCode(0));
    LinkState::instance().setSecrecyCode(config.deviceCode(1));

    config.saveApConfig(items);
    SettingsFiles reopened;
    if (AppConfigStore(reopened, languages).loadApConfig() != items)
        std::abort();
    return 0;
}
