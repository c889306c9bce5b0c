#pragma once

#include <cstdint>

struct wl_compositor;
struct wl_display;
struct wl_seat;
struct wl_shm;
struct xdg_wm_base;
struct zwlr_virtual_pointer_manager_v1;
struct zwp_virtual_keyboard_manager_v1;

// A connection to the compositor named by WAYLAND_DISPLAY with the globals the rig client uses,
// each null when the compositor does not offer it.
class RigConnection {
public:
    RigConnection();
    ~RigConnection();
    RigConnection(const RigConnection &) = delete;
    RigConnection &operator=(const RigConnection &) = delete;

    bool connected() const { return m_display != nullptr; }
    wl_display *display() const { return m_display; }
    // Sends what is queued and waits until the compositor has handled it.
    bool roundtrip();

    wl_compositor *compositor = nullptr;
    wl_shm *shm = nullptr;
    wl_seat *seat = nullptr;
    xdg_wm_base *wmBase = nullptr;
    zwlr_virtual_pointer_manager_v1 *pointerManager = nullptr;
    zwp_virtual_keyboard_manager_v1 *keyboardManager = nullptr;
    // The size of the first output's current mode: the pointer's absolute coordinate space on
    // the rig's single output.
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;

private:
    wl_display *m_display = nullptr;
};
