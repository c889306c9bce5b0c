#pragma once

#include "DeviceSession.h"
#include "HidDeviceHandle.h"

#include <hidapi.h>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace q7vm {

enum class DeviceString { Manufacturer, Product, Serial };

// The bus side of the virtual device: open handles and their input queues, timing of the
// ready report, faults, and the one lock that keeps calls from many threads in order.
// Blocking reads wait on a condition variable, never while holding the lock.
class VirtualDevice {
public:
    static VirtualDevice &instance();

    // Forgets the session: the next call reads the environment and the state file afresh.
    // Handles opened before become unusable and waiting reads return -1.
    void reset();

    hid_device_info *enumerate(unsigned short vendorId, unsigned short productId);
    hid_device *open(unsigned short vendorId, unsigned short productId, const wchar_t *serial);
    hid_device *openPath(const char *path);
    void close(hid_device *dev);

    int write(hid_device *dev, const unsigned char *data, std::size_t length);
    int read(hid_device *dev, unsigned char *data, std::size_t length, int milliseconds);
    int readAsConfigured(hid_device *dev, unsigned char *data, std::size_t length);
    int setNonblocking(hid_device *dev, int nonblock);
    int sendFeatureReport(hid_device *dev, const unsigned char *data, std::size_t length);
    int getFeatureReport(hid_device *dev, unsigned char *data, std::size_t length);
    int unsupported(hid_device *dev, const char *message);

    int copyString(hid_device *dev, DeviceString which, wchar_t *out, std::size_t maxlen);
    hid_device_info *deviceInfo(hid_device *dev);
    const wchar_t *error(hid_device *dev);

private:
    using Clock = std::chrono::steady_clock;

    VirtualDevice() = default;

    DeviceSession &session();
    bool isCurrent(const hid_device *dev) const;
    // Checks the handle and the device for a transfer; sets the error and returns false if
    // unusable.
    bool ready(hid_device *dev, InterfaceRole role, const char *operation);
    int fail(hid_device *dev, const std::string &message);
    void failGlobally(const std::string &message);
    void slowDown();
    void countTransfer(DeviceSession &s);
    void queueBulkInput(const std::vector<Bytes> &reports);
    void deliverDueReadyReports(DeviceSession &s, Clock::time_point now);
    void pushReport(hid_device *dev, Bytes report);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::unique_ptr<DeviceSession> session_;
    std::uint64_t generation_ = 1;
    std::set<hid_device *> open_;
};

} // namespace q7vm
