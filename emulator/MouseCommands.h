#pragma once

#include <cstddef>
#include <cstdint>

// Command codes of the mouse. Sets below 0x80, their gets at set + 0x80.
namespace q7vm::mouse {

inline constexpr std::uint8_t kSetReportRate = 0x01;
inline constexpr std::uint8_t kSetCurrentProfile = 0x02;
inline constexpr std::uint8_t kSetFunctionOption = 0x03;
inline constexpr std::uint8_t kSetPressGun = 0x04;
inline constexpr std::uint8_t kSetLedInstruct = 0x07;
inline constexpr std::uint8_t kSetCurrentDpiStage = 0x0B;
inline constexpr std::uint8_t kSetRgbEffect = 0x0D;
inline constexpr std::uint8_t kSetStageColours = 0x10;
inline constexpr std::uint8_t kSetDpiSet = 0x11;
inline constexpr std::uint8_t kSetKeyTable = 0x12;
inline constexpr std::uint8_t kSetMacro = 0x13;

inline constexpr std::uint8_t kGetFirmwareVersion = 0x80;
inline constexpr std::uint8_t kGetReportRate = 0x81;
inline constexpr std::uint8_t kGetCurrentProfile = 0x82;
inline constexpr std::uint8_t kGetFunctionOption = 0x83;
inline constexpr std::uint8_t kGetPressGun = 0x84;
inline constexpr std::uint8_t kGetLedInstruct = 0x87;
inline constexpr std::uint8_t kGetCurrentDpiStage = 0x8B;
inline constexpr std::uint8_t kGetRgbEffect = 0x8D;
inline constexpr std::uint8_t kGetStageColours = 0x90;
inline constexpr std::uint8_t kGetDpiSet = 0x91;
inline constexpr std::uint8_t kGetKeyTable = 0x92;
inline constexpr std::uint8_t kGetMacro = 0x93;

// Sizes and ranges of what the commands carry.
inline constexpr int kColourTableTypes = 3;      // 0 colours, 1 DPI-stage colours, 2 colour numbers
inline constexpr std::size_t kRgbTableSize = 24; // eight R, G, B triplets
inline constexpr std::size_t kNumberTableSize = 4; // eight 4-bit colour numbers
inline constexpr std::size_t kDpiCodeCount = 8;
inline constexpr int kMaxDpiStages = 8;
inline constexpr int kKeyTables = 4;
inline constexpr std::size_t kKeyTableSize = 64; // 16 records of 4 bytes
inline constexpr int kMacroSlots = 12;
inline constexpr std::size_t kMacroSize = 128;
inline constexpr int kLedTypes = 4;

} // namespace q7vm::mouse
