#include "SlotDomains.h"

#include "MacroName.h"
#include "RuleStore.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace SlotDomains {
namespace {

enum class Device { Any, Keyboard, Mouse };

struct Param {
    // Free: the type says it all, and the slot neither sends nor stores it. Ruled: the slot's rule
    // checks it.
    enum class Kind { Free, Range, OneOf, Flag, Numbers, Scalars, Lines, Macro, NewMacro, Ruled };
    Kind kind = Kind::Free;
    double low = 0, high = 0;       // Range, and each element of Numbers
    int minCount = 0, maxCount = 0; // Numbers, Scalars, Lines
    std::vector<int> choices = {};  // OneOf
};

using Rule = std::function<std::optional<QString>(const QVariantList &, const Context &)>;

struct Domain {
    Domain(Device d = Device::Any, std::vector<Param> p = {}, Rule r = {}, const char *text = "")
        : device(d), params(std::move(p)), rule(std::move(r)), ruleText(QString::fromUtf8(text)) {}

    Device device;
    std::vector<Param> params;
    Rule rule;        // a check that spans parameters
    QString ruleText; // what the rule asks, for "q7ctl slots"
    // The slot asks for a file name in a dialog: called from outside, the file comes with the call.
    QString fileWord;
};

// A slot that asks for a file: what the caller types instead of the dialog.
Domain withFile(Domain d, const char *word) {
    d.fileWord = QString::fromUtf8(word);
    return d;
}

Param range(double low, double high) {
    return {Param::Kind::Range, low, high, 0, 0};
}
Param numbers(int count, double low = 0, double high = 255) {
    return {Param::Kind::Numbers, low, high, count, count};
}
Param between(int minCount, int maxCount, double low = 0, double high = 255) {
    return {Param::Kind::Numbers, low, high, minCount, maxCount};
}
Param scalars(int maxCount) {
    return {Param::Kind::Scalars, 0, 0, 0, maxCount};
}
Param oneOf(std::vector<int> choices) {
    return {Param::Kind::OneOf, 0, 0, 0, 0, std::move(choices)};
}
Param lines(int maxCount) {
    return {Param::Kind::Lines, 0, 0, 0, maxCount};
}
const Param any{};
const Param byte = range(0, 255);
const Param flag{Param::Kind::Flag};
const Param ruled{Param::Kind::Ruled};
const Param macro{Param::Kind::Macro, 0, 0, 0, 0};
const Param newMacro{Param::Kind::NewMacro, 0, 0, 0, 0};

constexpr int Profiles = 10;
constexpr int Stages = 8;
constexpr int SliderTop = 10;
constexpr int Sounds = 4;
constexpr int Games = 3;
constexpr int FireKeys = 3;
constexpr int MouseMacros = 12;
constexpr int RecoilValues = 84;
constexpr int WeaponValues = 7;
constexpr int FireKeyRecord = 4;
constexpr int PageIds = 4;
constexpr int KeyboardKeys = 126;
constexpr int ApConfigItems = 256;
constexpr int PackedColourType = 2;
constexpr double DpiTop = 65535;
constexpr int LedEffects = 10; // 0 switches the LEDs off
constexpr int UserPictures = 5;
constexpr int KeyboardMacros = 35;
constexpr int MacroLines = 4096;
// The polling rate's one-bit codes: 1000, 500, 250 and 125 Hz.
const std::vector<int> RateCodes{1, 2, 4, 8};

constexpr uint8_t MouseButtonType = 0x01;
constexpr uint8_t LeftButton = 0xF0;
constexpr int RecordBytes = 4;

std::optional<QString> colourTable(const QVariantList &args, const Context &) {
    const bool ids = args.value(0).toInt() == PackedColourType;
    const int count = ids ? Stages : 3 * Stages;
    const double high = ids ? 15 : 255;
    const QVariantList list = args.value(1).toList();
    bool whole = list.size() == count;
    for (const QVariant &v : list)
        whole = whole && v.canConvert<double>() && std::floor(v.toDouble()) == v.toDouble() &&
                v.toDouble() >= 0 && v.toDouble() <= high;
    if (whole)
        return std::nullopt;
    return QStringLiteral("argument 2 (src24): type %1 takes %2 numbers from 0 to %3")
        .arg(args.value(0).toInt())
        .arg(count)
        .arg(high);
}

bool isWhole(const QVariant &v, double low, double high);

// Seven values per weapon: its name (any text), then six whole numbers.
std::optional<QString> weaponTable(const QVariantList &args, const Context &) {
    const QVariantList list = args.value(1).toList();
    bool fine = args.value(1).typeId() == QMetaType::QVariantList && list.size() <= RecoilValues;
    for (qsizetype i = 0; fine && i < list.size(); ++i)
        fine = i % WeaponValues == 0
                   ? list.at(i).typeId() == QMetaType::QString || isWhole(list.at(i), 0, 255)
                   : isWhole(list.at(i), 0, 255);
    if (fine)
        return std::nullopt;
    return QStringLiteral("argument 2 (gunData): up to %1 values, per weapon a name and six whole "
                          "numbers from 0 to 255")
        .arg(RecoilValues);
}

std::optional<QString> leftButtonKept(const QVariantList &args, const Context &context) {
    if (context.confirmed || keepsLeftButton(args.value(0).toList()))
        return std::nullopt;
    return QStringLiteral("argument 1 (src64): no key keeps the left button (record 1 0 240 0); "
                          "pass --yes to send it anyway");
}

std::optional<QString> applicationName(const QVariantList &args, const Context &) {
    if (const auto problem = RuleStore::nameProblem(args.value(0).toString()))
        return QStringLiteral("argument 1 (application): ") + *problem;
    return std::nullopt;
}

std::optional<QString> ruleOption(const QVariantList &args, const Context &) {
    static const QStringList options{QStringLiteral("rulesOn"), QStringLiteral("applyOnSwitch"),
                                     QStringLiteral("keepInStep"), QStringLiteral("autostart")};
    if (options.contains(args.value(0).toString()))
        return std::nullopt;
    return QStringLiteral("argument 1 (option): one of ") + options.join(QStringLiteral(", "));
}

// clang-format off
const QHash<QString, Domain> &table() {
    static const QHash<QString, Domain> t{
        // Start-up and sound.
        {"syncFW",                     {}},
        {"initUI",                     {}},
        {"runUI",                      {}},
        {"setEnableAudio",             {Device::Any, {flag}}},
        {"playMedia_Index",            {Device::Any, {range(0, Sounds)}}},
        {"playMedia_Background",       {}},
        {"clearAllMedia",              {}},
        // Configuration, profiles, macros, recoil tables.
        {"saveApConfig",               {Device::Any, {scalars(ApConfigItems)}}},
        {"loadApConfig",               {}},
        {"loadDeviceApConfig",         {}},
        {"resetApconfig",              {}},
        {"getIsSkinShow",              {}},
        {"loadDefaultProfile",         {Device::Any, {range(0, PageIds)}}},
        {"loadProfile",                withFile({Device::Any, {range(0, Profiles - 1)}}, "q7ctl profile import N FILE")},
        {"saveProfile",                withFile({Device::Any, {range(0, Profiles - 1)}}, "q7ctl profile export N FILE")},
        {"resetProfile",               {Device::Any, {range(0, Profiles - 1)}}},
        {"loadMacroIniFromFile",       withFile({}, "q7ctl macro import NAME FILE")},
        {"saveMacroIniToFile",         withFile({Device::Any, {macro}}, "q7ctl macro export NAME FILE")},
        {"renameMacroIniFile",         {Device::Any, {macro, newMacro}}},
        {"getCustomFilePath",          {}},
        {"chkLanguages",               {}},
        {"getGlobalStrings",           {Device::Any, {any}}},
        {"getProductLayoutStrings_Q7", {Device::Any, {any}}},
        {"createMacroIni",             {}},
        {"deleteMacroIni",             {Device::Any, {macro}}},
        {"getMacroIniNames",           {}},
        {"saveMacroIni",               {Device::Any, {newMacro, lines(MacroLines)}}},
        {"loadMacroIni",               {Device::Any, {macro}}},
        {"loadMacroIniConfig",         {Device::Any, {macro}}},
        {"setMacroIniConfig",          {Device::Any, {macro, scalars(ApConfigItems)}}},
        {"getKeydefine",               {Device::Any, {range(0, KeyboardKeys - 1)}}},
        {"macroIncode",                {Device::Any, {any}}},
        {"saveGundata",                {Device::Any, {range(0, Games - 1), ruled}, weaponTable,
                                        "gunData: up to 84 values, per weapon a name and six numbers 0-255"}},
        {"saveSelGundata",             {Device::Any, {range(0, FireKeys - 1), numbers(FireKeyRecord)}}},
        {"getGundata",                 {Device::Any, {range(0, Games - 1)}}},
        {"getSelGundata",              {Device::Any, {range(0, FireKeys - 1)}}},
        // Keyboard dialect; the mouse answers 0x01, 0x81, 0x03, 0x83 and 0x04 too.
        {"ui_01H_SetReportRate",       {Device::Any, {oneOf(RateCodes)}}},
        {"ui_02H_SetCurrentProfile",   {Device::Any, {range(0, Profiles - 1)}}},
        {"applyProfile",               {Device::Mouse, {range(0, Profiles - 1)}}},
        {"ui_03H_SetKeyboardoption",   {Device::Any, {byte, byte, byte, byte}}},
        {"ui_04H_SetButtonSensitivity",{Device::Any, {byte, byte, byte, byte, byte}}},
        {"ui_07H_SetControlIndicatorLight", {Device::Keyboard, {byte, byte}}},
        {"ui_08H_SetLEDType",          {Device::Keyboard, {byte, byte, byte, byte, byte, byte}}},
        {"ui_09H_SetKeyboardMode",     {Device::Keyboard, {byte}}},
        {"ui_0DH_SetKeyMatrix",        {Device::Keyboard, {numbers(512)}}},
        {"ui_0EH_SetKeyOnOff",         {Device::Keyboard, {numbers(21)}}},
        {"ui_11H_SetMacroKey",         {Device::Keyboard, {range(0, KeyboardMacros - 1), macro}}},
        {"ui_12H_SetUserPicture",      {Device::Keyboard, {range(0, UserPictures - 1), byte, numbers(512)}}},
        {"ui_13H_SetRecoveryData",     {Device::Keyboard, {}}},
        {"ui_14H_SetColor",            {Device::Keyboard, {byte, byte, byte, byte}}},
        {"ui_80H_GetFWVersion",        {Device::Keyboard, {}}},
        {"ui_81H_GetReportRate",       {}},
        {"ui_82H_GetCurrentProfile",   {Device::Keyboard, {}}},
        {"ui_83H_GetKeyboardoption",   {}},
        {"ui_84H_GetButtonSensitivity",{Device::Keyboard, {}}},
        {"ui_88H_GetLEDType",          {}},
        {"ui_89H_GetKeyboardMode",     {Device::Keyboard, {}}},
        {"ui_8DH_GetKeyMatrix",        {Device::Keyboard, {}}},
        {"ui_8EH_GetKeyOnOff",         {Device::Keyboard, {}}},
        {"ui_91H_GetMacroKey",         {Device::Keyboard, {range(0, KeyboardMacros - 1)}}},
        {"ui_92H_GetUserPicture",      {Device::Any, {range(0, UserPictures - 1)}}},
        {"ui_94H_GetColor",            {Device::Any, {byte}}},
        // Mouse reads, the desktop's pointer and the safety question.
        {"getSensorType",              {Device::Mouse, {}}},
        {"chkIsLogoLedWork",           {Device::Mouse, {}}},
        {"getMsgAns_FoolProofing",     {}},
        {"setScrollPinSwap",           {Device::Mouse, {flag}}},
        {"setAcceleration",            {Device::Any, {flag}}},
        {"setCursorSpeed",             {Device::Any, {range(0, SliderTop)}}},
        {"setVerticalScrollLines",     {Device::Any, {range(0, SliderTop)}}},
        {"setDoubleClickSpeed",        {Device::Any, {range(0, SliderTop)}}},
        // Mouse dialect.
        {"ui_0BH_SetCurrentDPIStage",  {Device::Mouse, {range(1, Stages)}}},
        {"ui_0DH_SetRGBLedEffect",     {Device::Mouse, {range(0, LedEffects), byte, byte, between(3, 4)}}},
        {"ui_10H_SetLED8StageColor",   {Device::Mouse, {range(0, PackedColourType), ruled}, colourTable,
                                        "src24: 24 numbers 0-255 (types 0, 1) or 8 colour ids 0-15 (type 2)"}},
        {"ui_11H_SetDPISet",           {Device::Mouse, {range(1, Stages), numbers(Stages), numbers(Stages, 0, DpiTop)}}},
        {"ui_12H_SetKeyMatrix",        {Device::Mouse, {numbers(16 * RecordBytes)}, leftButtonKept,
                                        "src64: one key keeps the left button (1 0 240 0), unless --yes"}},
        {"ui_13H_SetMacroKey",         {Device::Mouse, {range(1, MouseMacros), macro}}},
        {"getScrollPinSwap",           {}},
        {"getAcceleration",            {}},
        {"getCursorSpeed",             {}},
        {"getVerticalScrollLines",     {}},
        {"getDoubleClickSpeed",        {}},
        {"q7_0CH_SetPressGun",         {Device::Mouse, {byte, byte, byte, range(0, 1), range(0, 1), range(0, FireKeys - 1)}}},
        {"ui_8BH_GetCurrentDPIStage",  {}},
        {"ui_8DH_GetRGBLedEffect",     {}},
        {"ui_90H_GetLED8StageColor",   {Device::Any, {range(0, PackedColourType)}}},
        {"ui_91H_SyncDPI",             {Device::Mouse, {}}},
        {"ui_91H_GetDPISet",           {}},
        {"ui_92H_GetKeyMatrix",        {Device::Mouse, {}}},
        {"ui_93H_GetMacroKey",         {Device::Mouse, {range(1, MouseMacros)}}},
        {"getCurrentProfile",          {}},
        // Rules.
        {"getRules",                   {}},
        {"setRule",                    {Device::Any, {ruled, range(0, Profiles - 1)}, applicationName, "an application name: not empty, no control characters, at most 255 characters"}},
        {"removeRule",                 {Device::Any, {ruled}, applicationName, "an application name: not empty, no control characters, at most 255 characters"}},
        {"getDefaultRuleProfile",      {}},
        {"setDefaultRuleProfile",      {Device::Any, {range(-1, Profiles - 1)}}},
        {"getRuleOptions",             {}},
        {"setRuleOption",              {Device::Any, {ruled, flag}, ruleOption, "option: rulesOn, applyOnSwitch, keepInStep or autostart"}},
        {"getRunningApplications",     {}},
    };
    return t;
}
// clang-format on

bool isWhole(const QVariant &v, double low, double high) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    const bool number = v.typeId() != QMetaType::QString && v.typeId() != QMetaType::Bool;
    return ok && number && std::floor(d) == d && d >= low && d <= high;
}

