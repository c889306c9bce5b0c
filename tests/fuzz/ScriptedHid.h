#pragma once

#include "FuzzInput.h"

#include <QByteArrayList>

#include <cstdint>

// hidapi served from a fuzz input: one device with a command and an event interface, whose every
// transfer takes its outcome and bytes from the input (a failure, a time-out, a short report or a
// whole one). Once the input runs out the device is gone: opens and transfers fail. One thread at
// a time calls in.
namespace ScriptedHid {

constexpr char CommandPath[] = "fuzz/command";
constexpr char EventPath[] = "fuzz/event";

struct Usages {
    uint16_t vid = 0, pid = 0;
    uint16_t commandPage = 0, command = 0;
    uint16_t eventPage = 0, event = 0;
};

// The device answers from input until it ends; enumeration lists it with these ids.
void begin(FuzzInput *input, const Usages &usages);
// Stops reading the input: from now on the device is gone.
void end();
// The reports reads handed out, as many bytes as each returned.
QByteArrayList reportsRead();

} // namespace ScriptedHid
