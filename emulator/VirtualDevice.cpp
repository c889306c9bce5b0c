#include "VirtualDevice.h"

#include "DeviceInfoList.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <thread>

namespace q7vm {

namespace {

constexpr std::size_t kQueueLimit = 64; // hidraw keeps at most this many reports per reader
constexpr unsigned char kReportNumber = 0;

thread_local std::wstring globalError;

std::wstring widened(const std::string &text) {
    return std::wstring(text.begin(), text.end());
}

} // namespace

VirtualDevice &VirtualDevice::instance() {
    // Never destroyed: threads of the host may still call in while the process exits.
    static VirtualDevice *device = new VirtualDevice;
    return *device;
}

void VirtualDevice::reset() {
    std::lock_guard lock(mutex_);
    // The environment is read here, in the thread that resets, never lazily by a host thread
    // that may still be running while a test changes the environment (getenv is not safe then).
    session_ = std::make_unique<DeviceSession>(EmulatorSettings::fromEnvironment());
    ++generation_;
    changed_.notify_all();
}

DeviceSession &VirtualDevice::session() {
    if (!session_)
        session_ = std::make_unique<DeviceSession>(EmulatorSettings::fromEnvironment());
    return *session_;
}

bool VirtualDevice::isCurrent(const hid_device *dev) const {
    return dev && dev->generation == generation_ && open_.count(const_cast<hid_device *>(dev));
}

int VirtualDevice::fail(hid_device *dev, const std::string &message) {
    if (dev)
        dev->lastError = widened(message);
    else
        globalError = widened(message);
    return -1;
}

void VirtualDevice::failGlobally(const std::string &message) {
    globalError = widened(message);
}

bool VirtualDevice::ready(hid_device *dev, InterfaceRole role, const char *operation) {
    if (!isCurrent(dev)) {
        fail(dev, std::string(operation) + ": handle belongs to a device that was reset");
        return false;
    }
    if (session().unplugged) {
        fail(dev, std::string(operation) + ": device disconnected");
        return false;
    }
    if (dev->role != role) {
        fail(dev, std::string(operation) + ": not supported on this interface");
        return false;
    }
    return true;
}

void VirtualDevice::slowDown() {
    long delay = 0;
    {
        std::lock_guard lock(mutex_);
        delay = session().settings.faults.slowMilliseconds;
    }
    if (delay > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
}

void VirtualDevice::countTransfer(DeviceSession &s) {
    if (s.countTransfer())
        changed_.notify_all(); // blocked readers must see the unplug
}

hid_device_info *VirtualDevice::enumerate(unsigned short vendorId, unsigned short productId) {
    std::lock_guard lock(mutex_);
    DeviceSession &s = session();
    if (s.settings.faults.absent || s.unplugged)
        return nullptr;
    return DeviceInfoList::enumerate(s.personality, vendorId, productId);
}

hid_device *VirtualDevice::open(unsigned short vendorId, unsigned short productId,
                                const wchar_t *serial) {
    std::string path;
    {
        std::lock_guard lock(mutex_);
        const Personality &p = session().personality;
        const bool matches = (vendorId == 0 || vendorId == p.vendorId) &&
                             (productId == 0 || productId == p.productId) &&
                             (!serial || p.serial == serial);
        if (!matches) {
            failGlobally("hid_open: no such device");
            return nullptr;
        }
        path = p.command.path;
    }
    return openPath(path.c_str());
}

hid_device *VirtualDevice::openPath(const char *path) {
    std::lock_guard lock(mutex_);
    DeviceSession &s = session();
    if (s.settings.faults.absent || s.unplugged || !path) {
        failGlobally("hid_open_path: no such device");
        return nullptr;
    }
    if (s.settings.faults.noPermission) {
        // hidapi's wording when the hidraw node is not ours to open.
        failGlobally(std::string("hid_open_path: failed to open device: Permission denied: ") +
                     path);
        return nullptr;
    }
    InterfaceRole role;
    if (s.personality.command.path == path)
        role = InterfaceRole::Command;
    else if (s.personality.event.path == path)
        role = InterfaceRole::Event;
    else {
        failGlobally(std::string("hid_open_path: no such device: ") + path);
        return nullptr;
    }
    auto *dev = new hid_device;
    dev->role = role;
    dev->generation = generation_;
    dev->openedAt = Clock::now();
    dev->info = DeviceInfoList::describe(s.personality, role);
    open_.insert(dev);
    return dev;
}

void VirtualDevice::close(hid_device *dev) {
    if (!dev)
        return;
    {
        std::lock_guard lock(mutex_);
        open_.erase(dev);
    }
    DeviceInfoList::release(dev->info);
    delete dev;
}

int VirtualDevice::setNonblocking(hid_device *dev, int nonblock) {
    std::lock_guard lock(mutex_);
    if (!isCurrent(dev))
        return fail(dev, "hid_set_nonblocking: handle belongs to a device that was reset");
    dev->nonblocking = nonblock != 0;
    return 0;
}

void VirtualDevice::pushReport(hid_device *dev, Bytes report) {
    if (dev->reports.size() >= kQueueLimit)
        dev->reports.pop_front();
    dev->reports.push_back(std::move(report));
}

void VirtualDevice::queueBulkInput(const std::vector<Bytes> &reports) {
    for (const Bytes &report : reports)
        for (hid_device *dev : open_)
            if (dev->generation == generation_ && dev->role == InterfaceRole::Command)
                pushReport(dev, report);
}

void VirtualDevice::deliverDueReadyReports(DeviceSession &s, Clock::time_point now) {
    for (Clock::time_point due : s.ready.takeDue(now)) {
        for (hid_device *dev : open_)
            if (dev->generation == generation_ && dev->role == InterfaceRole::Event &&
                dev->openedAt <= due)
                pushReport(dev, Bytes(ReadyScheduler::kReadyReport.begin(),
                                      ReadyScheduler::kReadyReport.end()));
    }
}

int VirtualDevice::sendFeatureReport(hid_device *dev, const unsigned char *data,
                                     std::size_t length) {
    slowDown();
    std::lock_guard lock(mutex_);
    if (!ready(dev, InterfaceRole::Command, "hid_send_feature_report"))
        return -1;
    DeviceSession &s = session();
    if (s.settings.faults.writeError)
        return fail(dev, "hid_send_feature_report: write error");
    if (!DeviceSession::isCommandReport(data, length))
        return fail(dev, "hid_send_feature_report: expected report 0 of 9 bytes");

    FrameOutcome outcome = s.commandFrame(data);
    countTransfer(s);
    if (outcome.refused)
        return static_cast<int>(length);
    if (!s.settings.faults.stall)
        queueBulkInput(outcome.input);
    if (!s.settings.faults.noReady)
        s.ready.scheduleAfter(Clock::now());
    changed_.notify_all();
    return static_cast<int>(length);
}

int VirtualDevice::getFeatureReport(hid_device *dev, unsigned char *data, std::size_t length) {
    slowDown();
    std::lock_guard lock(mutex_);
    if (!ready(dev, InterfaceRole::Command, "hid_get_feature_report"))
        return -1;
    DeviceSession &s = session();
    if (!data || length < kFeatureReportSize || data[0] != kReportNumber)
        return fail(dev, "hid_get_feature_report: expected report 0 and room for 9 bytes");
    const std::optional<FeatureReport> answer =
        s.settings.faults.noAnswer ? std::nullopt : s.answer();
    if (!answer)
        return fail(dev, "hid_get_feature_report: the device has no answer");
    std::copy(answer->begin(), answer->end(), data);
    countTransfer(s);
    return static_cast<int>(kFeatureReportSize);
}

int VirtualDevice::unsupported(hid_device *dev, const char *message) {
    std::lock_guard lock(mutex_);
    return fail(dev, message);
}

int VirtualDevice::write(hid_device *dev, const unsigned char *data, std::size_t length) {
    slowDown();
    std::lock_guard lock(mutex_);
    if (!ready(dev, InterfaceRole::Command, "hid_write"))
        return -1;
    DeviceSession &s = session();
    if (s.settings.faults.writeError)
        return fail(dev, "hid_write: write error");
    if (!s.isOutputReport(data, length))
        return fail(dev, "hid_write: expected report 0 of at most " +
                             std::to_string(s.personality.reportLength + 1) + " bytes");

    countTransfer(s);
    if (s.outputReport(data, length) && !s.settings.faults.noReady) {
        s.ready.scheduleAfter(Clock::now());
        changed_.notify_all();
    }
    return static_cast<int>(length);
}

int VirtualDevice::read(hid_device *dev, unsigned char *data, std::size_t length,
                        int milliseconds) {
    slowDown();
    std::unique_lock lock(mutex_);
    const std::optional<Clock::time_point> deadline =
        milliseconds < 0 ? std::nullopt
                         : std::optional(Clock::now() + std::chrono::milliseconds(milliseconds));
    for (;;) {
        if (!isCurrent(dev))
            return fail(dev, "hid_read: handle belongs to a device that was reset");
        DeviceSession &s = session();
        if (s.unplugged)
            return fail(dev, "hid_read: device disconnected");
        const Clock::time_point now = Clock::now();
        deliverDueReadyReports(s, now);

        const bool stalled = dev->role == InterfaceRole::Command && s.settings.faults.stall;
        if (!dev->reports.empty() && !stalled) {
            const Bytes report = std::move(dev->reports.front());
            dev->reports.pop_front();
            const std::size_t n = std::min(length, report.size());
            std::copy_n(report.begin(), n, data);
            if (dev->role == InterfaceRole::Command) {
                s.log.record("input", data, n);
                countTransfer(s);
            } else {
                s.log.record("event", data, n);
            }
            return static_cast<int>(n);
        }
        if (deadline && now >= *deadline)
            return 0;

        std::optional<Clock::time_point> wake = deadline;
        if (const auto due = s.ready.nextDue(); due && (!wake || *due < *wake))
            wake = due;
        if (wake)
            changed_.wait_until(lock, *wake);
        else
            changed_.wait(lock);
    }
}

int VirtualDevice::readAsConfigured(hid_device *dev, unsigned char *data, std::size_t length) {
    bool nonblocking = false;
    {
        std::lock_guard lock(mutex_);
        nonblocking = isCurrent(dev) && dev->nonblocking;
    }
    return read(dev, data, length, nonblocking ? 0 : -1);
}

int VirtualDevice::copyString(hid_device *dev, DeviceString which, wchar_t *out,
                              std::size_t maxlen) {
    std::lock_guard lock(mutex_);
    if (!isCurrent(dev))
        return fail(dev, "string request: handle belongs to a device that was reset");
    if (!out || maxlen == 0)
        return fail(dev, "string request: no room for the string");
    const Personality &p = session().personality;
    const std::wstring &text = which == DeviceString::Manufacturer ? p.manufacturer
                               : which == DeviceString::Product    ? p.product
                                                                   : p.serial;
    std::wcsncpy(out, text.c_str(), maxlen);
    out[maxlen - 1] = L'\0';
    return 0;
}

hid_device_info *VirtualDevice::deviceInfo(hid_device *dev) {
    std::lock_guard lock(mutex_);
    if (!isCurrent(dev)) {
        fail(dev, "hid_get_device_info: handle belongs to a device that was reset");
        return nullptr;
    }
    return dev->info;
}

const wchar_t *VirtualDevice::error(hid_device *dev) {
    std::lock_guard lock(mutex_);
    const std::wstring &message = dev ? dev->lastError : globalError;
    return message.empty() ? L"Success" : message.c_str();
}

} // namespace q7vm
