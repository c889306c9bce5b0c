#pragma once

class QQuickItem;
class QQuickWidget;

// Where the start-up's time goes: one debug line per phase in the category "q7.startup" (off by
// default), "q7.startup: <phase> <microseconds on the monotonic clock>", so a benchmark that
// started the process can put each phase on its own clock. Costs nothing while the category is
// off.
namespace StartupTimeline {

void mark(const char *phase);
// Marks "frame" when the view has rendered its first frame.
void watchFirstFrame(QQuickWidget *view);
// Marks "window frame" when the scene's frame ("frameLoader") is built, and "page N" when its page
// N ("pageSlotN") has been built and has read its state.
void watchPages(QQuickItem *root);

} // namespace StartupTimeline