bool isScalar(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::QString:
        return true;
    }
    return false;
}

QString number(double d) {
    return QString::number(d, 'g', 10);
}

QString text(const Param &p) {
    switch (p.kind) {
    case Param::Kind::Free:
        return {};
    case Param::Kind::Range:
        return QStringLiteral("a whole number from %1 to %2").arg(number(p.low), number(p.high));
    case Param::Kind::OneOf: {
        QStringList texts;
        for (int c : p.choices)
            texts.append(QString::number(c));
        return QStringLiteral("one of %1").arg(texts.join(QStringLiteral(", ")));
    }
    case Param::Kind::Flag:
        return QStringLiteral("true or false");
    case Param::Kind::Ruled:
        return {}; // the rule's text says it
    case Param::Kind::Lines:
        return QStringLiteral("up to %1 lines of text, none with a control character")
            .arg(p.maxCount);
    case Param::Kind::Numbers: {
        const QString count = p.minCount == p.maxCount ? QString::number(p.maxCount)
                              : p.minCount == 0
                                  ? QStringLiteral("up to %1").arg(p.maxCount)
                                  : QStringLiteral("%1 to %2").arg(p.minCount).arg(p.maxCount);
        return QStringLiteral("%1 whole numbers from %2 to %3")
            .arg(count, number(p.low), number(p.high));
    }
    case Param::Kind::Scalars:
        return QStringLiteral("up to %1 numbers, strings or booleans").arg(p.maxCount);
    case Param::Kind::Macro:
        return QStringLiteral("the name of an existing macro");
    case Param::Kind::NewMacro:
        return QStringLiteral("a macro name: not empty, no leading dot, no '/' or control "
                              "characters");
    }
    return {};
}

