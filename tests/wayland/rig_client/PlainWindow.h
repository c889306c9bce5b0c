#pragma once

#include <string>

class RigConnection;
struct wl_buffer;
struct wl_surface;
struct xdg_surface;
struct xdg_toplevel;

// A window of one flat colour with an app id: another client for the compositor to focus.
class PlainWindow {
public:
    PlainWindow(RigConnection &connection, const std::string &appId, int width, int height);
    ~PlainWindow();
    PlainWindow(const PlainWindow &) = delete;
    PlainWindow &operator=(const PlainWindow &) = delete;

    // Waits for the compositor's first configure and shows the colour; false when it cannot.
    bool show();
    bool closeRequested() const { return m_closeRequested; }

private:
    static void configure(void *data, xdg_surface *surface, uint32_t serial);
    static void toplevelConfigure(void *, xdg_toplevel *, int32_t, int32_t, struct wl_array *);
    static void toplevelClose(void *data, xdg_toplevel *);
    bool attachBuffer();

    RigConnection &m_connection;
    int m_width;
    int m_height;
    wl_surface *m_surface = nullptr;
    xdg_surface *m_xdgSurface = nullptr;
    xdg_toplevel *m_toplevel = nullptr;
    wl_buffer *m_buffer = nullptr;
    bool m_configured = false;
    bool m_closeRequested = false;
};
