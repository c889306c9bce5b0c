// The keyboard dialect; the mouse answers 0x01, 0x81, 0x03, 0x83 and 0x04 as well.
#include "Hid_Thread.h"

namespace K = CommandTable::Keyboard;
using Frame = FrameCodec::Frame;

void Hid_Thread::hid_01H_SetReportRate(uchar rate) {
    runSet(K::SetReportRate, {rate});
}

void Hid_Thread::hid_02H_SetCurrentProfile(uchar profile) {
    runSet(K::SetCurrentProfile, {profile});
}

void Hid_Thread::hid_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4) {
    runSet(K::SetKeyboardOption, {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1, uchar sens2, uchar sens3, uchar sens4,
                                              uchar index) {
    runSet(K::SetButtonSens, {sens1, sens2, sens3, sens4, index});
}

void Hid_Thread::hid_07H_SetControlIndicatorLight(uchar effect, uchar frequenty) {
    runSet(K::SetIndicatorLight, {effect, frequenty});
}

void Hid_Thread::hid_08H_SetLEDType(uchar option, uchar effect, uchar speed, uchar light,
                                    uchar color, uchar direction) {
    runSet(K::SetLedType, {option, effect, speed, light, color, direction});
}

void Hid_Thread::hid_09H_SetKeyboardMode(uchar mode) {
    runSet(K::SetKeyboardMode, {mode});
}

void Hid_Thread::hid_0DH_SetKeyMatrix(uchar *src512) {
    runSet(K::SetKeyMatrix, {0, 0, K::KeyMatrixReports}, src512);
}

void Hid_Thread::hid_0EH_SetKeyOnOff(uchar *src21) {
    runSet(K::SetKeyOnOff, {0, 0, K::KeyOnOffBytes}, src21);
}

void Hid_Thread::hid_11H_SetMacroKey(uchar macroId, uchar *src192) {
    runSet(K::SetMacroKey, {0, macroId, K::MacroReports}, src192);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar option, uchar *src512) {
    runSet(K::SetUserPicture, {0, index, K::UserPictureReports, option}, src512);
}

void Hid_Thread::hid_13H_SetRecoveryData() {
    runSet(K::SetRecoveryData, {K::RecoveryAll});
}

void Hid_Thread::hid_14H_SetColor(uchar index, uchar rValue, uchar gValue, uchar bValue) {
    runSet(K::SetColor, {0, index, rValue, gValue, bValue});
}

void Hid_Thread::hid_80H_GetFWVersion(QString &version) {
    const Outcome outcome = runGet(K::GetFwVersion, {}, Frame{0, K::GetFwVersion.code});
    if (outcome == Outcome::Failed)
        version = QStringLiteral("unknown");
    else if (outcome == Outcome::Done)
        version = QString::number(answer(2), 16) + QLatin1Char('.') +
                  QStringLiteral("%1").arg(answer(3), 2, 16, QLatin1Char('0')).toUpper();
}

bool Hid_Thread::hid_81H_GetReportRate(uchar &rate) {
    const Outcome outcome = runGet(K::GetReportRate, {}, Frame{0, K::GetReportRate.code, rate});
    if (outcome != Outcome::Busy)
        rate = answer(2);
    return outcome == Outcome::Done;
}

void Hid_Thread::hid_82H_GetCurrentProfile(uchar &profile) {
    if (runGet(K::GetCurrentProfile, {}, Frame{0, K::GetCurrentProfile.code, profile}) !=
        Outcome::Busy)
        profile = answer(2);
}

bool Hid_Thread::hid_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4) {
    const Frame preset{0, K::GetKeyboardOption.code, byte1, byte2, byte3, byte4};
    const Outcome outcome = runGet(K::GetKeyboardOption, {}, preset);
    if (outcome == Outcome::Busy)
        return false;
    byte1 = answer(2), byte2 = answer(3), byte3 = answer(4), byte4 = answer(5);
    return outcome == Outcome::Done;
}

void Hid_Thread::hid_84H_GetButtonSensitivity(uchar &sens1, uchar &sens2, uchar &sens3,
                                              uchar &sens4) {
    const Frame preset{0, K::GetButtonSens.code, sens1, sens2, sens3, sens4};
    if (runGet(K::GetButtonSens, {}, preset) == Outcome::Busy)
        return;
    sens1 = answer(2), sens2 = answer(3), sens3 = answer(4), sens4 = answer(5);
}

void Hid_Thread::hid_88H_GetLEDType(uchar &effect, uchar &speed, uchar &light, uchar &color,
                                    uchar &direction) {
    const Frame preset{0, K::GetLedType.code, 0, effect, speed, light, color, direction};
    if (runGet(K::GetLedType, {}, preset) == Outcome::Busy)
        return;
    effect = answer(3), speed = answer(4), light = answer(5), color = answer(6);
    direction = answer(7);
}

void Hid_Thread::hid_89H_GetKeyboardMode(uchar &mode) {
    if (runGet(K::GetKeyboardMode, {}, Frame{0, K::GetKeyboardMode.code, mode}) != Outcome::Busy)
        mode = answer(2);
}

void Hid_Thread::hid_8DH_GetKeyMatrix(uchar *src512) {
    runGet(K::GetKeyMatrix, {}, Frame{0, K::GetKeyMatrix.code, 0, 0, K::KeyMatrixReports}, src512);
}

void Hid_Thread::hid_8EH_GetKeyOnOff(uchar *src21) {
    runGet(K::GetKeyOnOff, {}, Frame{0, K::GetKeyOnOff.code, 0, 0, K::KeyOnOffBytes}, src21);
}

void Hid_Thread::hid_91H_GetMacroKey(uchar macroId, uchar *src192) {
    runGet(K::GetMacroKey, {0, macroId}, Frame{0, K::GetMacroKey.code, 0, macroId, K::MacroReports},
           src192);
}

void Hid_Thread::hid_92H_GetUserPicture(uchar index, uchar *src512) {
    runGet(K::GetUserPicture, {0, index},
           Frame{0, K::GetUserPicture.code, 0, index, K::UserPictureReports}, src512);
}

void Hid_Thread::hid_94H_GetColor(uchar index, uchar &rValue, uchar &gValue, uchar &bValue) {
    const Frame preset{0, K::GetColor.code, 0, index, rValue, gValue, bValue};
    if (runGet(K::GetColor, {0, index}, preset) == Outcome::Busy)
        return;
    rValue = answer(4), gValue = answer(5), bValue = answer(6);
}
