#pragma once

#include "FirmwareState.h"

#include <string>

namespace q7vm {

// Field names of the mouse's memory and what a new mouse holds in them.
class MouseFactoryState {
public:
    static constexpr const char *kReportRate = "report_rate";
    static constexpr const char *kProfile = "profile";
    static constexpr const char *kSensorType = "sensor_type";
    static constexpr const char *kOptions = "options";    // option1, option2 of 0x03
    static constexpr const char *kPressGun = "press_gun"; // sens1..sens4, index
    static constexpr const char *kDpiStage = "dpi_stage";
    static constexpr const char *kRgbEffect = "rgb_effect"; // effect, brightness, speed
    static constexpr const char *kDpiCodes = "dpi_codes";
    static constexpr const char *kDpiStageCount = "dpi_stage_count";
    static constexpr const char *kFirmwareVersion = "firmware_version";

    static std::string ledInstruct(int type) { return "led_instruct_" + std::to_string(type); }
    static std::string colourTable(int type) { return "colours_" + std::to_string(type); }
    static std::string keyTable(int index) { return "key_table_" + std::to_string(index); }
    static std::string macro(int id) { return "macro_" + std::to_string(id); }

    static FirmwareState build();
};

} // namespace q7vm
