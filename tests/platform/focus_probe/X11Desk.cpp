#include "X11Desk.h"

#include <xcb/xcb.h>

#include <cstdlib>

X11Desk::X11Desk() {
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(m_connection))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    m_backgroundPixel = screens.data->white_pixel;
}

X11Desk::~X11Desk() {
    xcb_disconnect(m_connection);
}

bool X11Desk::connected() const {
    return !xcb_connection_has_error(m_connection);
}

uint32_t X11Desk::atom(const std::string &name) {
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.c_str()),
        nullptr);
    const uint32_t value = reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

void X11Desk::addWindow(const std::string &className) {
    const uint32_t window = xcb_generate_id(m_connection);
    // A background the server paints: XWayland shows a window once it has content.
    const uint32_t background = m_backgroundPixel;
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 0, 0, 200, 150, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL,
                      &background);
    // Instance and class, each ending in NUL.
    const std::string wmClass = className + '\0' + className + '\0';
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, uint32_t(wmClass.size()), wmClass.data());
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, uint32_t(className.size()), className.data());
    xcb_map_window(m_connection, window);
    m_windows.emplace_back(className, window);
}

bool X11Desk::activate(const std::string &className) {
    uint32_t window = XCB_WINDOW_NONE;
    for (const auto &[name, id] : m_windows) {
        if (name == className)
            window = id;
    }
    if (window == XCB_WINDOW_NONE && !className.empty())
        return false;
    if (window != XCB_WINDOW_NONE)
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    setRootWindows("_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, {window});
    return true;
}

void X11Desk::listWindows() {
    std::vector<uint32_t> windows;
    for (const auto &entry : m_windows)
        windows.push_back(entry.second);
    setRootWindows("_NET_CLIENT_LIST", XCB_ATOM_WINDOW, windows);
}

void X11Desk::setSupported(const std::vector<std::string> &atomNames) {
    std::vector<uint32_t> atoms;
    for (const std::string &name : atomNames)
        atoms.push_back(atom(name));
    setRootWindows("_NET_SUPPORTED", XCB_ATOM_ATOM, atoms);
}

void X11Desk::setRootWindows(const char *property, uint32_t type,
                             const std::vector<uint32_t> &values) {
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_root, atom(property), type, 32,
                        uint32_t(values.size()), values.data());
}

bool X11Desk::sync() {
    xcb_get_input_focus_reply_t *reply =
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr);
    const bool answered = reply != nullptr;
    std::free(reply);
    return answered;
}
