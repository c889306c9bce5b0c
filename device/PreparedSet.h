#pragma once

#include "CommandTable.h"
#include "FrameCodec.h"

#include <QByteArray>

// A set command as the command sets build it, before it goes out: the plain frame (scrambled
// only on the wire) and the bulk data that follows it.
struct PreparedSet {
    CommandTable::Set command{};
    FrameCodec::Frame frame{};
    QByteArray bulk;

    // Which of the device's places the set writes: its code and, where the command has several
    // tables or slots, the parameter that picks one.
    int place() const {
        const int slot = command.slotParam >= 0
                             ? frame[size_t(FrameCodec::FirstParamByte + command.slotParam)]
                             : 0;
        return placeOf(command, slot);
    }
    static int placeOf(const CommandTable::Set &command, int slot = 0) {
        return command.code << 8 | (slot & 0xff);
    }
    // What the device holds after it: the frame's parameters and the bulk data.
    QByteArray content() const {
        return QByteArray(reinterpret_cast<const char *>(frame.data()) + FrameCodec::FirstParamByte,
                          FrameCodec::ParamCount) +
               bulk;
    }
    bool operator==(const PreparedSet &other) const {
        return place() == other.place() && content() == other.content();
    }
};
