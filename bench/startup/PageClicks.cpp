#include "PageClicks.h"

#include "VirtualDisplay.h"

#include <chrono>

namespace {

using namespace std::chrono_literals;
using Clock = VirtualDisplay::Clock;

// The function menu as the scene lays it out once the opening is over: entries of 150 × 37 at
// x 8, the first at y 180, one every 50.
constexpr int EntryCentreX = 8 + 150 / 2;
int entryCentreY(int page) {
    return 180 + 50 * page + 37 / 2;
}

// No frame for this long: a hover or a slide has finished.
constexpr auto Settled = 300ms;
constexpr auto SettleCap = 10s;
constexpr auto FrameTimeout = 5s;

bool showOnce(VirtualDisplay &display, int page, double &ms, Clock::time_point *clickedAt = nullptr,
              Clock::time_point *drawnAt = nullptr) {
    if (!display.movePointer(EntryCentreX, entryCentreY(page)))
        return false;
    display.waitQuiet(Settled, SettleCap);
    Clock::time_point clicked, drawn;
    if (!display.click(clicked) || !display.waitFirstDraw(FrameTimeout, drawn))
        return false;
    ms = std::chrono::duration<double, std::milli>(drawn - clicked).count();
    if (clickedAt && drawnAt) {
        *clickedAt = clicked;
        *drawnAt = drawn;
    }
    display.waitQuiet(Settled, SettleCap);
    // A click on the open entry empties the page area again.
    if (!display.click(clicked))
        return false;
    display.waitQuiet(Settled, SettleCap);
    return true;
}

} // namespace

const char *PageTimes::name(int page) {
    static const char *const names[PageCount] = {"key definition", "macro", "colour", "sensor",
                                                 "press gun"};
    return page >= 0 && page < PageCount ? names[page] : "";
}

namespace PageClicks {

bool measure(VirtualDisplay &display, PageTimes &out) {
    for (int page = 0; page < PageTimes::PageCount; ++page)
        if (!showOnce(display, page, out.firstShowMs[page], &out.firstClick[page],
                      &out.firstFrame[page]))
            return false;
    for (int page = 0; page < PageTimes::PageCount; ++page)
        if (!showOnce(display, page, out.againMs[page]))
            return false;
    return true;
}

} // namespace PageClicks
