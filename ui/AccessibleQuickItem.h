#pragma once

// What assistive tools read from the scene's items, with the one thing Qt 6.4 leaves out: an
// item that is disabled (itself or through a parent) says so, and says so when it changes, so a
// screen reader does not offer controls that do nothing.
namespace AccessibleQuickItem {

// Call before the scene is built; once is enough.
void install();

} // namespace AccessibleQuickItem
