#include "WireCheck.h"

#include "CommandTable.h"
#include "WireDescrambler.h"

#include <QSet>

namespace {

namespace K = CommandTable::Keyboard;
namespace M = CommandTable::Mouse;

const QSet<uint8_t> &knownCodes() {
    static const QSet<uint8_t> codes = {
        K::SetReportRate.code,      K::SetCurrentProfile.code, K::SetKeyboardOption.code,
        K::SetButtonSens.code,      K::SetIndicatorLight.code, K::SetLedType.code,
        K::SetKeyboardMode.code,    K::SetKeyMatrix.code,      K::SetKeyOnOff.code,
        K::SetMacroKey.code,        K::SetUserPicture.code,    K::SetRecoveryData.code,
        K::SetColor.code,           K::GetFwVersion.code,      K::GetReportRate.code,
        K::GetCurrentProfile.code,  K::GetKeyboardOption.code, K::GetButtonSens.code,
        K::GetLedType.code,         K::GetKeyboardMode.code,   K::GetKeyMatrix.code,
        K::GetKeyOnOff.code,        K::GetMacroKey.code,       K::GetUserPicture.code,
        K::GetColor.code,           M::SetFunctionOption.code, M::SetLedInstruct.code,
        M::SetCurrentDpiStage.code, M::SetRgbLedEffect.code,   M::SetLed8StageColor.code,
        M::SetDpiSet.code,          M::SetKeyMatrix.code,      M::SetMacroKey.code,
        M::GetFunctionOption.code,  M::GetLedInstruct.code,    M::GetCurrentDpiStage.code,
        M::GetRgbLedEffect.code,    M::GetLed8StageColor.code, M::GetDpiSet.code,
        M::GetKeyMatrix.code,       M::GetMacroKey.code,
    };
    return codes;
}

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
    uint8_t sum = 0;
    for (qsizetype i = 1; i < plain.size(); ++i)
        sum = uint8_t(sum + uint8_t(plain[i]));
    if (bytes.size() != 9 || bytes[0] != 0 || plain.isEmpty() || sum != 0xFF ||
        !knownCodes().contains(uint8_t(plain[1]))) {
        ++m_malformed;
        m_problems.append(
            QStringLiteral("malformed frame %1").arg(QString::fromLatin1(bytes.toHex(' '))));
        return;
    }
    // Well formed, but a value the mouse does not take: the call that sent it was not done.
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
