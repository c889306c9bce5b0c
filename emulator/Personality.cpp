#include "Personality.h"

namespace q7vm {

namespace {

constexpr std::uint16_t kVendorId = 0x04d9;
constexpr std::uint16_t kMouseProductId = 0xa09f;
constexpr std::uint16_t kKeyboardProductId = 0x8008;

Personality mouse() {
    Personality p;
    p.kind = DeviceKind::Mouse;
    p.name = "mouse";
    p.vendorId = kVendorId;
    p.productId = kMouseProductId;
    p.releaseNumber = 0x0105;
    p.command = {"virtual-q7/command", 0xff00, 0xff00, 1};
    p.event = {"virtual-q7/event", 0xff01, 0xff01, 1};
    p.reportLength = 32;
    p.manufacturer = L"Q7 Peripherals";
    p.product = L"Q7 Gaming Mouse (virtual)";
    p.serial = L"Q7VM-0001";
    return p;
}

Personality keyboard() {
    Personality p;
    p.kind = DeviceKind::Keyboard;
    p.name = "keyboard";
    p.vendorId = kVendorId;
    p.productId = kKeyboardProductId;
    p.releaseNumber = 0x0102;
    p.command = {"virtual-q7-keyboard/command", 0xff01, 0x0001, 1};
    p.event = {"virtual-q7-keyboard/event", 0xff02, 0x0001, 1};
    p.reportLength = 64;
    p.manufacturer = L"Q7 Peripherals";
    p.product = L"Q7 Gaming Keyboard (virtual)";
    p.serial = L"Q7VK-0001";
    return p;
}

} // namespace

Personality Personality::forKind(DeviceKind kind) {
    return kind == DeviceKind::Keyboard ? keyboard() : mouse();
}

const InterfaceIdentity &Personality::interface(InterfaceRole role) const {
    return role == InterfaceRole::Command ? command : event;
}

} // namespace q7vm
