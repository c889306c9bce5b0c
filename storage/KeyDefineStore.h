#pragma once

#include "DeviceType.h"

#include <QVariant>
#include <QVariantList>

class SettingsFiles;

// Reads one key-definition record (four values) of the current profile, under the keys of the
// connected device type.
class KeyDefineStore {
public:
    KeyDefineStore(SettingsFiles &files, DeviceTypeSource deviceType);

    QVariantList getKeydefine(const QVariant &matrixId) const;

private:
    SettingsFiles &m_files;
    DeviceTypeSource m_deviceType;
};
