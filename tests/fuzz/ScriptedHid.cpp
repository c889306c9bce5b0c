#include "ScriptedHid.h"

#include <hidapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

struct hid_device_ {
    bool event = false;
};

namespace {

FuzzInput *script = nullptr;
ScriptedHid::Usages ids;
QByteArrayList readLog;

bool gone() {
    return !script || script->atEnd();
}

// A report of at most length bytes, as the input says: a whole one more often than a short one.
int fill(unsigned char *data, size_t length, uint8_t mode) {
    size_t n = length;
    if (mode % 4 == 3)
        n = (mode >> 2) % (length + 1);
    const QByteArray bytes = script->bytes(n);
    std::memset(data, 0, length);
    std::memcpy(data, bytes.constData(), size_t(bytes.size()));
    return int(n);
}

hid_device_info *entry(const char *path, uint16_t page, uint16_t usage, hid_device_info *next) {
    auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
    info->path = strdup(path);
    info->vendor_id = ids.vid;
    info->product_id = ids.pid;
    info->usage_page = page;
    info->usage = usage;
    info->next = next;
    return info;
}

} // namespace

namespace ScriptedHid {

void begin(FuzzInput *input, const Usages &usages) {
    script = input;
    ids = usages;
    readLog.clear();
}

void end() {
    script = nullptr;
}

QByteArrayList reportsRead() {
    return readLog;
}

} // namespace ScriptedHid

extern "C" {

int hid_init(void) {
    return 0;
}

int hid_exit(void) {
    return 0;
}

hid_device_info *hid_enumerate(unsigned short vid, unsigned short pid) {
    if (gone() || vid != ids.vid || pid != ids.pid)
        return nullptr;
    return entry(ScriptedHid::CommandPath, ids.commandPage, ids.command,
                 entry(ScriptedHid::EventPath, ids.eventPage, ids.event, nullptr));
}

void hid_free_enumeration(hid_device_info *devs) {
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open_path(const char *path) {
    const bool event = std::strcmp(path, ScriptedHid::EventPath) == 0;
    if (gone() || (!event && std::strcmp(path, ScriptedHid::CommandPath) != 0))
        return nullptr;
    return new hid_device{event};
}

void hid_close(hid_device *dev) {
    delete dev;
}

int hid_set_nonblocking(hid_device *, int) {
    return 0;
}

int hid_send_feature_report(hid_device *, const unsigned char *, size_t length) {
    return gone() || script->byte() == 0 ? -1 : int(length);
}

int hid_write(hid_device *, const unsigned char *, size_t length) {
    return gone() || script->byte() == 0 ? -1 : int(length);
}

int hid_get_feature_report(hid_device *, unsigned char *data, size_t length) {
    if (gone())
        return -1;
    const uint8_t mode = script->byte();
    return mode % 4 == 0 ? -1 : fill(data, length, mode);
}

int hid_read_timeout(hid_device *, unsigned char *data, size_t length, int) {
    if (gone())
        return -1;
    const uint8_t mode = script->byte();
    if (mode % 4 == 0)
        return -1;
    if (mode % 4 == 1)
        return 0; // timed out
    const int n = fill(data, length, mode);
    readLog.append(QByteArray(reinterpret_cast<const char *>(data), n));
    return n;
}

int hid_read(hid_device *dev, unsigned char *data, size_t length) {
    return hid_read_timeout(dev, data, length, -1);
}

const wchar_t *hid_error(hid_device *) {
    return L"the fuzzed device failed";
}

} // extern "C"
