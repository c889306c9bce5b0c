#pragma once

class Hid_Thread;
class myQQuickView;

// The device check the program runs at start and after every device change: read the table,
// scan, select, decide connected / demo / absent, then copy what the device keeps.
namespace DeviceCheck {

// True when the program may go on (connected or demo mode).
bool run(Hid_Thread &hid, myQQuickView &view);

} // namespace DeviceCheck
