#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace q7vm {

enum class DeviceKind { Mouse, Keyboard };
enum class InterfaceRole { Command, Event };

struct InterfaceIdentity {
    std::string path;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    int interfaceNumber = 0;
};

// What the virtual device looks like from the bus: ids, collections, strings, report sizes.
struct Personality {
    DeviceKind kind = DeviceKind::Mouse;
    std::string name; // "mouse" or "keyboard", also the state file's tag
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t releaseNumber = 0;
    InterfaceIdentity command;
    InterfaceIdentity event;
    std::size_t reportLength = 0; // bulk report, without the report number
    std::wstring manufacturer;
    std::wstring product;
    std::wstring serial;

    static Personality forKind(DeviceKind kind);
    const InterfaceIdentity &interface(InterfaceRole role) const;
};

inline constexpr std::size_t kFeatureReportSize = 9; // report number + 8 bytes
inline constexpr std::size_t kEventReportSize = 4;

} // namespace q7vm
