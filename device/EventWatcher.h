#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// Reads the device's event interface in a thread of its own and raises the ready flag when the
// device reports that it has finished a command. The read blocks (no polling while idle), and a
// blocked hidapi read cannot be interrupted, so stopping only detaches: the thread ends at the
// next report or when the interface goes away, touching nothing but state it shares.
class EventWatcher {
public:
    // ready outlives every watcher. removed runs in the watcher's thread when the interface
    // fails, unless the watcher was stopped first.
    EventWatcher(const QString &path, std::shared_ptr<std::atomic<bool>> ready,
                 std::function<void()> removed);
    ~EventWatcher();

    EventWatcher(const EventWatcher &) = delete;
    EventWatcher &operator=(const EventWatcher &) = delete;

    bool isRunning() const;

    static constexpr int ReportLength = 4;
    static bool isReadyReport(const uint8_t *report, int length);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};
