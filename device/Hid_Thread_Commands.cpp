// The shared exchange pattern of both dialects.
#include "Hid_Thread.h"

#include <QDebug>
#include <QThreadPool>
#include <QtConcurrent>

#include <cstring>

void Hid_Thread::runSet(const CommandTable::Set &command, std::initializer_list<uint8_t> params,
                        const uint8_t *bulk, int bulkBytes) {
    const int n = bulkBytes >= 0 ? bulkBytes : command.bulkBytes;
    PreparedSet set{command, FrameCodec::build(command.code, params), {}};
    if (bulk && n > 0)
        set.bulk = QByteArray(reinterpret_cast<const char *>(bulk), n);
    else if (n > 0)
        set.bulk = QByteArray(n, '\0');
    if (m_capture) {
        m_capture->append(set);
        return;
    }
    send(set);
}

void Hid_Thread::send(const PreparedSet &set) {
    const CommandTable::Set &command = set.command;
    if (!m_exchangesAllowed.load() || !claimLink()) {
        qDebug("cmd Failed %02X", command.code);
        m_exchangeCode = command.code;
        fail(ExchangeFailure::Cause::LinkBusy);
        return;
    }
    m_exchangeCode = command.code;
    // Unknown while it is on its way: a set compared meanwhile is sent again, never skipped.
    m_sent.forgetPlace(set);
    const int n = int(set.bulk.size());
    m_frames.command = set.frame;
    if (n > 0)
        std::memcpy(m_frames.bulk.data(), set.bulk.constData(), size_t(n));
    m_lastSend = QtConcurrent::run(QThreadPool::globalInstance(), [this, set, n] {
        if (sendFrame(n, set.command.pause))
            m_sent.remember(set);
        else
            m_sent.forgetPlace(set);
    });
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
