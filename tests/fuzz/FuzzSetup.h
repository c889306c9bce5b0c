#pragma once

// What fuzz targets do once, before their first input: a message handler that keeps the program's
// debug lines and warnings out of the fuzzer's output (a fatal message still shows, and aborts),
// and the application object some classes need, on the platform plugins the tests use.
namespace FuzzSetup {

void quietMessages();
// An application object for the targets whose classes need one (widgets, settings, timers).
void application(bool widgets);

} // namespace FuzzSetup
