#pragma once

#include <array>
#include <chrono>

class VirtualDisplay;

// How soon a page of q7config's window shows after its entry in the function menu is clicked:
// from the click to the first frame drawn after it, once when that click builds the page and
// once more when the page exists already. Each click finds the page area empty, so the page
// slides in at once (a page showing would slide out first).
struct PageTimes {
    static constexpr int PageCount = 5;
    static const char *name(int page);

    std::array<double, PageCount> firstShowMs{};
    std::array<double, PageCount> againMs{};
    // The first click on each page and the first frame after it, to put beside the program's
    // own mark of when it had built the page.
    std::array<std::chrono::steady_clock::time_point, PageCount> firstClick{};
    std::array<std::chrono::steady_clock::time_point, PageCount> firstFrame{};
};

namespace PageClicks {

// Clicks through the pages of the window that drew first; false when a click drew nothing.
bool measure(VirtualDisplay &display, PageTimes &out);

} // namespace PageClicks
