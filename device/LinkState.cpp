#include "LinkState.h"

namespace {
constexpr int CodeLength = 6;
}

LinkState &LinkState::instance() {
    static LinkState state;
    return state;
}

FrameCodec::SecrecyCode LinkState::secrecyCode() const {
    std::lock_guard lock(m_mutex);
    return m_code;
}

bool LinkState::setSecrecyCode(const QString &sixChars) {
    if (sixChars.size() != CodeLength)
        return false;
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < CodeLength; ++i)
        m_code[1 + i] = uint8_t(sixChars[i].toLatin1());
    return true;
}

void LinkState::reset() {
    {
        std::lock_guard lock(m_mutex);
        m_code = {};
    }
    scrambling = false;
    demoMode = false;
    connected = false;
}
