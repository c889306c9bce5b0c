#include "UsbHidDevice.h"

#include "KernelTestbed.h"

#include <cstdio>

namespace q7kernel {

namespace {

constexpr const char *kHostController = "/devices/pci0000:00/0000:00:14.0/usb1/";

std::string hex4(unsigned value, bool upper = false) {
    char text[8];
    std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value);
    return text;
}

std::string hexBytes(const Bytes &bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

} // namespace

UsbHidDevice::UsbHidDevice(KernelTestbed &bed, Identity identity, std::vector<Interface> interfaces)
    : bed_(bed), identity_(std::move(identity)), interfaces_(std::move(interfaces)) {}

UsbHidDevice::~UsbHidDevice() {
    if (isPlugged())
        unplug();
}

bool UsbHidDevice::isPlugged() const {
    std::lock_guard lock(mutex_);
    return !nodes_.empty();
}

std::shared_ptr<HidrawNode> UsbHidDevice::node(std::size_t interface) const {
    std::lock_guard lock(mutex_);
    return interface < nodes_.size() ? nodes_[interface] : nullptr;
}

std::string UsbHidDevice::devnode(std::size_t interface) const {
    const std::shared_ptr<HidrawNode> n = node(interface);
    return n ? n->devnode() : std::string();
}

std::string UsbHidDevice::usbPath() const {
    return kHostController + identity_.port;
}

std::string UsbHidDevice::interfacePath(std::size_t interface) const {
    return usbPath() + "/" + identity_.port + ":1." + std::to_string(interface);
}

std::string UsbHidDevice::hidPath(std::size_t interface) const {
    return interfacePath(interface) + "/0003:" + hex4(identity_.vendorId, true) + ":" +
           hex4(identity_.productId, true) + "." + hex4(unsigned(hidNumbers_[interface]), true);
}

std::string UsbHidDevice::hidrawPath(std::size_t interface) const {
    return hidPath(interface) + "/hidraw/hidraw" + std::to_string(nodes_[interface]->number());
}

void UsbHidDevice::plug() {
    if (isPlugged())
        return;
    std::vector<std::shared_ptr<HidrawNode>> nodes;
    hidNumbers_.clear();
    const std::string name = identity_.manufacturer + " " + identity_.product;
    for (std::size_t i = 0; i < interfaces_.size(); ++i) {
        HidrawIdentity id{identity_.vendorId, identity_.productId, name,
                          "usb-0000:00:14.0-" + identity_.port.substr(2) + "/input" +
                              std::to_string(i),
                          interfaces_[i].reportDescriptor};
        nodes.push_back(std::make_shared<HidrawNode>(bed_, bed_.nextHidrawNumber(), std::move(id),
                                                     interfaces_[i].device));
        hidNumbers_.push_back(bed_.nextHidNumber());
    }
    {
        std::lock_guard lock(mutex_);
        nodes_ = std::move(nodes);
    }
    // Parents first, each with its "add" uevent, as the kernel announces them.
    bed_.add(description());
}

std::string UsbHidDevice::description() const {
    const Identity &d = identity_;
    char product[32];
    std::snprintf(product, sizeof product, "%x/%x/%x", d.vendorId, d.productId, d.release);
    std::string text = "P: " + usbPath() +
                       "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: PRODUCT=" + product +
                       "\nA: idVendor=" + hex4(d.vendorId) + "\nA: idProduct=" + hex4(d.productId) +
                       "\nA: bcdDevice=" + hex4(d.release) + "\nA: manufacturer=" + d.manufacturer +
                       "\nA: product=" + d.product +
                       (d.serial.empty() ? std::string() : "\nA: serial=" + d.serial) + "\n\n";
    const std::string name = d.manufacturer + " " + d.product;
    for (std::size_t i = 0; i < interfaces_.size(); ++i) {
        const std::string number = "0" + std::to_string(i);
        text += "P: " + interfacePath(i) +
                "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: INTERFACE=3/0/0\n"
                "A: bInterfaceClass=03\nA: bInterfaceNumber=" +
                number + "\n\n";
        const std::string hidFolder = hidPath(i).substr(hidPath(i).rfind('/') + 1);
        text +=
            "P: " + hidPath(i) + "\nE: SUBSYSTEM=hid\nE: DRIVER=hid-generic\nE: HID_ID=0003:0000" +
            hex4(d.vendorId, true) + ":0000" + hex4(d.productId, true) + "\nE: HID_NAME=" + name +
            "\nE: HID_PHYS=usb-0000:00:14.0-" + d.port.substr(2) + "/input" + std::to_string(i) +
            "\nE: HID_UNIQ=" + d.serial + "\nE: MODALIAS=hid:b0003g0001v0000" +
            hex4(d.vendorId, true) + "p0000" + hex4(d.productId, true) +
            "\nH: report_descriptor=" + hexBytes(interfaces_[i].reportDescriptor) + "\n\n";
        const HidrawNode &node = *nodes_[i];
        const std::string mm = node.majorMinor();
        text += "P: " + hidrawPath(i) + "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=" + node.devnode() +
                "\nE: MAJOR=" + mm.substr(0, mm.find(':')) +
                "\nE: MINOR=" + mm.substr(mm.find(':') + 1) + "\nA: dev=" + mm +
                "\nL: device=../../../" + hidFolder + "\n\n";
    }
    return text;
}

void UsbHidDevice::hangUp() {
    std::lock_guard lock(mutex_);
    for (const std::shared_ptr<HidrawNode> &node : nodes_)
        node->hangUp();
}

void UsbHidDevice::denyAccess() {
    std::lock_guard lock(mutex_);
    for (const std::shared_ptr<HidrawNode> &node : nodes_)
        node->denyAccess();
}

void UsbHidDevice::unplug() {
    if (!isPlugged())
        return;
    // The nodes go first: no program can open them any more, and readers get EIO.
    for (std::size_t i = 0; i < interfaces_.size(); ++i) {
        bed_.unlink(nodes_[i]->devnode());
        bed_.unlink("/sys/class/hidraw/hidraw" + std::to_string(nodes_[i]->number()));
    }
    hangUp();
    // Then the uevents, children first, while sysfs still describes what goes.
    for (std::size_t i = interfaces_.size(); i-- > 0;) {
        bed_.uevent(hidrawPath(i), "remove");
        bed_.uevent(hidPath(i), "remove");
        bed_.uevent(interfacePath(i), "remove");
    }
    bed_.uevent(usbPath(), "remove");
    // One by one, children first: each takes its own /sys/bus or /sys/class link along.
    for (std::size_t i = 0; i < interfaces_.size(); ++i) {
        bed_.remove(hidrawPath(i));
        bed_.remove(hidPath(i));
        bed_.remove(interfacePath(i));
    }
    bed_.remove(usbPath());
    std::lock_guard lock(mutex_);
    retired_.insert(retired_.end(), nodes_.begin(), nodes_.end());
    nodes_.clear();
}

} // namespace q7kernel
