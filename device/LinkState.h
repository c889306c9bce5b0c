#pragma once

#include "FrameCodec.h"

#include <QString>

#include <atomic>
#include <mutex>

// Process-wide link state, shared by the device check, the UI thread and the exchange workers.
class LinkState {
public:
    static LinkState &instance();

    FrameCodec::SecrecyCode secrecyCode() const;
    // Takes bytes 1 to 6 from a six-character code; any other length leaves the code as it was.
    bool setSecrecyCode(const QString &sixChars);

    std::atomic<bool> scrambling{false};
    std::atomic<bool> demoMode{false};
    std::atomic<bool> connected{false};

    // Back to the state of a fresh process.
    void reset();

private:
    mutable std::mutex m_mutex;
    FrameCodec::SecrecyCode m_code{};
};
