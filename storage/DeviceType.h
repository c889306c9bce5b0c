#pragma once

#include <functional>

// The device type that decides the macro dialect and the key-definition keys; the view answers
// it from the device link at the moment of each call.
namespace DeviceType {
inline constexpr int keyboard = 0;
inline constexpr int mouse = 1;
} // namespace DeviceType

using DeviceTypeSource = std::function<int()>;
