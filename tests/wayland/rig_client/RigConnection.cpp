#include "RigConnection.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

template <typename T>
void bind(wl_registry *registry, uint32_t name, const wl_interface *interface, uint32_t version,
          T *&into) {
    if (!into)
        into = static_cast<T *>(wl_registry_bind(registry, name, interface, version));
}

void outputMode(void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t) {
    auto *connection = static_cast<RigConnection *>(data);
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        connection->outputWidth = width;
        connection->outputHeight = height;
    }
}
void outputGeometry(void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *,
                    const char *, int32_t) {}
void outputDone(void *, wl_output *) {}
void outputScale(void *, wl_output *, int32_t) {}
// Bound at version 1: the later events (name, description) never come.
constexpr wl_output_listener OutputListener{outputGeometry, outputMode, outputDone,
                                            outputScale,    nullptr,    nullptr};

void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t) {
    auto *c = static_cast<RigConnection *>(data);
    const auto is = [interface](const wl_interface &i) {
        return std::strcmp(interface, i.name) == 0;
    };
    if (is(wl_compositor_interface))
        bind(registry, name, &wl_compositor_interface, 4, c->compositor);
    else if (is(wl_shm_interface))
        bind(registry, name, &wl_shm_interface, 1, c->shm);
    else if (is(wl_seat_interface))
        bind(registry, name, &wl_seat_interface, 1, c->seat);
    else if (is(xdg_wm_base_interface))
        bind(registry, name, &xdg_wm_base_interface, 1, c->wmBase);
    else if (is(zwlr_virtual_pointer_manager_v1_interface))
        bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1, c->pointerManager);
    else if (is(zwp_virtual_keyboard_manager_v1_interface))
        bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1, c->keyboardManager);
    else if (is(wl_output_interface) && c->outputWidth == 0) {
        auto *output =
            static_cast<wl_output *>(wl_registry_bind(registry, name, &wl_output_interface, 1));
        wl_output_add_listener(output, &OutputListener, c);
    }
}
void globalRemove(void *, wl_registry *, uint32_t) {}
constexpr wl_registry_listener RegistryListener{global, globalRemove};

void ping(void *, xdg_wm_base *base, uint32_t serial) {
    xdg_wm_base_pong(base, serial);
}
constexpr xdg_wm_base_listener WmBaseListener{ping};

} // namespace

RigConnection::RigConnection() : m_display(wl_display_connect(nullptr)) {
    if (!m_display)
        return;
    wl_registry *registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(registry, &RegistryListener, this);
    // Globals first, then the events of what was bound (the output's mode).
    roundtrip();
    roundtrip();
    wl_registry_destroy(registry);
    if (wmBase)
        xdg_wm_base_add_listener(wmBase, &WmBaseListener, nullptr);
}

RigConnection::~RigConnection() {
    if (m_display)
        wl_display_disconnect(m_display);
}

bool RigConnection::roundtrip() {
    return wl_display_roundtrip(m_display) >= 0;
}
