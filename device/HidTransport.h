#pragma once

#include <QList>
#include <QLoggingCategory>
#include <QString>

#include <cstddef>
#include <cstdint>

struct hid_device_;
using hid_device = hid_device_;

Q_DECLARE_LOGGING_CATEGORY(lcHid)

// The only place that talks to hidapi. Every report passes transfer(), which logs it under the
// category "q7.hid" (QT_LOGGING_RULES="q7.hid.debug=true" shows the traffic).
namespace HidTransport {

// Input reads the command interface, Event the event interface.
enum class Kind { FeatureOut, FeatureIn, Output, Input, Event };

// Returns hidapi's result: bytes moved, 0 on a read time-out, negative on error.
int transfer(Kind kind, hid_device *device, uint8_t *data, size_t length, int timeoutMs = -1);

// One HID collection of a plugged-in device, as hidapi lists it.
struct Collection {
    QString path;
    unsigned short usagePage = 0;
    unsigned short usage = 0;
};

// hidapi keeps its error text, and its state set up by init, once for the whole process and
// without a lock: init, open and list take turns here, whichever thread calls them.
void init();
QList<Collection> list(unsigned short vendorId, unsigned short productId);
// denied, when given, tells whether a failed open was refused for lack of permission.
hid_device *open(const QString &path, bool *denied = nullptr);
void close(hid_device *device);

const char *kindName(Kind kind);

} // namespace HidTransport
