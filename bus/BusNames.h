#pragma once

#include "SlotCall.h"

#include <QString>

// Where the running window answers on the session bus, all made of the application id (the
// desktop file's name): the bus name, the object path and the interface.
namespace BusNames {

QString service();
QString path();
QString interface();

// "<id>.Error.BadArgument" … for each status but Done; a status for such a name (NotDone for a
// name that is not ours).
QString errorName(SlotOutcome::Status status);
SlotOutcome::Status statusOf(const QString &errorName);
bool isOurs(const QString &errorName);

// An error's message ends with this line and the result as JSON when the slot gave one.
inline const QString ResultLine = QStringLiteral("result: ");

} // namespace BusNames
