#pragma once

#include <QVariantList>

class SettingsFiles;

// The ten profile files as whole files: export, import, factory reset, and the factory values
// each page takes for its own reset.
class ProfileStore {
public:
    explicit ProfileStore(SettingsFiles &files);

    // Page ids of loadDefaultProfile.
    static constexpr int keyDefinePage = 0;
    static constexpr int colorPage = 2;
    static constexpr int sensorPage = 3;

    QVariantList loadDefaultProfile(uchar uiPageId);
    void loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);

private:
    void replaceProfile(int profile, const QString &source);

    SettingsFiles &m_files;
};
