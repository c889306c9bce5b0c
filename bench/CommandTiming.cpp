#include "CommandTiming.h"

#include "CommandTable.h"
#include "Hid_Thread.h"

#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <functional>

namespace {

constexpr int Rounds = 10;
constexpr int MouseReportLength = 32;

struct Case {
    const char *name;
    int floorMs; // 0: nothing imposed
    std::function<void(Hid_Thread &)> run;
};

int setFloor(const CommandTable::Set &c) {
    return CommandTiming::setFloorMs(c);
}

} // namespace

int CommandTiming::setFloorMs(const CommandTable::Set &c) {
    const int reports = (c.bulkBytes + MouseReportLength - 1) / MouseReportLength;
    const int pauses = c.pause ? (c.bulkBytes > 0 ? 2 : 1) : 0;
    return pauses * Hid_Thread::SettleStepMs + reports * Hid_Thread::ReportSpacingMs;
}

void CommandTiming::run(Hid_Thread &hid, const char *seam) {
    while (!hid.isWatching())
        QThread::msleep(10);
    QThread::msleep(200); // the watcher has the event interface open

    namespace M = CommandTable::Mouse;
    namespace K = CommandTable::Keyboard;
    static uchar buffer[128] = {1, 2, 3, 4, 5, 6, 7, 8};
    static uchar a, b, c, d;
    const Case cases[] = {
        {"01 set report rate", setFloor(K::SetReportRate),
         [](Hid_Thread &h) { h.hid_01H_SetReportRate(1); }},
        {"03 set function option", setFloor(M::SetFunctionOption),
         [](Hid_Thread &h) { h.hid_03H_SetFunctionOption(3, 1, 0, 0); }},
        {"04 set press gun", setFloor(K::SetButtonSens),
         [](Hid_Thread &h) { h.hid_04H_SetButtonSensitivity(1, 2, 3, 4, 0); }},
        {"07 set LED instruct", setFloor(M::SetLedInstruct),
         [](Hid_Thread &h) { h.hid_07H_SetLEDInstructFunction(0, 0, 0, 0); }},
        {"0B set DPI stage", setFloor(M::SetCurrentDpiStage),
         [](Hid_Thread &h) { h.hid_0BH_SetCurrentDPIStage(2); }},
        {"0D set RGB effect", setFloor(M::SetRgbLedEffect),
         [](Hid_Thread &h) { h.hid_0DH_SetRGBLedEffect(1, 255, 3); }},
        {"10 set colours", setFloor(M::SetLed8StageColor),
         [](Hid_Thread &h) { h.hid_10H_SetLED8StageColor(0, buffer); }},
        {"11 set DPI set", setFloor(M::SetDpiSet),
         [](Hid_Thread &h) { h.hid_11H_SetDPISet(8, buffer); }},
        {"12 set key matrix", setFloor(M::SetKeyMatrix),
         [](Hid_Thread &h) { h.hid_12H_SetKeyMatrix(buffer, 1); }},
        {"13 set macro", setFloor(M::SetMacroKey),
         [](Hid_Thread &h) { h.hid_13H_SetMacroKey(1, buffer); }},
        {"80 get version", 0,
         [](Hid_Thread &h) {
             QString v;
             h.hid_80H_GetFWVersion(v);
         }},
        {"81 get report rate", 0, [](Hid_Thread &h) { h.hid_81H_GetReportRate(a); }},
        {"83 get function option", 0, [](Hid_Thread &h) { h.hid_83H_GetFunctionOption(a, b, c); }},
        {"87 get LED instruct", 0,
         [](Hid_Thread &h) { h.hid_87H_GetLEDInstructFunction(0, a, b, c); }},
        {"8B get DPI stage", 0, [](Hid_Thread &h) { h.hid_8BH_GetCurrentDPIStage(a); }},
        {"8D get RGB effect", 0, [](Hid_Thread &h) { h.hid_8DH_GetRGBLedEffect(a, b, c); }},
        {"90 get colours", 0, [](Hid_Thread &h) { h.hid_90H_GetLED8StageColor(0, buffer); }},
        {"91 get DPI set", 0, [](Hid_Thread &h) { h.hid_91H_GetDPISet(d, buffer); }},
        {"92 get key matrix", 0, [](Hid_Thread &h) { h.hid_92H_GetKeyMatrix(buffer); }},
        {"93 get macro", 0, [](Hid_Thread &h) { h.hid_93H_GetMacroKey(1, buffer); }},
    };

    std::printf("commands through %s\n", seam);
    std::printf("%-26s %10s %10s %8s\n", "command", "mean ms", "floor ms", "ratio");
    for (const Case &test : cases) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < Rounds; ++i) {
            test.run(hid);
            hid.waitForSend(); // a set is done when its last report is out
        }
        const double mean = double(timer.nsecsElapsed()) / 1e6 / Rounds;
        if (test.floorMs > 0)
            std::printf("%-26s %10.2f %10d %8.2f\n", test.name, mean, test.floorMs,
                        mean / test.floorMs);
        else
            std::printf("%-26s %10.2f %10s %8s\n", test.name, mean, "-", "-");
    }
}
