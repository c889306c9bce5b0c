#pragma once

#include <cstdint>
#include <string>

class RigConnection;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;
struct zwlr_virtual_pointer_v1;
struct zwp_virtual_keyboard_v1;

// A virtual pointer and a virtual keyboard on the compositor's seat, as if a mouse and a US
// keyboard were plugged in. Keys go out as real evdev codes under a standard US keymap, and the
// modifier state follows the keys, as the compositor would track a physical keyboard's.
class VirtualInput {
public:
    explicit VirtualInput(RigConnection &connection);
    ~VirtualInput();
    VirtualInput(const VirtualInput &) = delete;
    VirtualInput &operator=(const VirtualInput &) = delete;

    // False when the compositor lacks either protocol or the keymap cannot be built.
    bool ready() const { return m_pointer && m_keyboard && m_state; }
    std::string error() const { return m_error; }

    // Absolute position in the output's pixels.
    void moveTo(uint32_t x, uint32_t y);
    // A relative move, in steps, as a hand drags (each step is one motion event).
    void moveBy(int dx, int dy);
    // button: an evdev button code (BTN_LEFT …).
    void button(uint32_t code, bool down);
    // An evdev key code, with the modifier state that follows from it.
    void key(uint32_t code, bool down);
    // A key as xdotool names it ("a", "Return", "KP_Enter", "ctrl+a", "shift+b"): the modifiers
    // go down, the key is pressed and released, the modifiers come up. False for an unknown name.
    bool stroke(const std::string &chord);

private:
    uint32_t now() const;
    void sendModifiers();
    // The evdev code of the key that gives the keysym at the lowest level, and whether that
    // level needs Shift; false when no key of the keymap gives it.
    bool findKey(const std::string &name, uint32_t &code, bool &shift) const;

    RigConnection &m_connection;
    zwlr_virtual_pointer_v1 *m_pointer = nullptr;
    zwp_virtual_keyboard_v1 *m_keyboard = nullptr;
    xkb_context *m_context = nullptr;
    xkb_keymap *m_keymap = nullptr;
    xkb_state *m_state = nullptr;
    uint32_t m_sentMods[4] = {0, 0, 0, 0};
    std::string m_error;
};
