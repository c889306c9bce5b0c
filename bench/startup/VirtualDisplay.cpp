#include "VirtualDisplay.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int millisecondsUntil(VirtualDisplay::Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - VirtualDisplay::Clock::now());
    return left.count() < 0 ? 0 : int(left.count());
}

// Reads the display number Xvfb writes once it accepts clients.
std::string readDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        number += c;
    return number;
}

} // namespace

VirtualDisplay::~VirtualDisplay() {
    if (m_conn)
        xcb_disconnect(m_conn);
    if (m_server > 0) {
        kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
}

bool VirtualDisplay::start() {
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    m_server = fork();
    if (m_server == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten",
               "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    const std::string number = readDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        std::fprintf(stderr, "bench: Xvfb did not start (is it installed?)\n");
        return false;
    }
    m_name = ":" + number;
    m_conn = xcb_connect(m_name.c_str(), nullptr);
    if (xcb_connection_has_error(m_conn)) {
        std::fprintf(stderr, "bench: cannot connect to %s\n", m_name.c_str());
        return false;
    }
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_conn, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "bench: Xvfb has no DAMAGE extension\n");
        return false;
    }
    m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
    const xcb_query_extension_reply_t *test = xcb_get_extension_data(m_conn, &xcb_test_id);
    if (!test || !test->present) {
        std::fprintf(stderr, "bench: Xvfb has no XTEST extension\n");
        return false;
    }
    free(xcb_damage_query_version_reply(m_conn, xcb_damage_query_version(m_conn, 1, 1), nullptr));
    // Every new top-level window is announced, so its damage can be watched before it shows.
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_conn, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_conn);
    return true;
}

int VirtualDisplay::pump(Clock::time_point deadline, bool stopAtFirstDraw,
                         Clock::time_point *lastDraw) {
    int draws = 0;
    pollfd p{xcb_get_file_descriptor(m_conn), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_conn)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                const xcb_damage_damage_t id = xcb_generate_id(m_conn);
                xcb_damage_create(m_conn, id, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                m_damages.push_back(id);
            } else if (type == m_damageEvent) {
                const auto *notify = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                // Cleared, so the next drawing reports again.
                xcb_damage_subtract(m_conn, notify->damage, XCB_NONE, XCB_NONE);
                if (!m_firstDrawn)
                    m_firstDrawn = notify->drawable;
                ++draws;
                if (lastDraw)
                    *lastDraw = Clock::now();
            }
            free(event);
            xcb_flush(m_conn);
            if (stopAtFirstDraw && draws > 0)
                return draws;
        }
        if (xcb_connection_has_error(m_conn))
            return draws;
        const int wait = millisecondsUntil(deadline);
        if (wait == 0 || poll(&p, 1, wait) <= 0)
            return draws;
    }
}

bool VirtualDisplay::waitFirstDraw(Clock::duration timeout, Clock::time_point &when) {
    return pump(Clock::now() + timeout, true, &when) > 0;
}

bool VirtualDisplay::waitQuiet(Clock::duration quiet, Clock::duration cap,
                               Clock::time_point *lastDraw) {
    const auto end = Clock::now() + cap;
    while (Clock::now() < end) {
        const auto until = std::min(end, Clock::now() + quiet);
        if (pump(until, true, lastDraw) == 0)
            return true;
    }
    return false;
}

int VirtualDisplay::countDraws(Clock::duration span) {
    return pump(Clock::now() + span, false, nullptr);
}

bool VirtualDisplay::movePointer(int x, int y) {
    if (!m_firstDrawn)
        return false;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data;
    xcb_translate_coordinates_reply_t *origin = xcb_translate_coordinates_reply(
        m_conn, xcb_translate_coordinates(m_conn, m_firstDrawn, screen->root, 0, 0), nullptr);
    if (!origin)
        return false;
    xcb_test_fake_input(m_conn, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root,
                        int16_t(origin->dst_x + x), int16_t(origin->dst_y + y), 0);
    free(origin);
    xcb_flush(m_conn);
    return true;
}

bool VirtualDisplay::click(Clock::time_point &when) {
    xcb_test_fake_input(m_conn, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_conn, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    // A round trip: once it returns, the server has passed both on to the program.
    free(xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr));
    when = Clock::now();
    return !xcb_connection_has_error(m_conn);
}
