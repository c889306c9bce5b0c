#include "WaylandGlobals.h"

#include "WaylandDispatch.h"

#include <wayland-client.h>

namespace {

void syncDone(void *data, wl_callback *, uint32_t) {
    *static_cast<bool *>(data) = true;
}

constexpr wl_callback_listener SyncListener{syncDone};

} // namespace

WaylandGlobals::WaylandGlobals(wl_display *display, int timeoutMs)
    : m_display(display), m_queue(display ? wl_display_create_queue(display) : nullptr) {
    if (!display)
        return;
    m_wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(m_wrapper), m_queue);
    m_registry = wl_display_get_registry(m_wrapper);
    static constexpr wl_registry_listener RegistryListener{global, globalRemove};
    wl_registry_add_listener(m_registry, &RegistryListener, this);
    bool synced = false;
    wl_callback *sync = wl_display_sync(m_wrapper);
    wl_callback_add_listener(sync, &SyncListener, &synced);
    if (!WaylandDispatch::until(
            m_display, m_queue, [&synced] { return synced; }, timeoutMs))
        m_globals.clear(); // a list cut short is no answer
    wl_callback_destroy(sync);
}

WaylandGlobals::~WaylandGlobals() {
    if (!m_display)
        return;
    wl_registry_destroy(m_registry);
    wl_proxy_wrapper_destroy(m_wrapper);
    wl_display_flush(m_display);
    wl_event_queue_destroy(m_queue);
}

void WaylandGlobals::global(void *data, wl_registry *, uint32_t name, const char *interface,
                            uint32_t) {
    static_cast<WaylandGlobals *>(data)->m_globals.push_back({name, interface});
}

const WaylandGlobals::Global *WaylandGlobals::find(const char *interface) const {
    for (const Global &global : m_globals) {
        if (global.interface == interface)
            return &global;
    }
    return nullptr;
}

bool WaylandGlobals::offers(const char *interface) const {
    return find(interface) != nullptr;
}

void *WaylandGlobals::bind(const wl_interface *interface, uint32_t version) const {
    const Global *global = find(interface->name);
    return global ? wl_registry_bind(m_registry, global->name, interface, version) : nullptr;
}
