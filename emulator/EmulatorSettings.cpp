#include "EmulatorSettings.h"

#include <cstdlib>
#include <string_view>

namespace q7vm {

namespace {

constexpr const char *kDeviceVariable = "Q7_VIRTUAL_DEVICE";
constexpr const char *kCodeVariable = "Q7_VIRTUAL_CODE";
constexpr const char *kStateVariable = "Q7_VIRTUAL_STATE";
constexpr const char *kLogVariable = "Q7_VIRTUAL_LOG";
constexpr const char *kFaultVariable = "Q7_VIRTUAL_FAULT";

constexpr std::string_view kFactoryCode = "274951";
constexpr std::size_t kCodeLength = 6;

std::string variable(const char *name) {
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string defaultStatePath(DeviceKind kind) {
    std::string folder = variable("TMPDIR");
    if (folder.empty())
        folder = "/tmp";
    return folder + (kind == DeviceKind::Keyboard ? "/q7-virtual-keyboard.state"
                                                  : "/q7-virtual-mouse.state");
}

} // namespace

EmulatorSettings EmulatorSettings::fromEnvironment() {
    EmulatorSettings settings;
    settings.kind =
        variable(kDeviceVariable) == "keyboard" ? DeviceKind::Keyboard : DeviceKind::Mouse;

    // Like the real device, the code is exactly six characters; anything else keeps the factory
    // one.
    const std::string code = variable(kCodeVariable);
    settings.secrecyCode = code.size() == kCodeLength ? code : std::string(kFactoryCode);

    settings.statePath = variable(kStateVariable);
    if (settings.statePath.empty())
        settings.statePath = defaultStatePath(settings.kind);
    settings.logPath = variable(kLogVariable);
    settings.faults = FaultPlan::parse(variable(kFaultVariable));
    return settings;
}

} // namespace q7vm
