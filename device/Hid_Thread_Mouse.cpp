// The mouse dialect. Its value gets preset zeros, so a failed exchange reads as 0.
#include "Hid_Thread.h"

namespace M = CommandTable::Mouse;
using Frame = FrameCodec::Frame;

namespace {
int colourBytes(uchar type) {
    return type == M::PackedColourType ? M::PackedColourBytes : M::SetLed8StageColor.bulkBytes;
}
} // namespace

void Hid_Thread::hid_03H_SetFunctionOption(uchar type, uchar rate, uchar option1, uchar option2) {
    runSet(M::SetFunctionOption, {type, rate, option1, option2});
}

void Hid_Thread::hid_07H_SetLEDInstructFunction(uchar type, uchar option1, uchar option2,
                                                uchar option3) {
    runSet(M::SetLedInstruct, {type, option1, option2, option3});
}

void Hid_Thread::hid_0BH_SetCurrentDPIStage(uchar dpiStage) {
    runSet(M::SetCurrentDpiStage, {dpiStage});
}

void Hid_Thread::hid_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2) {
    runSet(M::SetRgbLedEffect, {effect, option1, option2});
}

void Hid_Thread::hid_10H_SetLED8StageColor(uchar type, uchar *src24) {
    const int length = colourBytes(type);
    runSet(M::SetLed8StageColor, {type, uint8_t(length)}, src24, length);
}

void Hid_Thread::hid_11H_SetDPISet(uchar dpiStage, uchar *src8) {
    runSet(M::SetDpiSet, {dpiStage, uint8_t(M::SetDpiSet.bulkBytes)}, src8);
}

void Hid_Thread::hid_12H_SetKeyMatrix(uchar *src64, uchar index) {
    runSet(M::SetKeyMatrix, {index, uint8_t(M::SetKeyMatrix.bulkBytes), M::KeyMatrixTableMarker},
           src64);
}

void Hid_Thread::hid_13H_SetMacroKey(uchar macroId, uchar *src128) {
    runSet(M::SetMacroKey, {macroId, uint8_t(M::SetMacroKey.bulkBytes)}, src128);
}

bool Hid_Thread::hid_83H_GetFunctionOption(uchar &type, uchar &option1, uchar &option2) {
    const Outcome outcome = runGet(M::GetFunctionOption, {}, Frame{});
    if (outcome == Outcome::Busy)
        return false;
    type = answer(2), option1 = answer(4), option2 = answer(5);
    return outcome == Outcome::Done;
}

bool Hid_Thread::hid_87H_GetLEDInstructFunction(uchar type, uchar &option1, uchar &option2,
                                                uchar &option3) {
    if (runGet(M::GetLedInstruct, {type}, Frame{}) != Outcome::Done)
        return false;
    option1 = answer(3), option2 = answer(4), option3 = answer(5);
    return true;
}

void Hid_Thread::hid_8BH_GetCurrentDPIStage(uchar &dpiStage) {
    if (runGet(M::GetCurrentDpiStage, {}, Frame{}) != Outcome::Busy)
        dpiStage = answer(2);
}

void Hid_Thread::hid_8DH_GetRGBLedEffect(uchar &effect, uchar &option1, uchar &option2) {
    if (runGet(M::GetRgbLedEffect, {}, Frame{}) == Outcome::Busy)
        return;
    effect = answer(2), option1 = answer(3), option2 = answer(4);
}

void Hid_Thread::hid_90H_GetLED8StageColor(uchar type, uchar *src24) {
    runGet(M::GetLed8StageColor, {type}, Frame{}, src24, colourBytes(type));
}

bool Hid_Thread::hid_91H_GetDPISet(uchar &dpiMAXStage, uchar *src8) {
    // The buffer is copied in and out only on success, so a failure leaves it as it was.
    uchar scratch[M::GetDpiSet.bulkBytes];
    std::copy_n(src8, M::GetDpiSet.bulkBytes, scratch);
    if (runGet(M::GetDpiSet, {}, Frame{}, scratch) != Outcome::Done)
        return false;
    // Bulk answers are not descrambled: the stage count is taken as the device sent it.
    dpiMAXStage = answer(2);
    std::copy_n(scratch, M::GetDpiSet.bulkBytes, src8);
    return true;
}

void Hid_Thread::hid_92H_GetKeyMatrix(uchar *src64) {
    runGet(M::GetKeyMatrix, {M::KeyMatrixReadTable}, Frame{0, M::GetKeyMatrix.code}, src64);
}

void Hid_Thread::hid_93H_GetMacroKey(uchar macroId, uchar *src128) {
    runGet(M::GetMacroKey, {macroId}, Frame{}, src128);
}
