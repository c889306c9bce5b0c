#pragma once

#include <cstddef>
#include <cstdint>

// Command codes of the companion keyboard. Sets below 0x80, their gets at set + 0x80.
namespace q7vm::keyboard {

inline constexpr std::uint8_t kSetReportRate = 0x01;
inline constexpr std::uint8_t kSetCurrentProfile = 0x02;
inline constexpr std::uint8_t kSetOptions = 0x03;
inline constexpr std::uint8_t kSetSensitivity = 0x04;
inline constexpr std::uint8_t kSetIndicatorLight = 0x07;
inline constexpr std::uint8_t kSetLedType = 0x08;
inline constexpr std::uint8_t kSetMode = 0x09;
inline constexpr std::uint8_t kSetKeyMatrix = 0x0D;
inline constexpr std::uint8_t kSetKeyOnOff = 0x0E;
inline constexpr std::uint8_t kSetMacro = 0x11;
inline constexpr std::uint8_t kSetUserPicture = 0x12;
inline constexpr std::uint8_t kSetRecovery = 0x13;
inline constexpr std::uint8_t kSetColour = 0x14;

inline constexpr std::uint8_t kGetFirmwareVersion = 0x80;
inline constexpr std::uint8_t kGetReportRate = 0x81;
inline constexpr std::uint8_t kGetCurrentProfile = 0x82;
inline constexpr std::uint8_t kGetOptions = 0x83;
inline constexpr std::uint8_t kGetSensitivity = 0x84;
inline constexpr std::uint8_t kGetLedType = 0x88;
inline constexpr std::uint8_t kGetMode = 0x89;
inline constexpr std::uint8_t kGetKeyMatrix = 0x8D;
inline constexpr std::uint8_t kGetKeyOnOff = 0x8E;
inline constexpr std::uint8_t kGetMacro = 0x91;
inline constexpr std::uint8_t kGetUserPicture = 0x92;
inline constexpr std::uint8_t kGetColour = 0x94;

inline constexpr std::uint8_t kRecoveryMagic = 0xFF;

inline constexpr std::size_t kKeyMatrixSize = 512; // 128 records of 4 bytes
inline constexpr std::size_t kKeyOnOffSize = 21;
inline constexpr std::size_t kMacroSize = 192;
inline constexpr int kMacroSlots = 35; // ids 0..34
inline constexpr std::size_t kUserPictureSize = 512;
inline constexpr int kUserPictures = 5; // indexes 0..4
inline constexpr int kColourSlots = 8;  // indexes 0..7
inline constexpr std::size_t kBulkReportLength = 64;

} // namespace q7vm::keyboard
