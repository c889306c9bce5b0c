#pragma once

#include "SlotCall.h"

// Calls the running window's slots over the session bus (its Call method): what q7ctl does when
// the window is open, with the same checks, results and failures as without it.
class BusSlotCaller : public SlotCaller {
public:
    static constexpr int TimeoutMs = 60000;

    // Whether a window answers on the session bus now.
    static bool windowRunning();
    // Asks the running program (window or not) to end; false, with why, when it did not answer.
    static bool endProgram(QString *error);

    SlotOutcome call(const SlotRequest &request) override;
    // Whether the window could not be reached at all (it went away, or the bus did).
    bool lost() const { return m_lost; }

private:
    bool m_lost = false;
};
