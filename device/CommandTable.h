#pragma once

#include <cstdint>

// The command codes of both dialects with what the link needs to move them. Frame parameter
// bytes are filled by each operation; everything else about an exchange is read from here.
// clang-format off
namespace CommandTable {

struct Set {
    uint8_t code;
    int bulkBytes; // sent after the frame in output reports; 0 for none
    bool pause;    // settle pause after the frame and after the bulk data
    bool sleep8;   // the caller sleeps 8 ms after starting the send
    // The frame parameter (0 … 5) that picks which of the device's tables or slots the command
    // writes (a key table, a macro slot, a colour type); -1 when it has one place only.
    int slotParam = -1;
};

struct Get {
    uint8_t code;
    int bulkBytes; // read after the answer frame from input reports; 0 for none
};

// Keyboard dialect (report length 64). The mouse answers 0x01, 0x81, 0x03, 0x83 and 0x04 too.
namespace Keyboard {
//                                code  bulk  pause   8 ms  slot
constexpr Set SetReportRate      {0x01,   0,  true, false};
constexpr Set SetCurrentProfile  {0x02,   0, false,  true};
constexpr Set SetKeyboardOption  {0x03,   0, false,  true};
constexpr Set SetButtonSens      {0x04,   0,  true, false, 4};
constexpr Set SetIndicatorLight  {0x07,   0, false,  true};
constexpr Set SetLedType         {0x08,   0,  true, false};
constexpr Set SetKeyboardMode    {0x09,   0,  true, false};
constexpr Set SetKeyMatrix       {0x0D, 512,  true, false};
constexpr Set SetKeyOnOff        {0x0E,  21,  true, false};
constexpr Set SetMacroKey        {0x11, 192,  true, false, 0};
constexpr Set SetUserPicture     {0x12, 512,  true, false, 0};
constexpr Set SetRecoveryData    {0x13,   0, false,  true};
constexpr Set SetColor           {0x14,   0, false,  true, 1};

//                                code  bulk
constexpr Get GetFwVersion       {0x80,   0};
constexpr Get GetReportRate      {0x81,   0};
constexpr Get GetCurrentProfile  {0x82,   0};
constexpr Get GetKeyboardOption  {0x83,   0};
constexpr Get GetButtonSens      {0x84,   0};
constexpr Get GetLedType         {0x88,   0};
constexpr Get GetKeyboardMode    {0x89,   0};
constexpr Get GetKeyMatrix       {0x8D, 512};
constexpr Get GetKeyOnOff        {0x8E,  21};
constexpr Get GetMacroKey        {0x91, 192};
constexpr Get GetUserPicture     {0x92, 512};
constexpr Get GetColor           {0x94,   0};

// Byte 4 of the bulk frames: reports for 0x0D, 0x11, 0x12; bytes for 0x0E.
constexpr uint8_t KeyMatrixReports = 8;
constexpr uint8_t MacroReports = 3;
constexpr uint8_t UserPictureReports = 8;
constexpr uint8_t KeyOnOffBytes = 21;
constexpr uint8_t RecoveryAll = 0xFF;
} // namespace Keyboard

// Mouse dialect (report length 32).
namespace Mouse {
//                                code  bulk  pause   8 ms  slot
constexpr Set SetFunctionOption  {0x03,   0,  true,  true};
constexpr Set SetLedInstruct     {0x07,   0, false, false, 0};
constexpr Set SetCurrentDpiStage {0x0B,   0,  true, false};
constexpr Set SetRgbLedEffect    {0x0D,   0,  true, false};
constexpr Set SetLed8StageColor  {0x10,  24,  true, false, 0};
constexpr Set SetDpiSet          {0x11,   8,  true, false};
constexpr Set SetKeyMatrix       {0x12,  64,  true, false, 0};
constexpr Set SetMacroKey        {0x13, 128,  true, false, 0};

//                                code  bulk
constexpr Get GetFunctionOption  {0x83,   0};
constexpr Get GetLedInstruct     {0x87,   0};
constexpr Get GetCurrentDpiStage {0x8B,   0};
constexpr Get GetRgbLedEffect    {0x8D,   0};
constexpr Get GetLed8StageColor  {0x90,  24};
constexpr Get GetDpiSet          {0x91,   8};
constexpr Get GetKeyMatrix       {0x92,  64};
constexpr Get GetMacroKey        {0x93, 128};

// Colour type 2 carries nibble-packed colour numbers, four bytes instead of 24.
constexpr uint8_t PackedColourType = 2;
constexpr int PackedColourBytes = 4;
constexpr uint8_t KeyMatrixTableMarker = 8; // constant byte 4 of 0x12
constexpr uint8_t KeyMatrixReadTable = 1;   // 0x92 always reads table 1
} // namespace Mouse

} // namespace CommandTable
// clang-format on
