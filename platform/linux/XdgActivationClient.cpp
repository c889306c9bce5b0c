#include "XdgActivationClient.h"

#include "WaylandDispatch.h"
#include "WaylandGlobals.h"
#include "xdg-activation-v1-client-protocol.h"

#include <wayland-client.h>

namespace {

// How long binding the global may take: one round trip to a live compositor.
constexpr int BindTimeoutMs = 1000;

// The xdg_activation_v1 global bound on a queue of our own; everything is released on leaving.
class ActivationGlobal {
public:
    explicit ActivationGlobal(wl_display *display)
        : m_globals(display, BindTimeoutMs),
          m_activation(
              static_cast<xdg_activation_v1 *>(m_globals.bind(&xdg_activation_v1_interface, 1))) {}

    ~ActivationGlobal() {
        if (m_activation)
            xdg_activation_v1_destroy(m_activation);
    }

    ActivationGlobal(const ActivationGlobal &) = delete;
    ActivationGlobal &operator=(const ActivationGlobal &) = delete;

    xdg_activation_v1 *get() const { return m_activation; }
    wl_event_queue *queue() const { return m_globals.queue(); }

private:
    WaylandGlobals m_globals;
    xdg_activation_v1 *m_activation;
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
