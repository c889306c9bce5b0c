#include "UserPrompt.h"

#include "ConsolePrompt.h"

namespace {
UserPrompt *installed = nullptr;
} // namespace

UserPrompt &UserPrompt::current() {
    static ConsolePrompt fallback(false);
    return installed ? *installed : fallback;
}

void UserPrompt::install(UserPrompt *prompt) {
    installed = prompt;
}
