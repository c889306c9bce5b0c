// The hidapi C API, served by the virtual device. Each function only forwards.

// hidapi.h leaves HID_API_EXPORT empty on Linux and the library hides everything else:
// its first inclusion decides the visibility of the declarations.
#pragma GCC visibility push(default)
#include <hidapi.h>
#pragma GCC visibility pop

#include "DeviceInfoList.h"
#include "VirtualDevice.h"
#include "VirtualMouseControl.h"

using q7vm::DeviceString;
using q7vm::VirtualDevice;

namespace {

VirtualDevice &device() {
    return VirtualDevice::instance();
}

const hid_api_version kVersion = {HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                  HID_API_VERSION_PATCH};

} // namespace

extern "C" {

void q7vm_reset_for_tests(void) {
    device().reset();
}

int HID_API_EXPORT HID_API_CALL hid_init(void) {
    return 0;
}

int HID_API_EXPORT HID_API_CALL hid_exit(void) {
    return 0;
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_enumerate(unsigned short vendor_id,
                                                                  unsigned short product_id) {
    return device().enumerate(vendor_id, product_id);
}

void HID_API_EXPORT HID_API_CALL hid_free_enumeration(struct hid_device_info *devs) {
    q7vm::DeviceInfoList::release(devs);
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open(unsigned short vendor_id,
                                                 unsigned short product_id,
                                                 const wchar_t *serial_number) {
    return device().open(vendor_id, product_id, serial_number);
}

HID_API_EXPORT hid_device *HID_API_CALL hid_open_path(const char *path) {
    return device().openPath(path);
}

int HID_API_EXPORT HID_API_CALL hid_write(hid_device *dev, const unsigned char *data,
                                          size_t length) {
    return device().write(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_read_timeout(hid_device *dev, unsigned char *data,
                                                 size_t length, int milliseconds) {
    return device().read(dev, data, length, milliseconds);
}

int HID_API_EXPORT HID_API_CALL hid_read(hid_device *dev, unsigned char *data, size_t length) {
    return device().readAsConfigured(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_set_nonblocking(hid_device *dev, int nonblock) {
    return device().setNonblocking(dev, nonblock);
}

int HID_API_EXPORT HID_API_CALL hid_send_feature_report(hid_device *dev, const unsigned char *data,
                                                        size_t length) {
    return device().sendFeatureReport(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_get_feature_report(hid_device *dev, unsigned char *data,
                                                       size_t length) {
    return device().getFeatureReport(dev, data, length);
}

int HID_API_EXPORT HID_API_CALL hid_get_input_report(hid_device *dev, unsigned char *data,
                                                     size_t length) {
    (void)data;
    (void)length;
    return device().unsupported(dev,
                                "hid_get_input_report: the device has no input report requests");
}

void HID_API_EXPORT HID_API_CALL hid_close(hid_device *dev) {
    device().close(dev);
}

int HID_API_EXPORT_CALL hid_get_manufacturer_string(hid_device *dev, wchar_t *string,
                                                    size_t maxlen) {
    return device().copyString(dev, DeviceString::Manufacturer, string, maxlen);
}

int HID_API_EXPORT_CALL hid_get_product_string(hid_device *dev, wchar_t *string, size_t maxlen) {
    return device().copyString(dev, DeviceString::Product, string, maxlen);
}

int HID_API_EXPORT_CALL hid_get_serial_number_string(hid_device *dev, wchar_t *string,
                                                     size_t maxlen) {
    return device().copyString(dev, DeviceString::Serial, string, maxlen);
}

struct hid_device_info HID_API_EXPORT *HID_API_CALL hid_get_device_info(hid_device *dev) {
    return device().deviceInfo(dev);
}

int HID_API_EXPORT_CALL hid_get_indexed_string(hid_device *dev, int, wchar_t *, size_t) {
    return device().unsupported(dev, "hid_get_indexed_string: not supported");
}

HID_API_EXPORT const wchar_t *HID_API_CALL hid_error(hid_device *dev) {
    return device().error(dev);
}

HID_API_EXPORT const struct hid_api_version *HID_API_CALL hid_version(void) {
    return &kVersion;
}

HID_API_EXPORT const char *HID_API_CALL hid_version_str(void) {
    return HID_API_VERSION_STR;
}

} // extern "C"
