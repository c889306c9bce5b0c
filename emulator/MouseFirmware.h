#pragma once

#include "Firmware.h"

namespace q7vm {

// The Q7 mouse: its own command set plus the keyboard commands it also answers
// (report rate, function options, press-gun values, profile).
class MouseFirmware : public Firmware {
public:
    explicit MouseFirmware(FirmwareState stored);

protected:
    CommandOutcome dispatch(const Command &command) override;

private:
    CommandOutcome setReportRate(const Command &command);
    CommandOutcome setFunctionOption(const Command &command);
    CommandOutcome getFunctionOption() const;
    CommandOutcome setPressGun(const Command &command);
    CommandOutcome getPressGun() const;
    CommandOutcome setLedInstruct(const Command &command);
    CommandOutcome getLedInstruct(const Command &command) const;
    CommandOutcome setCurrentDpiStage(const Command &command);
    CommandOutcome setRgbEffect(const Command &command);
    CommandOutcome getRgbEffect() const;
    CommandOutcome setStageColours(const Command &command);
    CommandOutcome getStageColours(const Command &command) const;
    CommandOutcome setDpiSet(const Command &command);
    CommandOutcome getDpiSet() const;
    CommandOutcome setKeyTable(const Command &command);
    CommandOutcome getKeyTable() const;
    CommandOutcome setMacro(const Command &command);
    CommandOutcome getMacro(const Command &command) const;
    CommandOutcome answerOneByte(std::uint8_t code, const char *field) const;
};

} // namespace q7vm
