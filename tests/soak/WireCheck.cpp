#include "WireCheck.h"

#include "CommandTable.h"
#include "WireDescrambler.h"

namespace {

namespace M = CommandTable::Mouse;

// The mouse's bulk sets and the bytes each carries at most.
int bulkBytes(uint8_t code) {
    for (const CommandTable::Set &set :
         {M::SetLed8StageColor, M::SetDpiSet, M::SetKeyMatrix, M::SetMacroKey})
        if (set.code == code)
            return set.bulkBytes;
    return 0;
}

} // namespace

void WireCheck::check(const QList<VirtualMouse::Report> &reports) {
    for (const VirtualMouse::Report &r : reports) {
        if (r.kind == QLatin1String("feature_out"))
            frame(r.bytes, r.refused);
        else if (r.kind == QLatin1String("output"))
            output(r.bytes);
    }
}

void WireCheck::frame(const QByteArray &bytes, bool refused) {
    ++m_frames;
    m_outputsLeft = 0;
    const QByteArray plain = descrambleWireFrame(bytes);
    if (bytes.size() != 9 || bytes[0] != 0 || plain.isEmpty()) {
        ++m_malformed;
        m_problems.append(
            QStringLiteral("malformed frame %1").arg(QString::fromLatin1(bytes.toHex(' '))));
        return;
    }
    // The mouse refuses bad checksums, codes it does not know and values it does not take: the
    // call that sent such a frame was not done.
    if (refused) {
        ++m_refused;
        m_problems.append(QStringLiteral("the mouse refused frame %1 (plain %2)")
                              .arg(QString::fromLatin1(bytes.toHex(' ')),
                                   QString::fromLatin1(plain.mid(1).toHex(' '))));
        return;
    }
    const int bulk = bulkBytes(uint8_t(plain[1]));
    m_outputsLeft = (bulk + m_reportLength - 1) / m_reportLength;
}

void WireCheck::output(const QByteArray &bytes) {
    ++m_outputs;
    if (bytes.size() != m_reportLength + 1 || bytes[0] != 0 || m_outputsLeft == 0) {
        ++m_malformed;
        m_problems.append(QStringLiteral("output report out of place or malformed: %1")
                              .arg(QString::fromLatin1(bytes.toHex(' '))));
        return;
    }
    --m_outputsLeft;
}
