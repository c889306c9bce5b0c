#pragma once

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

    QSettings &appConfig() { return *m_appConfig; }
    static bool isProfileIndex(int index) { return index >= 0 && index < profileCount; }
    // index must satisfy isProfileIndex().
    QSettings &profile(int index) { return *m_profiles.at(static_cast<std::size_t>(index)); }
    QSettings &currentProfile() { return profile(m_currentProfile); }

    int currentProfileIndex() const { return m_currentProfile; }
    // An index outside 0 … 9 is refused and the current one kept.
    bool setCurrentProfileIndex(int index);

    // Put the content of source in place of the file; on failure the old file and its open
    // settings object stay as they were and error says why.
    bool replaceAppConfig(const QString &source, QString *error);
    bool replaceProfile(int index, const QString &source, QString *error);

private:
    static std::unique_ptr<QSettings> open(const QString &path);
    static bool replace(std::unique_ptr<QSettings> &settings, const QString &source,
                        QString *error);

    std::unique_ptr<QSettings> m_appConfig;
    std::array<std::unique_ptr<QSettings>, profileCount> m_profiles;
    int m_currentProfile = 0;
};
