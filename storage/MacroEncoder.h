#pragma once

#include "DeviceType.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVariantList>

// Turns macro lines into the device's macro bytes. The result is kept as records (header, one
// per event or delay, terminator) so that a macro too long for the device can be cut between
// records.
class MacroEncoder {
public:
    // One record's bytes and the key it presses or releases (0 for none), so that a cut can
    // tell which keys are still held.
    struct Record {
        QByteArray bytes;
        quint8 pressed = 0;
        quint8 released = 0;
    };
    using Records = QList<Record>;

    explicit MacroEncoder(DeviceTypeSource deviceType);

    // The bytes for the device type connected now, one number per byte, for the QML.
    QVariantList macroIncode(const QStringList &macros) const;

    static Records encode(const QStringList &lines, int deviceType);
    static QByteArray join(const Records &records);

    static const QByteArray header;
    static const QByteArray terminator;

private:
    DeviceTypeSource m_deviceType;
};
