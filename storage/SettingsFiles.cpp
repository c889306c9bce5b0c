#include "SettingsFiles.h"

#include "FileReplacement.h"
#include "RegularFile.h"
#include "StoragePaths.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("SettingsFiles", text);
}
} // namespace

SettingsFiles::SettingsFiles() : m_appConfig(open(StoragePaths::appConfig)) {
    for (int i = 0; i < profileCount; ++i)
        entry(i) = open(StoragePaths::profile(i));
}

bool SettingsFiles::setCurrentProfileIndex(int index) {
    if (!isProfileIndex(index))
        return false;
    m_currentProfile = index;
    return true;
}

bool SettingsFiles::storeAll() {
    bool all = store(m_appConfig);
    for (Entry &profile : m_profiles)
        all = store(profile) && all;
    return all;
}

bool SettingsFiles::replaceAppConfig(const QString &source, QString *error) {
    return replace(m_appConfig, source, error);
}

bool SettingsFiles::replaceProfile(int index, const QString &source, QString *error) {
    if (!isProfileIndex(index)) {
        if (error)
            *error = tr("There is no profile %1.").arg(index + 1);
        return false;
    }
    return replace(entry(index), source, error);
}

SettingsFiles::Entry SettingsFiles::open(const QString &path) {
    if (RegularFile::isUsableForSettings(path))
        return {path, std::make_unique<QSettings>(path, QSettings::IniFormat)};
    // A pipe would block the read and a device could be written over: an object without a
    // file holds the values for this run, and every store says why they are not kept.
    return {path, std::make_unique<QSettings>(QString(), QSettings::IniFormat)};
}

bool SettingsFiles::replace(Entry &entry, const QString &source, QString *error) {
    FileReplacement replacement(source, entry.path);
    if (!replacement.prepare()) {
        if (error)
            *error = replacement.error();
        return false;
    }
    // Flush and drop the old object first, or its pending writes would land in the new file.
    entry.settings->sync();
    entry.settings.reset();
    const bool replaced = replacement.commit();
    if (!replaced && error)
        *error = replacement.error();
    entry = open(entry.path);
    m_failures.forget(entry.path);
    return replaced;
}
