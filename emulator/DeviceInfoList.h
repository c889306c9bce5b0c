#pragma once

#include "Personality.h"

#include <hidapi.h>

namespace q7vm {

// Builds and frees the hid_device_info records that describe the virtual device.
class DeviceInfoList {
public:
    // Both interfaces, command first, when the ids match (0 matches anything).
    static hid_device_info *enumerate(const Personality &personality, unsigned short vendorId,
                                      unsigned short productId);
    static hid_device_info *describe(const Personality &personality, InterfaceRole role);
    static void release(hid_device_info *list);
};

} // namespace q7vm
