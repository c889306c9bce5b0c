#pragma once

#include "StorageFailures.h"

#include <QSettings>
#include <QString>

#include <array>
#include <memory>

// The settings objects the program keeps open for its whole run: the application configuration
// and the ten profiles, plus the index of the profile every device-facing call uses.
class SettingsFiles {
public:
    static constexpr int profileCount = 10;

    SettingsFiles();

    QSettings &appConfig() { return *m_appConfig.settings; }
    static bool isProfileIndex(int index) { return index >= 0 && index < profileCount; }
    // index must satisfy isProfileIndex().
    QSettings &profile(int index) { return *entry(index).settings; }
    QSettings &currentProfile() { return profile(m_currentProfile); }

    int currentProfileIndex() const { return m_currentProfile; }
    // An index outside 0 … 9 is refused and the current one kept.
    bool setCurrentProfileIndex(int index);

    // Write what is in memory to the file now; a failure is reported to failures().
    bool storeAppConfig() { return store(m_appConfig); }
    bool storeProfile(int index) { return isProfileIndex(index) && store(entry(index)); }
    bool storeCurrentProfile() { return storeProfile(m_currentProfile); }
    // Every file; false when any of them could not be written now.
    bool storeAll();
    StorageFailures &failures() { return m_failures; }

    // Put the content of source in place of the file; on failure the old file and its open
    // settings object stay as they were and error says why.
    bool replaceAppConfig(const QString &source, QString *error);
    bool replaceProfile(int index, const QString &source, QString *error);

private:
    struct Entry {
        QString path;
        std::unique_ptr<QSettings> settings;
    };

    Entry &entry(int index) { return m_profiles.at(static_cast<std::size_t>(index)); }
    Entry open(const QString &path);
    bool store(Entry &entry) { return m_failures.sync(*entry.settings, entry.path); }
    bool replace(Entry &entry, const QString &source, QString *error);

    StorageFailures m_failures;
    Entry m_appConfig;
    std::array<Entry, profileCount> m_profiles;
    int m_currentProfile = 0;
};
