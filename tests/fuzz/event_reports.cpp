// The event interface as the link's watcher reads it: reports of any length and content, time-outs
// and failures. The ready flag rises exactly when a whole ready report came, and the watcher ends
// and says so when the interface fails.
#include "EventWatcher.h"
#include "FuzzInput.h"
#include "FuzzSetup.h"
#include "ScriptedHid.h"

#include <condition_variable>
#include <cstdlib>
#include <mutex>

namespace {
constexpr ScriptedHid::Usages Ids{0x04d9, 0xa09f, 0xff00, 0xff00, 0xff01, 0xff01};
const QByteArray ReadyReport("\x04\x04\x00\x00", 4);
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    FuzzSetup::quietMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    ScriptedHid::begin(&in, Ids);
    auto ready = std::make_shared<std::atomic<bool>>(false);
    std::mutex mutex;
    std::condition_variable ended;
    bool removed = false;
    {
        EventWatcher watcher(QString::fromLatin1(ScriptedHid::EventPath), ready, [&] {
            std::lock_guard lock(mutex);
            removed = true;
            ended.notify_all();
        });
        std::unique_lock lock(mutex);
        ended.wait(lock, [&] { return removed; });
    }
    ScriptedHid::end();
    if (ready->load() != ScriptedHid::reportsRead().contains(ReadyReport))
        std::abort();
    return 0;
}