bool fits(const Param &p, const QVariant &v, const Context &context) {
    switch (p.kind) {
    case Param::Kind::Free:
        return true;
    case Param::Kind::Range:
        return isWhole(v, p.low, p.high);
    case Param::Kind::OneOf:
        return isWhole(v, 0, 255) &&
               std::find(p.choices.begin(), p.choices.end(), v.toInt()) != p.choices.end();
    case Param::Kind::Flag:
        return v.typeId() == QMetaType::Bool;
    case Param::Kind::Ruled:
        return true;
    case Param::Kind::Lines: {
        const QStringList list = v.toStringList();
        if (v.typeId() != QMetaType::QStringList || list.size() > p.maxCount)
            return false;
        for (const QString &line : list)
            for (const QChar c : line)
                if (c.category() == QChar::Other_Control)
                    return false;
        return true;
    }
    case Param::Kind::Numbers: {
        if (v.typeId() != QMetaType::QVariantList)
            return false;
        const QVariantList list = v.toList();
        if (list.size() < p.minCount || list.size() > p.maxCount)
            return false;
        for (const QVariant &e : list)
            if (!isWhole(e, p.low, p.high))
                return false;
        return true;
    }
    case Param::Kind::Scalars: {
        if (v.typeId() != QMetaType::QVariantList)
            return false;
        const QVariantList list = v.toList();
        if (list.size() > p.maxCount)
            return false;
        for (const QVariant &e : list)
            if (!isScalar(e))
                return false;
        return true;
    }
    case Param::Kind::Macro:
        return v.typeId() == QMetaType::QString && context.macroNames.contains(v.toString());
    case Param::Kind::NewMacro:
        return v.typeId() == QMetaType::QString && MacroName::isValid(v.toString());
    }
    return false;
}

