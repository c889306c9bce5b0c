#include "ExchangeFailure.h"

QString ExchangeFailure::causeText(Cause cause) {
    switch (cause) {
    case Cause::WriteFailed:
        return QStringLiteral("write failed");
    case Cause::NoAnswer:
        return QStringLiteral("no answer");
    case Cause::DeviceGone:
        return QStringLiteral("device gone");
    case Cause::LinkBusy:
        return QStringLiteral("link busy");
    }
    return QStringLiteral("unknown");
}

QString ExchangeFailure::text() const {
    return QStringLiteral("command 0x%1: %2")
        .arg(code, 2, 16, QLatin1Char('0'))
        .arg(causeText(cause));
}
