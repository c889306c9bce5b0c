#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct wl_display;
struct wl_event_queue;
struct wl_interface;
struct wl_registry;

// The globals a compositor offers, listed on a connection that someone else owns (Qt's, or a test
// tool's) through an event queue of our own: the owner's dispatching never sees these objects.
// Objects bound here live on that queue and must be destroyed before this is.
class WaylandGlobals {
public:
    // Lists the globals in one round trip; none when the compositor does not answer in time.
    WaylandGlobals(wl_display *display, int timeoutMs);
    ~WaylandGlobals();
    WaylandGlobals(const WaylandGlobals &) = delete;
    WaylandGlobals &operator=(const WaylandGlobals &) = delete;

    bool offers(const char *interface) const;
    // Binds the interface's global at the version given; null when it is not offered.
    void *bind(const wl_interface *interface, uint32_t version) const;
    wl_event_queue *queue() const { return m_queue; }

private:
    struct Global {
        uint32_t name;
        std::string interface;
    };
    const Global *find(const char *interface) const;
    static void global(void *data, wl_registry *, uint32_t name, const char *interface, uint32_t);
    static void globalRemove(void *, wl_registry *, uint32_t) {}

    wl_display *m_display;
    wl_event_queue *m_queue;
    wl_display *m_wrapper = nullptr;
    wl_registry *m_registry = nullptr;
    std::vector<Global> m_globals;
};