QString deviceName(Device d) {
    return d == Device::Mouse ? QStringLiteral("the mouse") : QStringLiteral("a keyboard");
}

} // namespace

bool isKnown(const QString &slot) {
    return table().contains(slot);
}

bool keepsLeftButton(const QVariantList &src64) {
    for (int n = 0; n + RecordBytes <= src64.size(); n += RecordBytes)
        if (src64.at(n).toInt() == MouseButtonType && src64.at(n + 2).toInt() == LeftButton)
            return true;
    return false;
}

std::optional<QString> check(const QString &slot, const QVariantList &args, const Context &context,
                             const QStringList &parameterNames) {
    const auto found = table().constFind(slot);
    if (found == table().constEnd())
        return QStringLiteral("%1 has no argument domain; q7ctl does not call it").arg(slot);
    const Domain &d = *found;
    const bool keyboard = context.deviceType == 0;
    if ((d.device == Device::Mouse && keyboard) || (d.device == Device::Keyboard && !keyboard))
        return QStringLiteral("%1 applies to %2 only").arg(slot, deviceName(d.device));
    // Without a file the window would open a dialog, and a script has nobody to answer it.
    if (!d.fileWord.isEmpty() && context.files.isEmpty())
        return QStringLiteral("needs a file; use: %1").arg(d.fileWord);
    for (size_t i = 0; i < d.params.size() && i < size_t(args.size()); ++i)
        if (!fits(d.params[i], args.at(qsizetype(i)), context))
            return QStringLiteral("argument %1 (%2) must be %3")
                .arg(i + 1)
                .arg(parameterNames.value(qsizetype(i)), text(d.params[i]));
    return d.rule ? d.rule(args, context) : std::nullopt;
}

