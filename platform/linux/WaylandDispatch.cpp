#include "WaylandDispatch.h"

#include <wayland-client.h>

#include <chrono>

#include <poll.h>

namespace {

using Clock = std::chrono::steady_clock;

int prepareRead(wl_display *display, wl_event_queue *queue) {
    return queue ? wl_display_prepare_read_queue(display, queue) : wl_display_prepare_read(display);
}

int dispatchPending(wl_display *display, wl_event_queue *queue) {
    return queue ? wl_display_dispatch_queue_pending(display, queue)
                 : wl_display_dispatch_pending(display);
}

void syncDone(void *data, wl_callback *, uint32_t) {
    *static_cast<bool *>(data) = true;
}
constexpr wl_callback_listener SyncListener{syncDone};

} // namespace

bool WaylandDispatch::until(wl_display *display, wl_event_queue *queue,
                            const std::function<bool()> &done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        while (prepareRead(display, queue) != 0) {
            if (dispatchPending(display, queue) < 0)
                return false;
        }
        if (done()) {
            wl_display_cancel_read(display);
            break;
        }
        wl_display_flush(display);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, int(left)) <= 0) {
            wl_display_cancel_read(display);
            return dispatchPending(display, queue) >= 0 && done();
        }
        if (wl_display_read_events(display) < 0 || dispatchPending(display, queue) < 0)
            return false;
    }
    return true;
}

bool WaylandDispatch::roundtrip(wl_display *display, int timeoutMs) {
    bool synced = false;
    wl_callback *sync = wl_display_sync(display);
    wl_callback_add_listener(sync, &SyncListener, &synced);
    const bool answered = until(
        display, nullptr, [&synced] { return synced; }, timeoutMs);
    wl_callback_destroy(sync);
    return answered;
}
