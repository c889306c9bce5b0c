// q7ctl's check of a call: a slot name and JSON arguments of any text, converted to the slot's
// parameter types and then held against the slot's domain, for either device.
#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "SlotDomains.h"
#include "SlotInvoker.h"
#include "myQQuickView.h"

#include <QMetaMethod>

namespace {

myQQuickView *view = nullptr;
QStringList slotNames;

constexpr int MaxArguments = 12;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzSetup::quietMessages();
    FuzzSetup::application(true);
    view = new myQQuickView(nullptr, false);
    const QMetaObject *meta = view->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Slot)
            slotNames.append(QString::fromLatin1(meta->method(i).name()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const int pick = in.byte();
    SlotDomains::Context context;
    context.deviceType = in.choose(3) - 1;
    context.confirmed = in.byte() & 1;
    context.macroNames = {QStringLiteral("Macro. 001"), QString::fromUtf8(in.line())};
    if (in.byte() & 1)
        context.files = {QString::fromUtf8(in.line())};
    // Mostly a slot that exists, so the arguments get looked at.
    const QString slot =
        pick < 224 ? slotNames.value(pick % slotNames.size()) : QString::fromUtf8(in.line());
    QStringList args;
    while (!in.atEnd() && args.size() < MaxArguments)
        args.append(QString::fromUtf8(in.line()));

    const SlotInvoker invoker(view);
    const SlotInvoker::Prepared prepared = invoker.prepare(slot, args);
    SlotDomains::describe(slot, prepared.parameterNames);
    if (prepared.error.isEmpty())
        SlotDomains::check(slot, prepared.args, context, prepared.parameterNames);
    return 0;
}
