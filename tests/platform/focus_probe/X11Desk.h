#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct xcb_connection_t;

// Stands in for an X11 window manager in the focus tests: maps one window per class name and,
// when told, writes the root properties a window manager keeps (_NET_ACTIVE_WINDOW,
// _NET_CLIENT_LIST, _NET_SUPPORTED). Under a real window manager (sway's XWayland) it only
// maps the windows and leaves the root to the manager.
class X11Desk {
public:
    X11Desk();
    ~X11Desk();
    X11Desk(const X11Desk &) = delete;
    X11Desk &operator=(const X11Desk &) = delete;

    bool connected() const;
    // A mapped window whose WM_CLASS is (className, className).
    void addWindow(const std::string &className);
    // The window of that class becomes the active one and gets the input focus; an empty name
    // or one without a window: none is active. False for an unknown class.
    bool activate(const std::string &className);
    // _NET_CLIENT_LIST: every window of the desk.
    void listWindows();
    // _NET_SUPPORTED: these atoms only.
    void setSupported(const std::vector<std::string> &atomNames);
    // Waits until the server has handled everything sent.
    bool sync();

private:
    uint32_t atom(const std::string &name);
    void setRootWindows(const char *property, uint32_t type, const std::vector<uint32_t> &values);

    xcb_connection_t *m_connection = nullptr;
    uint32_t m_root = 0;
    uint32_t m_backgroundPixel = 0;
    std::vector<std::pair<std::string, uint32_t>> m_windows;
};
