#pragma once

#include "FirmwareState.h"

#include <string>

namespace q7vm {

// Field names of the keyboard's memory and what a new keyboard holds in them.
class KeyboardFactoryState {
public:
    static constexpr const char *kFirmwareVersion = "firmware_version";
    static constexpr const char *kReportRate = "report_rate";
    static constexpr const char *kProfile = "profile";
    static constexpr const char *kOptions = "options";                // byte1..byte4
    static constexpr const char *kSensitivity = "sensitivity";        // sens1..sens4, index
    static constexpr const char *kIndicatorLight = "indicator_light"; // effect, frequency
    static constexpr const char *kLedType =
        "led_type"; // option, effect, speed, light, colour, direction
    static constexpr const char *kMode = "mode";
    static constexpr const char *kKeyMatrix = "key_matrix";
    static constexpr const char *kKeyOnOff = "key_on_off";

    static std::string macro(int id) { return "macro_" + std::to_string(id); }
    static std::string userPicture(int index) { return "user_picture_" + std::to_string(index); }
    static std::string colour(int index) { return "colour_" + std::to_string(index); }

    static FirmwareState build();
};

} // namespace q7vm
