#pragma once

#include <QString>

// The link's view of one device of the table: empty paths while it is absent.
struct DeviceEntry {
    int index = -1;
    QString productName;
    int type = -1;
    QString commandPath;
    QString eventPath;
    int reportLength = 0;

    bool isPresent() const { return !commandPath.isEmpty() && !eventPath.isEmpty(); }
};
