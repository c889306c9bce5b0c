#pragma once

#include <QList>
#include <QString>

#include <cstdint>

// One entry of the device table the program ships.
struct DeviceRecord {
    enum Type { Unknown = -1, Keyboard = 0, Mouse = 1 };

    int type = Unknown;
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t usagePage = 0; // command interface
    uint16_t usage = 0;
    uint16_t usagePage2 = 0; // event interface
    uint16_t usage2 = 0;
    QString productName;
    int reportLength = 0; // bulk report length without the report number
};

using DeviceTable = QList<DeviceRecord>;
