#include "LocalSlotCaller.h"

#include "CallPrompt.h"
#include "Hid_Thread.h"
#include "SlotDomains.h"
#include "myQQuickView.h"

namespace {
constexpr int MaxFailureLines = 8;
constexpr qsizetype MacroSuffixLength = 4; // ".bin"

QStringList failureLines(const QList<ExchangeFailure> &failures) {
    QStringList lines;
    for (int i = 0; i < failures.size() && i < MaxFailureLines; ++i)
        lines.append(failures[i].text());
    if (failures.size() > MaxFailureLines)
        lines.append(
            QStringLiteral("%1 more failed exchanges").arg(failures.size() - MaxFailureLines));
    return lines;
}
} // namespace

LocalSlotCaller::LocalSlotCaller(myQQuickView &view) : m_view(view), m_invoker(&view) {}

SlotOutcome LocalSlotCaller::call(const SlotRequest &request) {
    using Status = SlotOutcome::Status;
    // Types first, then values: nothing reaches the device or a file before both pass.
    const SlotInvoker::Prepared prepared = m_invoker.prepare(request.slot, request.jsonArgs);
    if (!prepared.error.isEmpty())
        return SlotOutcome::failure(Status::BadArgument, prepared.error);
    // The list holds file names; slots take the macro's name without ".bin".
    QStringList macroNames = m_view.getMacroIniNames();
    for (QString &name : macroNames)
        name.chop(MacroSuffixLength);
    const SlotDomains::Context context{m_view.currentDeviceType(), macroNames, request.confirmed,
                                       request.files};
    if (const auto refusal =
            SlotDomains::check(request.slot, prepared.args, context, prepared.parameterNames))
        return SlotOutcome::failure(Status::BadArgument,
                                    request.slot + QStringLiteral(": ") + *refusal);
    if (m_gate)
        if (std::optional<SlotOutcome> refused = m_gate())
            return *refused;

    Hid_Thread *hid = m_view.deviceLink();
    if (hid)
        (void)hid->takeFailures(); // only the call's own exchanges count
    (void)m_view.takePointerFailures();
    const qsizetype storageFailuresBefore = m_view.storageFailures().messages().size();
    CallPrompt prompt(request.confirmed, request.files);
    const SlotInvoker::Result result = m_invoker.call(request.slot, request.jsonArgs);
    // Sets run on a worker: the last one must have reached the device before the answer.
    if (hid)
        hid->waitForSend();
    if (m_ran)
        m_ran(request.slot);
    if (!result.ok)
        return SlotOutcome::failure(Status::BadArgument, result.error);

    SlotOutcome outcome;
    outcome.value = result.value;
    outcome.messages = prompt.lines();
    const QStringList failed = hid ? failureLines(hid->takeFailures()) : QStringList();
    outcome.messages += failed;
    // A pointer setting the desktop did not take is not done, though the profile kept its index.
    const QStringList notTaken = m_view.takePointerFailures();
    outcome.messages += notTaken;
    // What the call left in memory is written now: a file that cannot be written is not done.
    const bool stored = m_view.flushStorage() &&
                        m_view.storageFailures().messages().size() == storageFailuresBefore;
    if (!failed.isEmpty())
        outcome.status = Status::ExchangeFailed;
    else if (!stored)
        outcome.status = Status::FileNotWritten;
    else if (prompt.warningCount() > 0 || !notTaken.isEmpty())
        // A slot that warned (a file kept as it was) did not do all it was asked.
        outcome.status = Status::NotDone;
    return outcome;
}
