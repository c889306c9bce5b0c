// The shared exchange pattern of both dialects.
#include "Hid_Thread.h"

#include <QDebug>

#include <cstring>

void Hid_Thread::runSet(const CommandTable::Set &command, std::initializer_list<uint8_t> params,
                        const uint8_t *bulk, int bulkBytes) {
    if (!m_exchangesAllowed.load() || !claimLink()) {
        qDebug("cmd Failed %02X", command.code);
        m_exchangeCode = command.code;
        fail(ExchangeFailure::Cause::LinkBusy);
        return;
    }
    m_exchangeCode = command.code;
    const int n = bulkBytes >= 0 ? bulkBytes : command.bulkBytes;
    m_frames.command = FrameCodec::build(command.code, params);
    if (bulk && n > 0)
        std::memcpy(m_frames.bulk.data(), bulk, size_t(n));
    startSend(n, command.pause);
    if (command.sleep8)
        QThread::msleep(ReportSpacingMs);
}

Hid_Thread::Outcome Hid_Thread::runGet(const CommandTable::Get &command,
                                       std::initializer_list<uint8_t> params,
                                       const FrameCodec::Frame &preset, uint8_t *buffer,
                                       int bulkBytes) {
    if (!m_exchangesAllowed.load() || !claimLink()) {
        qDebug("cmd Failed");
        m_exchangeCode = command.code;
        fail(ExchangeFailure::Cause::LinkBusy);
        return Outcome::Busy;
    }
    m_exchangeCode = command.code;
    const int n = bulkBytes >= 0 ? bulkBytes : command.bulkBytes;
    m_frames.command = FrameCodec::build(command.code, params);
    m_frames.answer = preset;
    if (buffer && n > 0)
        std::memcpy(m_frames.bulk.data(), buffer, size_t(n));
    const bool ok = receiveFrame(n);
    if (buffer && n > 0)
        std::memcpy(buffer, m_frames.bulk.data(), size_t(n));
    return ok ? Outcome::Done : Outcome::Failed;
}
