#include "SettingsFiles.h"

#include "FileReplacement.h"
#include "StoragePaths.h"

SettingsFiles::SettingsFiles() : m_appConfig(open(StoragePaths::appConfig)) {
    for (int i = 0; i < profileCount; ++i)
        m_profiles.at(static_cast<std::size_t>(i)) = open(StoragePaths::profile(i));
}

bool SettingsFiles::setCurrentProfileIndex(int index) {
    if (!isProfileIndex(index))
        return false;
    m_currentProfile = index;
    return true;
}

bool SettingsFiles::replaceAppConfig(const QString &source, QString *error) {
    return replace(m_appConfig, source, error);
}

bool SettingsFiles::replaceProfile(int index, const QString &source, QString *error) {
    if (!isProfileIndex(index)) {
        if (error)
            *error = QStringLiteral("There is no profile %1.").arg(index + 1);
        return false;
    }
    return replace(m_profiles.at(static_cast<std::size_t>(index)), source, error);
}

std::unique_ptr<QSettings> SettingsFiles::open(const QString &path) {
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool SettingsFiles::replace(std::unique_ptr<QSettings> &settings, const QString &source,
                            QString *error) {
    const QString target = settings->fileName();
    FileReplacement replacement(source, target);
    if (!replacement.prepare()) {
        if (error)
            *error = replacement.error();
        return false;
    }
    // Flush and drop the old object first, or its pending writes would land in the new file.
    settings->sync();
    settings.reset();
    const bool replaced = replacement.commit();
    if (!replaced && error)
        *error = replacement.error();
    settings = open(target);
    return replaced;
}