QStringList describe(const QString &slot, const QStringList &parameterNames) {
    const auto found = table().constFind(slot);
    if (found == table().constEnd())
        return {};
    const Domain &d = *found;
    QStringList lines;
    if (d.device != Device::Any)
        lines.append(QStringLiteral("for %1 only").arg(deviceName(d.device)));
    for (size_t i = 0; i < d.params.size(); ++i) {
        const QString t = text(d.params[i]);
        if (!t.isEmpty())
            lines.append(parameterNames.value(qsizetype(i)) + QStringLiteral(": ") + t);
    }
    if (!d.ruleText.isEmpty())
        lines.append(d.ruleText);
    if (!d.fileWord.isEmpty())
        lines.append(QStringLiteral("asks for a file: %1").arg(d.fileWord));
    return lines;
}

QStringList parametersWithoutDomain(const QString &slot, int parameterCount) {
    const auto found = table().constFind(slot);
    QStringList missing;
    for (int i = 0; i < parameterCount; ++i) {
        const bool known = found != table().constEnd() && size_t(i) < found->params.size();
        const Param::Kind kind = known ? found->params[size_t(i)].kind : Param::Kind::Free;
        if (kind == Param::Kind::Free || (kind == Param::Kind::Ruled && !found->rule))
            missing.append(QString::number(i + 1));
    }
    return missing;
}

} // namespace SlotDomains
