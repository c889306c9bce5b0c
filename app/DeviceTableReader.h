#pragma once

#include "DeviceRecord.h"

#include <QStringList>

// Reads the device table (INI) that ships inside the program.
namespace DeviceTableReader {

constexpr char EmbeddedPath[] = ":/DevInfo.ini";

// Product names come from the application configuration, element n for record n.
DeviceTable read(const QString &path, const QStringList &productNames);
bool isEncoded(const QString &path);

} // namespace DeviceTableReader
