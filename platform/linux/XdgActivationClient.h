#pragma once

#include <string>

struct wl_display;
struct wl_surface;

// The client side of the xdg-activation protocol on a Wayland connection that someone else owns
// (Qt's, or a test tool's). Its objects live on an event queue of their own, so the owner's
// dispatching never sees them and they never see the owner's events.
namespace XdgActivationClient {

// Asks the compositor for a token with which another client may bring its window forward.
// Without a surface or input serial (the asker shows no window), so it is the compositor's policy
// whether the token will be honoured. Empty when the compositor has no xdg-activation or does not
// answer within timeoutMs.
std::string requestToken(wl_display *display, const std::string &appId, int timeoutMs);

// Asks the compositor to activate the surface with a token. False when the compositor has no
// xdg-activation or the connection failed; whether it obeys is up to it.
bool activate(wl_display *display, wl_surface *surface, const std::string &token);

} // namespace XdgActivationClient
