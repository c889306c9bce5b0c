#pragma once

#include "Firmware.h"

namespace q7vm {

// The companion keyboard, so the keyboard dialect can be tested against something.
class KeyboardFirmware : public Firmware {
public:
    explicit KeyboardFirmware(FirmwareState stored);

protected:
    CommandOutcome dispatch(const Command &command) override;

private:
    CommandOutcome setBytes(const char *field, const Command &command, int firstByte);
    CommandOutcome answerBytes(std::uint8_t code, const char *field, int firstByte,
                               std::size_t count) const;
    CommandOutcome setMacro(const Command &command);
    CommandOutcome getMacro(const Command &command) const;
    CommandOutcome setUserPicture(const Command &command);
    CommandOutcome getUserPicture(const Command &command) const;
    CommandOutcome setColour(const Command &command);
    CommandOutcome getColour(const Command &command) const;
    CommandOutcome getLedType() const;
    CommandOutcome bulkGet(std::uint8_t code, const std::string &field, std::uint8_t lengthByte,
                           std::uint8_t selector = 0) const;
};

} // namespace q7vm
