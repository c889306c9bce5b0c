#include "EventWatcher.h"

#include "HidTransport.h"

#include <QDebug>

#include <algorithm>
#include <mutex>
#include <thread>

namespace {
constexpr uint8_t ReadyReport[EventWatcher::ReportLength] = {0x04, 0x04, 0x00, 0x00};
constexpr int BlockUntilReport = -1;
} // namespace

struct EventWatcher::Shared {
    std::atomic<bool> running{true};
    std::shared_ptr<std::atomic<bool>> ready;
    std::mutex mutex; // guards removed against the owner's stop
    std::function<void()> removed;
};

bool EventWatcher::isReadyReport(const uint8_t *report, int length) {
    return length == ReportLength && std::equal(report, report + length, ReadyReport);
}

EventWatcher::EventWatcher(const QString &path, std::shared_ptr<std::atomic<bool>> ready,
                           std::function<void()> removed)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->ready = std::move(ready);
    m_shared->removed = std::move(removed);
    std::thread([shared = m_shared, path] {
        hid_device *handle = HidTransport::open(path);
        uint8_t report[ReportLength];
        while (handle && shared->running.load()) {
            const int got = HidTransport::transfer(HidTransport::Kind::Event, handle, report,
                                                   sizeof report, BlockUntilReport);
            if (got < 0)
                break;
            if (isReadyReport(report, got))
                shared->ready->store(true);
        }
        HidTransport::close(handle);
        const bool stopped = !shared->running.exchange(false);
        if (stopped)
            return;
        qDebug("Device removed");
        std::lock_guard lock(shared->mutex);
        if (shared->removed)
            shared->removed();
    }).detach();
}

EventWatcher::~EventWatcher() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->removed = nullptr;
    m_shared->running = false;
}

bool EventWatcher::isRunning() const {
    return m_shared->running.load();
}
