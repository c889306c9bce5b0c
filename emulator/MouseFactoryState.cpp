#include "MouseFactoryState.h"

#include "MouseCommands.h"

namespace q7vm {

namespace {

constexpr std::uint8_t kRate1000Hz = 0x01;
constexpr std::uint8_t kFactorySensorType = 3; // DPI value = (n + 1) x 100, doubled by bit 6
constexpr std::uint8_t kFactoryStage = 2;

// 800, 1600, 2400, 3200, 4000, 5000, 6000, 8000 DPI for sensor type 3.
const Bytes kFactoryDpiCodes = {0x07, 0x0f, 0x17, 0x1f, 0x27, 0x31, 0x5d, 0x67};

// Red, orange, yellow, green, cyan, blue, violet, magenta.
const Bytes kRainbow = {0xff, 0x00, 0x00, 0xff, 0x80, 0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0x00,
                        0x00, 0xff, 0xff, 0x00, 0x00, 0xff, 0x80, 0x00, 0xff, 0xff, 0x00, 0xff};

// Stage 1 red, 2 green, 3 blue, 4 yellow, 5 cyan, 6 magenta, 7 white, 8 orange.
const Bytes kStageColours = {0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00,
                             0xff, 0xff, 0xff, 0x00, 0x00, 0xff, 0xff, 0xff,
                             0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0x80, 0x00};

// Colour numbers 0..7 for stages 0..7, even stage in the low nibble.
const Bytes kStageColourNumbers = {0x10, 0x32, 0x54, 0x76};

// 4-byte button records: type, then three parameters.
const Bytes kFactoryKeyTable = {
    0x01, 0x00, 0xf0, 0x00, // left button
    0x01, 0x00, 0xf1, 0x00, // right button
    0x01, 0x00, 0xf2, 0x00, // middle button
    0x01, 0x00, 0xf4, 0x00, // forward
    0x01, 0x00, 0xf3, 0x00, // back
    0x07, 0x00, 0x03, 0x00, // DPI switch
    0x0b, 0x00, 0x00, 0x00, // lighting control
    0x07, 0x00, 0x03, 0x00, // DPI switch
    0x05, 0x00, 0x03, 0x00, // device-specific
    0x03, 0x00, 0x8a, 0x01, // media: mail
    0x03, 0x00, 0x23, 0x02, // media: web home
    0x03, 0x00, 0x94, 0x01, // media: my computer
    0x00, 0x00, 0x00, 0x00, // unassigned
    0x00, 0x00, 0x00, 0x00, // unassigned
    0x04, 0x00, 0x01, 0x00, // scroll up
    0x04, 0x00, 0x02, 0x00, // scroll down
};

} // namespace

FirmwareState MouseFactoryState::build() {
    FirmwareState s;
    s.define(kFirmwareVersion, {0x01, 0x05});
    s.define(kSensorType, {kFactorySensorType});
    s.define(kReportRate, {kRate1000Hz});
    s.define(kProfile, {0x00});
    s.define(kOptions, {0x00, 0x00});
    s.define(kPressGun, Bytes(5, 0x00));
    for (int type = 0; type < mouse::kLedTypes; ++type)
        s.define(ledInstruct(type), Bytes(3, 0x00));
    s.define(kDpiStage, {kFactoryStage});
    s.define(kRgbEffect, {0x01, 0xff, 0x03});
    s.define(colourTable(0), kRainbow);
    s.define(colourTable(1), kStageColours);
    s.define(colourTable(2), kStageColourNumbers);
    s.define(kDpiCodes, kFactoryDpiCodes);
    s.define(kDpiStageCount, {mouse::kMaxDpiStages});
    for (int index = 1; index <= mouse::kKeyTables; ++index)
        s.define(keyTable(index), kFactoryKeyTable);
    for (int id = 1; id <= mouse::kMacroSlots; ++id)
        s.define(macro(id), Bytes(mouse::kMacroSize, 0x00));
    return s;
}

} // namespace q7vm
