#include "KernelQ7.h"

#include "ReportDescriptors.h"

#include <cerrno>

namespace q7kernel {

namespace {

constexpr std::size_t kFeatureBytes = 8;
constexpr std::size_t kBulkBytes = 32;
constexpr std::size_t kEventBytes = 4;
constexpr std::uint16_t kCommandPage = 0xff00;
constexpr std::uint16_t kEventPage = 0xff01;

} // namespace

KernelQ7::KernelQ7(KernelTestbed &bed, q7vm::EmulatorSettings settings, std::string port)
    : session_(std::move(settings)) {
    UsbHidDevice::Identity identity{kVendorId,         kProductId, 0x0105,         "Q7 Peripherals",
                                    "Q7 Gaming Mouse", "",         std::move(port)};
    HidrawDevice command;
    command.setFeature = [this](const std::uint8_t *r, std::size_t n) { return setFeature(r, n); };
    command.getFeature = [this](std::uint8_t *r, std::size_t n) { return getFeature(r, n); };
    command.output = [this](const std::uint8_t *r, std::size_t n) { return output(r, n); };
    command.inputRead = [this](const Bytes &r) { inputRead(Transfer::Kind::Input, r); };
    HidrawDevice event;
    event.inputRead = [this](const Bytes &r) { inputRead(Transfer::Kind::Event, r); };
    usb_ = std::make_unique<UsbHidDevice>(
        bed, identity,
        std::vector<UsbHidDevice::Interface>{
            {ReportDescriptors::collection(kCommandPage, kCommandPage, kFeatureBytes, kBulkBytes,
                                           kBulkBytes),
             command},
            {ReportDescriptors::collection(kEventPage, kEventPage, 0, 0, kEventBytes), event}});
    readyThread_ = std::thread([this] { deliverReadyReports(); });
}

KernelQ7::~KernelQ7() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    readyChanged_.notify_all();
    readyThread_.join();
    usb_.reset();
}

void KernelQ7::plug() {
    vanished_ = false;
    usb_->plug();
}

bool KernelQ7::isWatched() const {
    const std::shared_ptr<HidrawNode> node = usb_->node(1);
    return node && node->waitingReaders() > 0;
}

void KernelQ7::vanishAfter(std::function<bool(const Transfer &)> when) {
    std::lock_guard lock(mutex_);
    vanishWhen_ = std::move(when);
}

void KernelQ7::after(const Transfer &transfer) {
    bool vanish = false;
    {
        std::lock_guard lock(mutex_);
        vanish = vanishWhen_ && vanishWhen_(transfer);
        if (vanish)
            vanishWhen_ = nullptr;
    }
    if (vanish) {
        vanished_ = true;
        usb_->hangUp();
    }
}

int KernelQ7::setFeature(const std::uint8_t *report, std::size_t length) {
    // A control transfer the firmware does not take stalls.
    if (!q7vm::DeviceSession::isCommandReport(report, length))
        return -EPIPE;
    q7vm::FrameOutcome outcome;
    {
        std::lock_guard lock(mutex_);
        outcome = session_.commandFrame(report);
        if (outcome.readyFollows)
            scheduleReady();
    }
    if (const std::shared_ptr<HidrawNode> node = usb_->node(0))
        for (Bytes &input : outcome.input)
            node->queueInput(std::move(input));
    after({Transfer::Kind::FeatureOut, outcome.code});
    return int(length);
}

int KernelQ7::getFeature(std::uint8_t *report, std::size_t length) {
    if (length < q7vm::kFeatureReportSize || report[0] != 0)
        return -EPIPE;
    std::optional<q7vm::FeatureReport> answer;
    {
        std::lock_guard lock(mutex_);
        answer = session_.answer();
    }
    if (!answer)
        return -EPIPE;
    std::copy(answer->begin(), answer->end(), report);
    after({Transfer::Kind::FeatureIn});
    return int(answer->size());
}

int KernelQ7::output(const std::uint8_t *report, std::size_t length) {
    {
        std::lock_guard lock(mutex_);
        if (!session_.isOutputReport(report, length))
            return -EINVAL;
        if (session_.outputReport(report, length))
            scheduleReady();
    }
    after({Transfer::Kind::Output});
    return int(length);
}

void KernelQ7::inputRead(Transfer::Kind kind, const Bytes &report) {
    {
        std::lock_guard lock(mutex_);
        session_.log.record(kind == Transfer::Kind::Input ? "input" : "event", report.data(),
                            report.size());
    }
    after({kind});
}

void KernelQ7::scheduleReady() {
    ready_.scheduleAfter(q7vm::ReadyScheduler::Clock::now());
    readyChanged_.notify_all();
}

void KernelQ7::deliverReadyReports() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        const auto due = ready_.nextDue();
        if (due)
            readyChanged_.wait_until(lock, *due);
        else
            readyChanged_.wait(lock);
        const std::size_t count = ready_.takeDue(q7vm::ReadyScheduler::Clock::now()).size();
        if (count == 0)
            continue;
        lock.unlock();
        if (const std::shared_ptr<HidrawNode> node = usb_->node(1))
            for (std::size_t i = 0; i < count; ++i)
                node->queueInput(Bytes(q7vm::ReadyScheduler::kReadyReport.begin(),
                                       q7vm::ReadyScheduler::kReadyReport.end()));
        lock.lock();
    }
}

} // namespace q7kernel
