// The Wayland rig's own client: input through a virtual pointer and keyboard, a plain window to
// take the focus, and activation tokens. Runs against the compositor in WAYLAND_DISPLAY (the
// headless sway of tests/wayland/sway_rig.py, which names this program in Q7_RIG_CLIENT).
#include "PlainWindow.h"
#include "RigConnection.h"
#include "VirtualInput.h"
#include "XdgActivationClient.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr int TokenTimeoutMs = 2000;

const char *const Usage =
    "usage: q7-rig-client input ACTION...\n"
    "         move X Y          pointer to output pixel (X, Y)\n"
    "         moveby DX DY      pointer moved by (DX, DY), in steps, as a drag\n"
    "         press|release|click [left|right|middle]\n"
    "         key CHORD         a key stroke as xdotool names it: a, Return, ctrl+a, KP_Enter\n"
    "         wait MS\n"
    "       q7-rig-client window APP_ID [WIDTH HEIGHT]   a plain window, until ended\n"
    "       q7-rig-client token [APP_ID]                 prints a token from xdg-activation\n";

int fail(const std::string &message) {
    std::fprintf(stderr, "q7-rig-client: %s\n", message.c_str());
    return 1;
}

// The evdev code of a button name; 0 for anything else.
uint32_t buttonCode(const std::string &name) {
    return name == "left"     ? BTN_LEFT
           : name == "right"  ? BTN_RIGHT
           : name == "middle" ? BTN_MIDDLE
                              : 0;
}

int input(RigConnection &connection, int argc, char **argv) {
    VirtualInput devices(connection);
    if (!devices.ready())
        return fail(devices.error());
    for (int i = 0; i < argc; ++i) {
        const std::string action = argv[i];
        const auto arg = [&](int k) { return i + k < argc ? argv[i + k] : nullptr; };
        if ((action == "move" || action == "moveby") && arg(1) && arg(2)) {
            const int x = std::atoi(arg(1)), y = std::atoi(arg(2));
            if (action == "move")
                devices.moveTo(uint32_t(x), uint32_t(y));
            else
                devices.moveBy(x, y);
            i += 2;
        } else if (action == "press" || action == "release" || action == "click") {
            uint32_t code = arg(1) ? buttonCode(arg(1)) : 0;
            if (code)
                ++i;
            else
                code = BTN_LEFT;
            if (action != "release")
                devices.button(code, true);
            if (action != "press")
                devices.button(code, false);
        } else if (action == "key" && arg(1)) {
            if (!devices.stroke(arg(1)))
                return fail(std::string("no key gives ") + arg(1));
            ++i;
        } else if (action == "wait" && arg(1)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(arg(1))));
            ++i;
        } else {
            return fail("cannot read \"" + action + "\"\n" + Usage);
        }
    }
    return 0;
}

int window(RigConnection &connection, int argc, char **argv) {
    if (argc < 1)
        return fail(Usage);
    const int width = argc >= 3 ? std::atoi(argv[1]) : 320;
    const int height = argc >= 3 ? std::atoi(argv[2]) : 240;
    PlainWindow plain(connection, argv[0], width, height);
    if (!plain.show())
        return fail("the compositor shows no window");
    std::puts("shown");
    std::fflush(stdout);
    while (!plain.closeRequested() && wl_display_dispatch(connection.display()) >= 0) {
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2)
        return fail(Usage);
    RigConnection connection;
    if (!connection.connected())
        return fail("no compositor at WAYLAND_DISPLAY");
    const std::string command = argv[1];
    if (command == "input")
        return input(connection, argc - 2, argv + 2);
    if (command == "window")
        return window(connection, argc - 2, argv + 2);
    if (command == "token") {
        const std::string token = XdgActivationClient::requestToken(
            connection.display(), argc > 2 ? argv[2] : "", TokenTimeoutMs);
        if (token.empty())
            return fail("the compositor gave no activation token");
        std::puts(token.c_str());
        return 0;
    }
    return fail(Usage);
}
