#pragma once

class Hid_Thread;
namespace CommandTable {
struct Set;
}

// Times each set and get of the mouse over a connected link and prints the table: the mean
// per exchange against the floor its settle pauses and report spacing impose (the ready
// report shortens each pause to 64 ms). The seam behind the link is the caller's.
namespace CommandTiming {

// Waits for the watcher to hold the event interface, then times every case.
void run(Hid_Thread &hid, const char *seam);

// What one set costs at least: its settle pauses (at their shortest) and report spacing.
int setFloorMs(const CommandTable::Set &command);

} // namespace CommandTiming
