#include "KeyboardFactoryState.h"

#include "KeyboardCommands.h"

namespace q7vm {

namespace {

constexpr std::uint8_t kStandardKey = 0x00;
constexpr std::uint8_t kFirstUsage = 0x04; // USB usage of "A"
constexpr std::uint8_t kLastUsage = 0x65;  // USB usage of "Application"

// Key position k starts out as the standard key with usage 4 + k: a stand-in layout in
// position order, good enough to see round trips and resets.
Bytes factoryKeyMatrix() {
    Bytes matrix(keyboard::kKeyMatrixSize, 0x00);
    for (std::size_t k = 0; k < matrix.size() / 4; ++k) {
        const unsigned usage = kFirstUsage + k;
        if (usage > kLastUsage)
            break;
        matrix[4 * k] = kStandardKey;
        matrix[4 * k + 2] = static_cast<std::uint8_t>(usage);
    }
    return matrix;
}

// Red, orange, yellow, green, cyan, blue, violet, white.
const Bytes kSlotColours[keyboard::kColourSlots] = {
    {0xff, 0x00, 0x00}, {0xff, 0x80, 0x00}, {0xff, 0xff, 0x00}, {0x00, 0xff, 0x00},
    {0x00, 0xff, 0xff}, {0x00, 0x00, 0xff}, {0x80, 0x00, 0xff}, {0xff, 0xff, 0xff}};

} // namespace

FirmwareState KeyboardFactoryState::build() {
    FirmwareState s;
    s.define(kFirmwareVersion, {0x01, 0x02});
    s.define(kReportRate, {0x01});
    s.define(kProfile, {0x00});
    s.define(kOptions, Bytes(4, 0x00));
    s.define(kSensitivity, Bytes(5, 0x00));
    s.define(kIndicatorLight, {0x01, 0x00});
    s.define(kLedType, {0x00, 0x01, 0x03, 0x04, 0x00, 0x00});
    s.define(kMode, {0x00});
    s.define(kKeyMatrix, factoryKeyMatrix());
    s.define(kKeyOnOff, Bytes(keyboard::kKeyOnOffSize, 0xff)); // every key enabled
    for (int id = 0; id < keyboard::kMacroSlots; ++id)
        s.define(macro(id), Bytes(keyboard::kMacroSize, 0x00));
    for (int index = 0; index < keyboard::kUserPictures; ++index)
        s.define(userPicture(index), Bytes(keyboard::kUserPictureSize, 0x00));
    for (int index = 0; index < keyboard::kColourSlots; ++index)
        s.define(colour(index), kSlotColours[index]);
    return s;
}

} // namespace q7vm
