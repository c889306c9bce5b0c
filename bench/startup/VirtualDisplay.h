#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

struct xcb_connection_t;

// A fresh Xvfb for one run, and a watch on what is drawn into its top-level windows (through
// the DAMAGE extension), so a bench can tell when a program first draws and when it stops; clicks
// go in through XTest, as a user's would.
class VirtualDisplay {
public:
    using Clock = std::chrono::steady_clock;

    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Starts Xvfb (-displayfd) and connects to it; false with a message on stderr.
    bool start();
    const std::string &name() const { return m_name; }

    // Waits up to `timeout` for the first drawing; returns its time, or nothing.
    bool waitFirstDraw(Clock::duration timeout, Clock::time_point &when);
    // Waits until nothing was drawn for `quiet`, at most `cap`; false when drawing never stopped.
    // `lastDraw` gets the time of the last drawing seen, if there was one.
    bool waitQuiet(Clock::duration quiet, Clock::duration cap,
                   Clock::time_point *lastDraw = nullptr);
    // Drawing events over `span`, e.g. while the program should rest.
    int countDraws(Clock::duration span);

    // Moves the pointer to (x, y) of the window that drew first.
    bool movePointer(int x, int y);
    // Presses and releases the left button where the pointer is; returns once the server has
    // handled both, with the time it had.
    bool click(Clock::time_point &when);

private:
    // Handles every event that came in until `deadline`; returns how many were drawings.
    int pump(Clock::time_point deadline, bool stopAtFirstDraw, Clock::time_point *lastDraw);

    pid_t m_server = -1;
    std::string m_name;
    xcb_connection_t *m_conn = nullptr;
    unsigned char m_damageEvent = 0;
    unsigned m_firstDrawn = 0;
    std::vector<unsigned> m_damages;
};
