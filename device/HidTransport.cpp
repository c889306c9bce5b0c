#include "HidTransport.h"

#include <hidapi.h>

#include <cerrno>
#include <mutex>

Q_LOGGING_CATEGORY(lcHid, "q7.hid", QtInfoMsg)

namespace HidTransport {
namespace {

std::mutex &processState() {
    static std::mutex lock;
    return lock;
}

QString text(const wchar_t *error) {
    return error ? QString::fromWCharArray(error) : QString();
}

QString hex(const uint8_t *data, int length) {
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(data), length).toHex(' '));
}

int call(Kind kind, hid_device *device, uint8_t *data, size_t length, int timeoutMs) {
    switch (kind) {
    case Kind::FeatureOut:
        return hid_send_feature_report(device, data, length);
    case Kind::FeatureIn:
        return hid_get_feature_report(device, data, length);
    case Kind::Output:
        return hid_write(device, data, length);
    case Kind::Input:
    case Kind::Event:
        return hid_read_timeout(device, data, length, timeoutMs);
    }
    return -1;
}

} // namespace

const char *kindName(Kind kind) {
    switch (kind) {
    case Kind::FeatureOut:
        return "feature_out";
    case Kind::FeatureIn:
        return "feature_in";
    case Kind::Output:
        return "output";
    case Kind::Input:
        return "input";
    case Kind::Event:
        return "event";
    }
    return "?";
}

int transfer(Kind kind, hid_device *device, uint8_t *data, size_t length, int timeoutMs) {
    if (!device)
        return -1;
    const int result = call(kind, device, data, length, timeoutMs);
    if (lcHid().isDebugEnabled()) {
        const bool outgoing = kind == Kind::FeatureOut || kind == Kind::Output;
        const int shown = outgoing ? int(length) : qMax(result, 0);
        qCDebug(lcHid).noquote() << kindName(kind) << hex(data, shown) << "->" << result;
    }
    return result;
}

void init() {
    const std::lock_guard lock(processState());
    hid_init();
}

QList<Collection> list(unsigned short vendorId, unsigned short productId) {
    QList<Collection> found;
    const std::lock_guard lock(processState());
    hid_device_info *all = hid_enumerate(vendorId, productId);
    for (const hid_device_info *d = all; d; d = d->next)
        found.append({QString::fromLatin1(d->path), d->usage_page, d->usage});
    hid_free_enumeration(all);
    return found;
}

hid_device *open(const QString &path, bool *denied) {
    hid_device *device;
    {
        const std::lock_guard lock(processState());
        errno = 0;
        device = hid_open_path(path.toLatin1().constData());
        // errno is this thread's; the shared error text is read before anyone replaces it.
        if (denied)
            *denied =
                !device && (errno == EACCES || errno == EPERM ||
                            text(hid_error(nullptr)).contains(QLatin1String("ermission denied")));
    }
    qCDebug(lcHid).noquote() << "open" << path << (device ? "ok" : "failed");
    return device;
}

void close(hid_device *device) {
    if (device)
        hid_close(device);
}

} // namespace HidTransport
