#include "PlainWindow.h"

#include "RigConnection.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <cstdint>

#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr uint32_t Colour = 0xff806040; // opaque, XRGB
} // namespace

PlainWindow::PlainWindow(RigConnection &connection, const std::string &appId, int width, int height)
    : m_connection(connection), m_width(width), m_height(height) {
    if (!connection.compositor || !connection.shm || !connection.wmBase)
        return;
    m_surface = wl_compositor_create_surface(connection.compositor);
    m_xdgSurface = xdg_wm_base_get_xdg_surface(connection.wmBase, m_surface);
    static constexpr xdg_surface_listener SurfaceListener{configure};
    xdg_surface_add_listener(m_xdgSurface, &SurfaceListener, this);
    m_toplevel = xdg_surface_get_toplevel(m_xdgSurface);
    // Bound at version 1: the later events never come.
    static constexpr xdg_toplevel_listener ToplevelListener{toplevelConfigure, toplevelClose,
                                                            nullptr, nullptr};
    xdg_toplevel_add_listener(m_toplevel, &ToplevelListener, this);
    xdg_toplevel_set_app_id(m_toplevel, appId.c_str());
    xdg_toplevel_set_title(m_toplevel, appId.c_str());
    wl_surface_commit(m_surface);
}

PlainWindow::~PlainWindow() {
    if (m_buffer)
        wl_buffer_destroy(m_buffer);
    if (m_toplevel)
        xdg_toplevel_destroy(m_toplevel);
    if (m_xdgSurface)
        xdg_surface_destroy(m_xdgSurface);
    if (m_surface)
        wl_surface_destroy(m_surface);
    m_connection.roundtrip();
}

void PlainWindow::configure(void *data, xdg_surface *surface, uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    static_cast<PlainWindow *>(data)->m_configured = true;
}

void PlainWindow::toplevelConfigure(void *, xdg_toplevel *, int32_t, int32_t, wl_array *) {}

void PlainWindow::toplevelClose(void *data, xdg_toplevel *) {
    static_cast<PlainWindow *>(data)->m_closeRequested = true;
}

bool PlainWindow::show() {
    if (!m_surface)
        return false;
    while (!m_configured)
        if (wl_display_dispatch(m_connection.display()) < 0)
            return false;
    return attachBuffer() && m_connection.roundtrip();
}

bool PlainWindow::attachBuffer() {
    const int stride = m_width * 4;
    const int size = stride * m_height;
    const int fd = memfd_create("q7-rig-window", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) != 0)
        return false;
    void *pixels = mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return false;
    }
    auto *p = static_cast<uint32_t *>(pixels);
    for (int i = 0; i < m_width * m_height; ++i)
        p[i] = Colour;
    munmap(pixels, size_t(size));
    wl_shm_pool *pool = wl_shm_create_pool(m_connection.shm, fd, size);
    m_buffer =
        wl_shm_pool_create_buffer(pool, 0, m_width, m_height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_surface_attach(m_surface, m_buffer, 0, 0);
    wl_surface_damage(m_surface, 0, 0, m_width, m_height);
    wl_surface_commit(m_surface);
    return true;
}
