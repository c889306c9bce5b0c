#include "XdgActivationClient.h"

#include "WaylandDispatch.h"
#include "xdg-activation-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

// How long binding the global may take: one round trip to a live compositor.
constexpr int BindTimeoutMs = 1000;

// The xdg_activation_v1 global bound on a queue of our own; everything is released on leaving.
class ActivationGlobal {
public:
    explicit ActivationGlobal(wl_display *display)
        : m_display(display), m_queue(wl_display_create_queue(display)) {
        m_wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(m_wrapper), m_queue);
        m_registry = wl_display_get_registry(m_wrapper);
        wl_registry_add_listener(m_registry, &RegistryListener, this);
        bool synced = false;
        wl_callback *sync = wl_display_sync(m_wrapper);
        wl_callback_add_listener(sync, &SyncListener, &synced);
        WaylandDispatch::until(
            m_display, m_queue, [&synced] { return synced; }, BindTimeoutMs);
        wl_callback_destroy(sync);
    }

    ~ActivationGlobal() {
        if (m_activation)
            xdg_activation_v1_destroy(m_activation);
        wl_registry_destroy(m_registry);
        wl_proxy_wrapper_destroy(m_wrapper);
        wl_display_flush(m_display);
        wl_event_queue_destroy(m_queue);
    }

    ActivationGlobal(const ActivationGlobal &) = delete;
    ActivationGlobal &operator=(const ActivationGlobal &) = delete;

    xdg_activation_v1 *get() const { return m_activation; }
    wl_event_queue *queue() const { return m_queue; }

private:
    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface,
                       uint32_t) {
        auto *self = static_cast<ActivationGlobal *>(data);
        if (!self->m_activation && std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
            self->m_activation = static_cast<xdg_activation_v1 *>(
                wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    }
    static void globalRemove(void *, wl_registry *, uint32_t) {}
    static void syncDone(void *data, wl_callback *, uint32_t) { *static_cast<bool *>(data) = true; }

    static constexpr wl_registry_listener RegistryListener{global, globalRemove};
    static constexpr wl_callback_listener SyncListener{syncDone};

    wl_display *m_display;
    wl_event_queue *m_queue;
    wl_display *m_wrapper = nullptr;
    wl_registry *m_registry = nullptr;
    xdg_activation_v1 *m_activation = nullptr;
};

struct TokenAnswer {
    bool done = false;
    std::string token;
};

void tokenDone(void *data, xdg_activation_token_v1 *, const char *token) {
    auto *answer = static_cast<TokenAnswer *>(data);
    answer->token = token ? token : "";
    answer->done = true;
}

constexpr xdg_activation_token_v1_listener TokenListener{tokenDone};

} // namespace

std::string XdgActivationClient::requestToken(wl_display *display, const std::string &appId,
                                              int timeoutMs) {
    if (!display)
        return {};
    ActivationGlobal global(display);
    if (!global.get())
        return {};
    TokenAnswer answer;
    xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(global.get());
    xdg_activation_token_v1_add_listener(request, &TokenListener, &answer);
    if (!appId.empty())
        xdg_activation_token_v1_set_app_id(request, appId.c_str());
    xdg_activation_token_v1_commit(request);
    WaylandDispatch::until(
        display, global.queue(), [&answer] { return answer.done; }, timeoutMs);
    xdg_activation_token_v1_destroy(request);
    return answer.token;
}

bool XdgActivationClient::activate(wl_display *display, wl_surface *surface,
                                   const std::string &token) {
    if (!display || !surface || token.empty())
        return false;
    ActivationGlobal global(display);
    if (!global.get())
        return false;
    xdg_activation_v1_activate(global.get(), token.c_str(), surface);
    return wl_display_flush(display) >= 0;
}
