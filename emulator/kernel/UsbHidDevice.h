#pragma once

#include "HidrawNode.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace q7kernel {

class KernelTestbed;

// A USB device with HID interfaces as the kernel lays it out in sysfs: the usb_device, one
// usb_interface per interface, a hid device under each with its report descriptor, and a
// hidraw node under that. Plugging adds the tree with its "add" uevents; unplugging takes it
// away as the kernel does: the nodes go, readers get EIO, the "remove" uevents come children
// first. A re-plug is a new plug: new hidraw numbers and new nodes.
class UsbHidDevice {
public:
    struct Identity {
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        std::uint16_t release = 0;
        std::string manufacturer;
        std::string product;
        std::string serial;
        std::string port; // the USB port, e.g. "1-3": distinct for each device of a testbed
    };
    struct Interface {
        Bytes reportDescriptor;
        HidrawDevice device; // what answers on its node
    };

    UsbHidDevice(KernelTestbed &bed, Identity identity, std::vector<Interface> interfaces);
    ~UsbHidDevice();
    UsbHidDevice(const UsbHidDevice &) = delete;
    UsbHidDevice &operator=(const UsbHidDevice &) = delete;

    void plug();
    void unplug();
    bool isPlugged() const;

    // The node of an interface while plugged (null otherwise); shared so that a thread using
    // it finishes safely while the device goes.
    std::shared_ptr<HidrawNode> node(std::size_t interface) const;
    // "/dev/hidrawN" of an interface, empty while unplugged.
    std::string devnode(std::size_t interface) const;
    // The device vanished at once (pulled out mid-transfer): every node fails from now on.
    // unplug() then sends the uevents and clears sysfs.
    void hangUp();
    // The nodes stay listed but only CAP_DAC_OVERRIDE may open them, as without a udev rule.
    void denyAccess();

private:
    std::string usbPath() const;
    std::string interfacePath(std::size_t interface) const;
    std::string hidPath(std::size_t interface) const;
    std::string hidrawPath(std::size_t interface) const;
    std::string description() const;

    KernelTestbed &bed_;
    Identity identity_;
    std::vector<Interface> interfaces_;
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<HidrawNode>> nodes_; // empty while unplugged
    // Nodes of earlier plugs, hung up. Their ioctl sockets stay: a program that found the node
    // just before it went connects to its socket after opening it, and umockdev's preload
    // ends a program whose socket is missing.
    std::vector<std::shared_ptr<HidrawNode>> retired_;
    std::vector<int> hidNumbers_;
};

} // namespace q7kernel
