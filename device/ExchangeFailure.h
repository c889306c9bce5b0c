#pragma once

#include <QString>

#include <cstdint>

// How an exchange with the device ended when it did not end well. The window keeps its silent
// presets; q7ctl names these.
struct ExchangeFailure {
    enum class Cause { WriteFailed, NoAnswer, DeviceGone, LinkBusy };

    uint8_t code = 0; // the command code of the exchange
    Cause cause = Cause::WriteFailed;

    static QString causeText(Cause cause);
    // "command 0x11: no answer"
    QString text() const;
};
