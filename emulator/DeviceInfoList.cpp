#include "DeviceInfoList.h"

#include <cstring>
#include <cwchar>

namespace q7vm {

namespace {

char *copyOf(const std::string &text) {
    char *copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

wchar_t *copyOf(const std::wstring &text) {
    wchar_t *copy = new wchar_t[text.size() + 1];
    std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

} // namespace

hid_device_info *DeviceInfoList::describe(const Personality &personality, InterfaceRole role) {
    const InterfaceIdentity &identity = personality.interface(role);
    auto *info = new hid_device_info{};
    info->path = copyOf(identity.path);
    info->vendor_id = personality.vendorId;
    info->product_id = personality.productId;
    info->serial_number = copyOf(personality.serial);
    info->release_number = personality.releaseNumber;
    info->manufacturer_string = copyOf(personality.manufacturer);
    info->product_string = copyOf(personality.product);
    info->usage_page = identity.usagePage;
    info->usage = identity.usage;
    info->interface_number = identity.interfaceNumber;
    info->next = nullptr;
    info->bus_type = HID_API_BUS_USB;
    return info;
}

hid_device_info *DeviceInfoList::enumerate(const Personality &personality, unsigned short vendorId,
                                           unsigned short productId) {
    const bool vendorMatches = vendorId == 0 || vendorId == personality.vendorId;
    const bool productMatches = productId == 0 || productId == personality.productId;
    if (!vendorMatches || !productMatches)
        return nullptr;
    hid_device_info *command = describe(personality, InterfaceRole::Command);
    command->next = describe(personality, InterfaceRole::Event);
    return command;
}

void DeviceInfoList::release(hid_device_info *list) {
    while (list) {
        hid_device_info *next = list->next;
        delete[] list->path;
        delete[] list->serial_number;
        delete[] list->manufacturer_string;
        delete[] list->product_string;
        delete list;
        list = next;
    }
}

} // namespace q7vm
