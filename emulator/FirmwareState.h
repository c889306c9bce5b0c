#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace q7vm {

using Bytes = std::vector<std::uint8_t>;

// What the firmware keeps: named byte fields of fixed size, in a fixed order.
// Fixed sizes make a damaged state file easy to spot and keep every setter honest.
class FirmwareState {
public:
    void define(const std::string &name, Bytes factoryValue);

    bool has(const std::string &name) const;
    const Bytes &field(const std::string &name) const;
    std::uint8_t byte(const std::string &name, std::size_t index = 0) const;

    // Returns true when the stored value changed. The size must match the definition.
    bool set(const std::string &name, const Bytes &value);
    bool setByte(const std::string &name, std::size_t index, std::uint8_t value);

    const std::vector<std::string> &names() const { return order_; }

private:
    std::map<std::string, Bytes> fields_;
    std::vector<std::string> order_;
};

} // namespace q7vm
