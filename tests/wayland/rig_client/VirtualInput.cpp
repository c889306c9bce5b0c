#include "VirtualInput.h"

#include "RigConnection.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include <strings.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// XKB keycodes are evdev codes plus this.
constexpr uint32_t XkbOffset = 8;
constexpr int DragStepPixels = 8;
// Between events, so that clients see them as separate moments, as from a hand.
constexpr auto EventGap = std::chrono::milliseconds(12);

struct Modifier {
    const char *name;
    uint32_t code;
};
constexpr Modifier Modifiers[] = {{"ctrl", KEY_LEFTCTRL},   {"control", KEY_LEFTCTRL},
                                  {"shift", KEY_LEFTSHIFT}, {"alt", KEY_LEFTALT},
                                  {"super", KEY_LEFTMETA},  {"logo", KEY_LEFTMETA}};

// The keymap text handed to the compositor through a file descriptor, NUL included.
int keymapFile(const char *text, uint32_t &size) {
    size = uint32_t(std::strlen(text) + 1);
    const int fd = memfd_create("q7-rig-keymap", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    if (write(fd, text, size) != ssize_t(size)) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

VirtualInput::VirtualInput(RigConnection &connection) : m_connection(connection) {
    if (!connection.pointerManager || !connection.keyboardManager || !connection.seat) {
        m_error = "the compositor offers no virtual pointer or keyboard";
        return;
    }
    m_pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(connection.pointerManager,
                                                                       connection.seat);
    m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection.keyboardManager,
                                                                         connection.seat);

    m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names us{"evdev", "pc105", "us", "", ""};
    m_keymap = m_context ? xkb_keymap_new_from_names(m_context, &us, XKB_KEYMAP_COMPILE_NO_FLAGS)
                         : nullptr;
    if (!m_keymap) {
        m_error = "no US keymap (is xkb-data installed?)";
        return;
    }
    std::unique_ptr<char, decltype(&std::free)> text(
        xkb_keymap_get_as_string(m_keymap, XKB_KEYMAP_FORMAT_TEXT_V1), &std::free);
    uint32_t size = 0;
    const int fd = keymapFile(text.get(), size);
    if (fd < 0) {
        m_error = "cannot hand the keymap over";
        return;
    }
    zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, size);
    close(fd);
    m_state = xkb_state_new(m_keymap);
    m_connection.roundtrip();
    // The compositor announces new devices to its clients; input sent at once can be lost.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

VirtualInput::~VirtualInput() {
    if (m_pointer)
        zwlr_virtual_pointer_v1_destroy(m_pointer);
    if (m_keyboard)
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
    m_connection.roundtrip();
    if (m_state)
        xkb_state_unref(m_state);
    if (m_keymap)
        xkb_keymap_unref(m_keymap);
    if (m_context)
        xkb_context_unref(m_context);
}

uint32_t VirtualInput::now() const {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void VirtualInput::moveTo(uint32_t x, uint32_t y) {
    zwlr_virtual_pointer_v1_motion_absolute(m_pointer, now(), x, y,
                                            uint32_t(m_connection.outputWidth),
                                            uint32_t(m_connection.outputHeight));
    zwlr_virtual_pointer_v1_frame(m_pointer);
    m_connection.roundtrip();
    std::this_thread::sleep_for(EventGap);
}

void VirtualInput::moveBy(int dx, int dy) {
    const int steps = std::max(1, std::max(std::abs(dx), std::abs(dy)) / DragStepPixels);
    int doneX = 0, doneY = 0;
    for (int i = 1; i <= steps; ++i) {
        const int x = dx * i / steps, y = dy * i / steps;
        zwlr_virtual_pointer_v1_motion(m_pointer, now(), wl_fixed_from_int(x - doneX),
                                       wl_fixed_from_int(y - doneY));
        zwlr_virtual_pointer_v1_frame(m_pointer);
        doneX = x;
        doneY = y;
        m_connection.roundtrip();
        std::this_thread::sleep_for(EventGap);
    }
}

void VirtualInput::button(uint32_t code, bool down) {
    zwlr_virtual_pointer_v1_button(m_pointer, now(), code,
                                   down ? WL_POINTER_BUTTON_STATE_PRESSED
                                        : WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(m_pointer);
    m_connection.roundtrip();
    std::this_thread::sleep_for(EventGap);
}

void VirtualInput::key(uint32_t code, bool down) {
    zwp_virtual_keyboard_v1_key(m_keyboard, now(), code,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                     : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(m_state, code + XkbOffset, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    sendModifiers();
    m_connection.roundtrip();
    std::this_thread::sleep_for(EventGap);
}

void VirtualInput::sendModifiers() {
    const uint32_t mods[4] = {xkb_state_serialize_mods(m_state, XKB_STATE_MODS_DEPRESSED),
                              xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LATCHED),
                              xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LOCKED),
                              xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE)};
    if (std::memcmp(mods, m_sentMods, sizeof mods) == 0)
        return;
    std::memcpy(m_sentMods, mods, sizeof mods);
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, mods[0], mods[1], mods[2], mods[3]);
}

bool VirtualInput::findKey(const std::string &name, uint32_t &code, bool &shift) const {
    xkb_keysym_t sym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (sym == XKB_KEY_NoSymbol)
        sym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (sym == XKB_KEY_NoSymbol)
        return false;
    const xkb_keycode_t first = xkb_keymap_min_keycode(m_keymap);
    const xkb_keycode_t last = xkb_keymap_max_keycode(m_keymap);
    for (xkb_level_index_t level = 0; level < 2; ++level) {
        for (xkb_keycode_t k = first; k <= last; ++k) {
            const xkb_keysym_t *syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(m_keymap, k, 0, level, &syms);
            for (int i = 0; i < count; ++i) {
                if (syms[i] == sym && k > XkbOffset) {
                    code = k - XkbOffset;
                    shift = level == 1;
                    return true;
                }
            }
        }
    }
    return false;
}

bool VirtualInput::stroke(const std::string &chord) {
    std::vector<std::string> parts;
    std::stringstream in(chord);
    for (std::string part; std::getline(in, part, '+');)
        parts.push_back(part);
    if (parts.empty())
        return false;
    std::vector<uint32_t> held;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const Modifier *found = nullptr;
        for (const Modifier &m : Modifiers)
            if (strcasecmp(parts[i].c_str(), m.name) == 0)
                found = &m;
        if (!found)
            return false;
        held.push_back(found->code);
    }
    uint32_t code = 0;
    bool shift = false;
    if (!findKey(parts.back(), code, shift))
        return false;
    if (shift)
        held.push_back(KEY_LEFTSHIFT);
    for (uint32_t m : held)
        key(m, true);
    key(code, true);
    key(code, false);
    for (auto m = held.rbegin(); m != held.rend(); ++m)
        key(*m, false);
    return true;
}
