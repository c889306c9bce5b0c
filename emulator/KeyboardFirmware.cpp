#include "KeyboardFirmware.h"

#include "KeyboardCommands.h"
#include "KeyboardFactoryState.h"

namespace q7vm {

using namespace keyboard;
using F = KeyboardFactoryState;

namespace {

// Byte 4 of the bulk commands: reports of 64 bytes, except 0x0E which counts bytes.
constexpr std::uint8_t kMatrixReports = kKeyMatrixSize / kBulkReportLength;
constexpr std::uint8_t kMacroReports = kMacroSize / kBulkReportLength;
constexpr std::uint8_t kPictureReports = kUserPictureSize / kBulkReportLength;
constexpr int kSelectorByte = 3;
constexpr int kLengthByte = 4;

} // namespace

KeyboardFirmware::KeyboardFirmware(FirmwareState stored)
    : Firmware(KeyboardFactoryState::build(), std::move(stored)) {}

CommandOutcome KeyboardFirmware::dispatch(const Command &command) {
    switch (command.code()) {
    case kSetReportRate:
        return setBytes(F::kReportRate, command, 2);
    case kGetReportRate:
        return answerBytes(kGetReportRate, F::kReportRate, 2, 1);
    case kSetCurrentProfile:
        return setBytes(F::kProfile, command, 2);
    case kGetCurrentProfile:
        return answerBytes(kGetCurrentProfile, F::kProfile, 2, 1);
    case kSetOptions:
        return setBytes(F::kOptions, command, 2);
    case kGetOptions:
        return answerBytes(kGetOptions, F::kOptions, 2, 4);
    case kSetSensitivity:
        return setBytes(F::kSensitivity, command, 2);
    case kGetSensitivity: // the index byte is not read back
        return answerBytes(kGetSensitivity, F::kSensitivity, 2, 4);
    case kSetIndicatorLight:
        return setBytes(F::kIndicatorLight, command, 2);
    case kSetLedType:
        return setBytes(F::kLedType, command, 2);
    case kGetLedType:
        return getLedType();
    case kSetMode:
        return setBytes(F::kMode, command, 2);
    case kGetMode:
        return answerBytes(kGetMode, F::kMode, 2, 1);
    case kSetKeyMatrix:
        return expectBulk(kKeyMatrixSize,
                          [this](const Bytes &data) { return state_.set(F::kKeyMatrix, data); });
    case kGetKeyMatrix:
        return bulkGet(kGetKeyMatrix, F::kKeyMatrix, kMatrixReports);
    case kSetKeyOnOff:
        return expectBulk(kKeyOnOffSize,
                          [this](const Bytes &data) { return state_.set(F::kKeyOnOff, data); });
    case kGetKeyOnOff:
        return bulkGet(kGetKeyOnOff, F::kKeyOnOff, kKeyOnOffSize);
    case kSetMacro:
        return setMacro(command);
    case kGetMacro:
        return getMacro(command);
    case kSetUserPicture:
        return setUserPicture(command);
    case kGetUserPicture:
        return getUserPicture(command);
    case kSetRecovery:
        return command.at(2) == kRecoveryMagic ? stored(resetToFactory()) : refused();
    case kSetColour:
        return setColour(command);
    case kGetColour:
        return getColour(command);
    case kGetFirmwareVersion:
        return answerBytes(kGetFirmwareVersion, F::kFirmwareVersion, 2, 2);
    default:
        return refused();
    }
}

CommandOutcome KeyboardFirmware::setBytes(const char *field, const Command &command,
                                          int firstByte) {
    Bytes value(state_.field(field).size());
    for (std::size_t i = 0; i < value.size(); ++i)
        value[i] = command.at(firstByte + static_cast<int>(i));
    return stored(state_.set(field, value));
}

CommandOutcome KeyboardFirmware::answerBytes(std::uint8_t code, const char *field, int firstByte,
                                             std::size_t count) const {
    AnswerBytes answer = answerFrame(code);
    for (std::size_t i = 0; i < count; ++i)
        put(answer, firstByte + static_cast<int>(i), state_.byte(field, i));
    return answered(answer);
}

CommandOutcome KeyboardFirmware::getLedType() const {
    // Everything but the leading option byte, at the bytes the set used.
    AnswerBytes answer = answerFrame(kGetLedType);
    for (std::size_t i = 1; i < 6; ++i)
        put(answer, 2 + static_cast<int>(i), state_.byte(F::kLedType, i));
    return answered(answer);
}

CommandOutcome KeyboardFirmware::bulkGet(std::uint8_t code, const std::string &field,
                                         std::uint8_t lengthByte, std::uint8_t selector) const {
    AnswerBytes answer = answerFrame(code);
    put(answer, kSelectorByte, selector);
    put(answer, kLengthByte, lengthByte);
    return answeredWithBulk(answer, state_.field(field));
}

CommandOutcome KeyboardFirmware::setMacro(const Command &command) {
    const int id = command.at(kSelectorByte);
    if (id >= kMacroSlots)
        return refused();
    return expectBulk(kMacroSize,
                      [this, id](const Bytes &image) { return state_.set(F::macro(id), image); });
}

CommandOutcome KeyboardFirmware::getMacro(const Command &command) const {
    const std::uint8_t id = command.at(kSelectorByte);
    if (id >= kMacroSlots)
        return refused();
    return bulkGet(kGetMacro, F::macro(id), kMacroReports, id);
}

CommandOutcome KeyboardFirmware::setUserPicture(const Command &command) {
    const int index = command.at(kSelectorByte);
    if (index >= kUserPictures)
        return refused();
    return expectBulk(kUserPictureSize, [this, index](const Bytes &picture) {
        return state_.set(F::userPicture(index), picture);
    });
}

CommandOutcome KeyboardFirmware::getUserPicture(const Command &command) const {
    const std::uint8_t index = command.at(kSelectorByte);
    if (index >= kUserPictures)
        return refused();
    return bulkGet(kGetUserPicture, F::userPicture(index), kPictureReports, index);
}

CommandOutcome KeyboardFirmware::setColour(const Command &command) {
    const int index = command.at(kSelectorByte);
    if (index >= kColourSlots)
        return refused();
    return stored(state_.set(F::colour(index), {command.at(4), command.at(5), command.at(6)}));
}

CommandOutcome KeyboardFirmware::getColour(const Command &command) const {
    const std::uint8_t index = command.at(kSelectorByte);
    if (index >= kColourSlots)
        return refused();
    AnswerBytes answer = answerFrame(kGetColour);
    put(answer, kSelectorByte, index);
    for (std::size_t i = 0; i < 3; ++i)
        put(answer, 4 + static_cast<int>(i), state_.byte(F::colour(index), i));
    return answered(answer);
}

} // namespace q7vm
