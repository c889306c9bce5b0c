#include "BusNames.h"

#include "AppIdentity.h"

#include <array>
#include <utility>

namespace {
using Status = SlotOutcome::Status;
constexpr std::array<std::pair<Status, const char *>, 6> Errors{{
    {Status::BadArgument, "BadArgument"},
    {Status::DeviceAbsent, "DeviceAbsent"},
    {Status::DeviceBusy, "DeviceBusy"},
    {Status::ExchangeFailed, "ExchangeFailed"},
    {Status::NotDone, "NotDone"},
    {Status::FileNotWritten, "FileNotWritten"},
}};

QString errorPrefix() {
    return BusNames::service() + QStringLiteral(".Error.");
}
} // namespace

namespace BusNames {

QString service() {
    return AppIdentity::desktopFileName();
}

QString path() {
    return QLatin1Char('/') + QString(service()).replace(QLatin1Char('.'), QLatin1Char('/'));
}

QString interface() {
    return service() + QStringLiteral(".Mouse");
}

QString errorName(SlotOutcome::Status status) {
    for (const auto &[s, name] : Errors)
        if (s == status)
            return errorPrefix() + QLatin1String(name);
    return errorPrefix() + QStringLiteral("NotDone");
}

SlotOutcome::Status statusOf(const QString &error) {
    for (const auto &[s, name] : Errors)
        if (error == errorPrefix() + QLatin1String(name))
            return s;
    return Status::NotDone;
}

bool isOurs(const QString &error) {
    return error.startsWith(errorPrefix());
}

} // namespace BusNames
