#pragma once

#include <functional>

struct wl_display;
struct wl_event_queue;

// Waiting for a Wayland compositor without waiting forever: a compositor that stops answering
// must not freeze the program.
namespace WaylandDispatch {

// Dispatches the queue (the connection's default queue when null) until done() holds or
// timeoutMs have passed; false then, or when the connection failed. Another thread (Qt's) may
// read the same connection: the prepare/read protocol lets both wait on the socket safely.
bool until(wl_display *display, wl_event_queue *queue, const std::function<bool()> &done,
           int timeoutMs);

// A round trip on the default queue: every request sent so far is handled and its events
// dispatched. False when the compositor did not answer within timeoutMs.
bool roundtrip(wl_display *display, int timeoutMs);

} // namespace WaylandDispatch
