#pragma once

class Hid_Thread;
class myQQuickView;

// The device check the program runs at start and after every device change: read the table,
// scan, select, decide connected / demo / absent, then copy what the device keeps.
namespace DeviceCheck {

// Table, scan, selection and the connected / demo / absent decision; no command is sent.
// True when the program may go on (connected or demo mode).
bool find(Hid_Thread &hid, myQQuickView &view);
// find, then copy what the device keeps (its exchanges need the device lock).
bool run(Hid_Thread &hid, myQQuickView &view);

} // namespace DeviceCheck
