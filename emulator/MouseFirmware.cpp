#include "MouseFirmware.h"

#include "MouseCommands.h"
#include "MouseFactoryState.h"

namespace q7vm {

using namespace mouse;
using F = MouseFactoryState;

namespace {

bool isRateCode(std::uint8_t rate) {
    return rate == 1 || rate == 2 || rate == 4 || rate == 8; // 1000, 500, 250, 125 Hz
}

std::size_t colourTableSize(int type) {
    return type == 2 ? kNumberTableSize : kRgbTableSize;
}

} // namespace

MouseFirmware::MouseFirmware(FirmwareState stored)
    : Firmware(MouseFactoryState::build(), std::move(stored)) {}

CommandOutcome MouseFirmware::dispatch(const Command &command) {
    switch (command.code()) {
    case kSetReportRate:
        return setReportRate(command);
    case kGetReportRate:
        return answerOneByte(kGetReportRate, F::kReportRate);
    case kSetCurrentProfile:
        return stored(state_.setByte(F::kProfile, 0, command.at(2)));
    case kGetCurrentProfile:
        return answerOneByte(kGetCurrentProfile, F::kProfile);
    case kSetFunctionOption:
        return setFunctionOption(command);
    case kGetFunctionOption:
        return getFunctionOption();
    case kSetPressGun:
        return setPressGun(command);
    case kGetPressGun:
        return getPressGun();
    case kSetLedInstruct:
        return setLedInstruct(command);
    case kGetLedInstruct:
        return getLedInstruct(command);
    case kSetCurrentDpiStage:
        return setCurrentDpiStage(command);
    case kGetCurrentDpiStage:
        return answerOneByte(kGetCurrentDpiStage, F::kDpiStage);
    case kSetRgbEffect:
        return setRgbEffect(command);
    case kGetRgbEffect:
        return getRgbEffect();
    case kSetStageColours:
        return setStageColours(command);
    case kGetStageColours:
        return getStageColours(command);
    case kSetDpiSet:
        return setDpiSet(command);
    case kGetDpiSet:
        return getDpiSet();
    case kSetKeyTable:
        return setKeyTable(command);
    case kGetKeyTable:
        return getKeyTable();
    case kSetMacro:
        return setMacro(command);
    case kGetMacro:
        return getMacro(command);
    case kGetFirmwareVersion: {
        AnswerBytes answer = answerFrame(kGetFirmwareVersion);
        put(answer, 2, state_.byte(F::kFirmwareVersion, 0));
        put(answer, 3, state_.byte(F::kFirmwareVersion, 1));
        return answered(answer);
    }
    default:
        return refused();
    }
}

CommandOutcome MouseFirmware::answerOneByte(std::uint8_t code, const char *field) const {
    AnswerBytes answer = answerFrame(code);
    put(answer, 2, state_.byte(field));
    return answered(answer);
}

CommandOutcome MouseFirmware::setReportRate(const Command &command) {
    if (!isRateCode(command.at(2)))
        return refused();
    return stored(state_.setByte(F::kReportRate, 0, command.at(2)));
}

CommandOutcome MouseFirmware::setFunctionOption(const Command &command) {
    // Byte 2 (sensor type) describes the hardware and is not writable.
    bool changed = false;
    if (isRateCode(command.at(3)))
        changed = state_.setByte(F::kReportRate, 0, command.at(3));
    changed = state_.set(F::kOptions, {command.at(4), command.at(5)}) || changed;
    return stored(changed);
}

CommandOutcome MouseFirmware::getFunctionOption() const {
    AnswerBytes answer = answerFrame(kGetFunctionOption);
    put(answer, 2, state_.byte(F::kSensorType));
    put(answer, 3, state_.byte(F::kReportRate));
    put(answer, 4, state_.byte(F::kOptions, 0));
    put(answer, 5, state_.byte(F::kOptions, 1));
    return answered(answer);
}

CommandOutcome MouseFirmware::setPressGun(const Command &command) {
    return stored(state_.set(
        F::kPressGun, {command.at(2), command.at(3), command.at(4), command.at(5), command.at(6)}));
}

CommandOutcome MouseFirmware::getPressGun() const {
    AnswerBytes answer = answerFrame(kGetPressGun);
    for (int i = 0; i < 5; ++i)
        put(answer, 2 + i, state_.byte(F::kPressGun, static_cast<std::size_t>(i)));
    return answered(answer);
}

CommandOutcome MouseFirmware::setLedInstruct(const Command &command) {
    const int type = command.at(2);
    if (type >= kLedTypes)
        return refused();
    return stored(state_.set(F::ledInstruct(type), {command.at(3), command.at(4), command.at(5)}));
}

CommandOutcome MouseFirmware::getLedInstruct(const Command &command) const {
    const int type = command.at(2);
    if (type >= kLedTypes)
        return refused();
    AnswerBytes answer = answerFrame(kGetLedInstruct);
    put(answer, 2, static_cast<std::uint8_t>(type));
    for (int i = 0; i < 3; ++i)
        put(answer, 3 + i, state_.byte(F::ledInstruct(type), static_cast<std::size_t>(i)));
    return answered(answer);
}

CommandOutcome MouseFirmware::setCurrentDpiStage(const Command &command) {
    const int stage = command.at(2);
    if (stage < 1 || stage > kMaxDpiStages)
        return refused();
    return stored(state_.setByte(F::kDpiStage, 0, command.at(2)));
}

CommandOutcome MouseFirmware::setRgbEffect(const Command &command) {
    return stored(state_.set(F::kRgbEffect, {command.at(2), command.at(3), command.at(4)}));
}

CommandOutcome MouseFirmware::getRgbEffect() const {
    AnswerBytes answer = answerFrame(kGetRgbEffect);
    for (int i = 0; i < 3; ++i)
        put(answer, 2 + i, state_.byte(F::kRgbEffect, static_cast<std::size_t>(i)));
    return answered(answer);
}

CommandOutcome MouseFirmware::setStageColours(const Command &command) {
    const int type = command.at(2);
    if (type >= kColourTableTypes)
        return refused();
    return expectBulk(colourTableSize(type), [this, type](const Bytes &data) {
        return state_.set(F::colourTable(type), data);
    });
}

CommandOutcome MouseFirmware::getStageColours(const Command &command) const {
    const int type = command.at(2);
    if (type >= kColourTableTypes)
        return refused();
    AnswerBytes answer = answerFrame(kGetStageColours);
    put(answer, 2, static_cast<std::uint8_t>(type));
    put(answer, 3, static_cast<std::uint8_t>(colourTableSize(type)));
    return answeredWithBulk(answer, state_.field(F::colourTable(type)));
}

CommandOutcome MouseFirmware::setDpiSet(const Command &command) {
    const int stages = command.at(2);
    if (stages < 1 || stages > kMaxDpiStages)
        return refused();
    return expectBulk(kDpiCodeCount, [this, stages](const Bytes &codes) {
        const bool countChanged =
            state_.setByte(F::kDpiStageCount, 0, static_cast<std::uint8_t>(stages));
        return state_.set(F::kDpiCodes, codes) || countChanged;
    });
}

CommandOutcome MouseFirmware::getDpiSet() const {
    AnswerBytes answer = answerFrame(kGetDpiSet);
    put(answer, 2, state_.byte(F::kDpiStageCount));
    put(answer, 3, static_cast<std::uint8_t>(kDpiCodeCount));
    return answeredWithBulk(answer, state_.field(F::kDpiCodes));
}

CommandOutcome MouseFirmware::setKeyTable(const Command &command) {
    const int index = command.at(2);
    if (index < 1 || index > kKeyTables)
        return refused();
    return expectBulk(kKeyTableSize, [this, index](const Bytes &table) {
        return state_.set(F::keyTable(index), table);
    });
}

CommandOutcome MouseFirmware::getKeyTable() const {
    // The get has no selector that counts: it always reads table 1.
    AnswerBytes answer = answerFrame(kGetKeyTable);
    put(answer, 2, 1);
    put(answer, 3, static_cast<std::uint8_t>(kKeyTableSize));
    return answeredWithBulk(answer, state_.field(F::keyTable(1)));
}

CommandOutcome MouseFirmware::setMacro(const Command &command) {
    const int id = command.at(2);
    if (id < 1 || id > kMacroSlots)
        return refused();
    return expectBulk(kMacroSize,
                      [this, id](const Bytes &image) { return state_.set(F::macro(id), image); });
}

CommandOutcome MouseFirmware::getMacro(const Command &command) const {
    const int id = command.at(2);
    if (id < 1 || id > kMacroSlots)
        return refused();
    AnswerBytes answer = answerFrame(kGetMacro);
    put(answer, 2, static_cast<std::uint8_t>(id));
    put(answer, 3, static_cast<std::uint8_t>(kMacroSize));
    return answeredWithBulk(answer, state_.field(F::macro(id)));
}

} // namespace q7vm
