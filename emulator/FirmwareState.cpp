#include "FirmwareState.h"

#include <stdexcept>

namespace q7vm {

void FirmwareState::define(const std::string &name, Bytes factoryValue) {
    if (fields_.emplace(name, std::move(factoryValue)).second)
        order_.push_back(name);
}

bool FirmwareState::has(const std::string &name) const {
    return fields_.count(name) != 0;
}

const Bytes &FirmwareState::field(const std::string &name) const {
    return fields_.at(name);
}

std::uint8_t FirmwareState::byte(const std::string &name, std::size_t index) const {
    return fields_.at(name).at(index);
}

bool FirmwareState::set(const std::string &name, const Bytes &value) {
    Bytes &stored = fields_.at(name);
    if (value.size() != stored.size())
        throw std::length_error("field " + name + " has a fixed size");
    if (stored == value)
        return false;
    stored = value;
    return true;
}

bool FirmwareState::setByte(const std::string &name, std::size_t index, std::uint8_t value) {
    std::uint8_t &stored = fields_.at(name).at(index);
    if (stored == value)
        return false;
    stored = value;
    return true;
}

} // namespace q7vm
