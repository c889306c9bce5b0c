#pragma once

#include "KeyFunctionNames.h"
#include "SlotCall.h"

#include <QJsonObject>
#include <QVariantList>

#include <functional>

class PageLogic;

// What users script, in their words: profiles 1–10, DPI stages 1–8, polling rate in Hz, lighting
// effects and colours by name, key functions by name, macros and profiles to and from files, and
// a status. Each is made of slot calls through a SlotCaller, so it runs the same in q7ctl, in the
// window for its D-Bus interface, and from q7ctl through the window. Every answer carries the new
// (or current) value in the outcome's value.
class MouseActions {
public:
    static constexpr int Profiles = 10;
    static constexpr int Stages = 8;

    MouseActions(SlotCaller &caller, const PageLogic &logic, bool confirmed = false);

    SlotOutcome profile();
    // The one way a profile is chosen from outside the window (1 … 10): the window shows it and
    // the mouse is given what it holds.
    SlotOutcome selectProfile(int profile);
    SlotOutcome stepProfile(int delta);

    SlotOutcome dpiStage();
    SlotOutcome setDpiStage(int stage);
    // To the next or previous stage that is on, round the mouse's stage count.
    SlotOutcome stepDpiStage(int delta);
    SlotOutcome dpiStages();
    SlotOutcome setDpiStages(const QList<int> &values);

    SlotOutcome pollingRate(); // Hz
    SlotOutcome setPollingRate(int hz);

    // "breathing --brightness 7 --speed 4", or "off"
    SlotOutcome lighting();
    // brightness and speed 0 … 7, or -1 to keep what the profile holds.
    SlotOutcome setLighting(const QString &effect, int brightness = -1, int speed = -1);
    QStringList effectNames() const { return effectNames(m_logic); }

    // What the profile holds, as the words give it back: the rate code in Hz, the stored
    // lighting record as lighting() prints it.
    static int rateHz(const PageLogic &logic, int code);
    static QString lightingText(const PageLogic &logic, const QVariantList &stored);
    static QStringList effectNames(const PageLogic &logic);

    // "#rrggbb" of one stage's indicator (1 … 8), or of all eight.
    SlotOutcome stageColours();
    SlotOutcome setStageColour(int stage, const QString &colour);

    // One key's function name, or all listed keys as [{"key", "name", "function"}].
    SlotOutcome keyFunction(const QString &key);
    SlotOutcome keyFunctions();
    SlotOutcome setKey(const QString &key, const QString &function);
    const KeyFunctionNames &names() const { return m_names; }

    SlotOutcome macroNames();
    SlotOutcome macroLines(const QString &name);
    SlotOutcome importMacro(const QString &name, const QString &file);
    SlotOutcome exportMacro(const QString &name, const QString &file);
    SlotOutcome importProfile(int profile, const QString &file);
    SlotOutcome exportProfile(int profile, const QString &file);

    // Rules that choose the profile by the application in focus (profiles 1 … 10):
    // {"rulesOn", "default" (0: none), "rules": [{"application", "profile"}]}.
    SlotOutcome rules();
    SlotOutcome addRule(const QString &application, int profile);
    SlotOutcome removeRule(const QString &application);
    // 0 leaves other applications' profile alone.
    SlotOutcome setDefaultRule(int profile);
    SlotOutcome setRulesOn(bool on);

    // What the mouse and the current profile hold, as one object.
    SlotOutcome status();
    // Whether the mouse is "connected" or the program runs in "demo" mode, for status().
    void setDeviceState(std::function<QString()> state) { m_deviceState = std::move(state); }

private:
    // One slot call; false when it was not done, with the outcome kept for the caller.
    bool run(const QString &slot, const QVariantList &args = {}, QJsonValue *value = nullptr,
             const QStringList &files = {});
    SlotOutcome finish(const QJsonValue &value);
    SlotOutcome refuse(const QString &message);
    SlotOutcome failed();
    void start() { m_outcome = {}; }

    bool readStages(QList<int> &values, int &count, int &current);
    bool readKeyTable(QVariantList &flat);
    bool readLighting(QVariantMap &record);
    static QVariantMap lightingRecord(const PageLogic &logic, const QVariantList &stored);
    bool readColours(QJsonArray &colours);

    SlotCaller &m_caller;
    const PageLogic &m_logic;
    bool m_confirmed;
    KeyFunctionNames m_names;
    SlotOutcome m_outcome;
    std::function<QString()> m_deviceState;
};
