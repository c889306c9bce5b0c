#pragma once

#include "SlotCall.h"
#include "SlotInvoker.h"

#include <functional>

class myQQuickView;

// Calls the view's slots in this process: types, then domain, then the call itself, with the
// exchanges that failed, the warnings given and the files left unwritten read back as the outcome.
// q7ctl uses it without a window; the running window uses it for the D-Bus interface.
class LocalSlotCaller : public SlotCaller {
public:
    explicit LocalSlotCaller(myQQuickView &view);

    // Asked after the arguments passed and before the slot runs: an outcome refuses the call
    // (no device, the mouse held elsewhere).
    using Gate = std::function<std::optional<SlotOutcome>()>;
    void setGate(Gate gate) { m_gate = std::move(gate); }
    // Told after a slot ran, whatever it came to.
    using Ran = std::function<void(const QString &slot)>;
    void setRan(Ran ran) { m_ran = std::move(ran); }

    SlotOutcome call(const SlotRequest &request) override;

    const SlotInvoker &invoker() const { return m_invoker; }

private:
    myQQuickView &m_view;
    SlotInvoker m_invoker;
    Gate m_gate;
    Ran m_ran;
};
