#include "KeyDefineStore.h"

#include "SettingsFiles.h"
#include "SettingsList.h"

KeyDefineStore::KeyDefineStore(SettingsFiles &files, DeviceTypeSource deviceType)
    : m_files(files), m_deviceType(std::move(deviceType)) {}

QVariantList KeyDefineStore::getKeydefine(const QVariant &matrixId) const {
    const int type = m_deviceType ? m_deviceType() : -1;
    QString group;
    if (type == DeviceType::keyboard)
        group = QStringLiteral("keydefine/");
    else if (type == DeviceType::mouse)
        group = QStringLiteral("keydefine_Q7/");
    else
        return {};
    return SettingsList::read(m_files.currentProfile(), group + matrixId.toString());
}
