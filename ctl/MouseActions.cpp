#include "MouseActions.h"

#include "MacroName.h"
#include "PageLogic.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
using Lib = PageLogic::Library;
using Status = SlotOutcome::Status;

const QList<int> RatesHz{125, 250, 500, 1000}; // the sensor page's buttons, in order
const QString Off = QStringLiteral("off");
constexpr int KeyPage = 0;
constexpr int RecordBytes = 4;
constexpr int Steps = 7; // brightness and speed sliders: 0 … 7
constexpr int RgbValues = 24;
constexpr int PaletteType = 2;
constexpr int RgbType = 1;
constexpr int StageColourType = 1;

QString colourText(int r, int g, int b) {
    return QStringLiteral("#%1%2%3")
        .arg(r & 0xff, 2, 16, QLatin1Char('0'))
        .arg(g & 0xff, 2, 16, QLatin1Char('0'))
        .arg(b & 0xff, 2, 16, QLatin1Char('0'));
}

QString joined(const QList<int> &values) {
    QStringList texts;
    for (int v : values)
        texts.append(QString::number(v));
    return texts.join(QStringLiteral(", "));
}
} // namespace

MouseActions::MouseActions(SlotCaller &caller, const PageLogic &logic, bool confirmed)
    : m_caller(caller), m_logic(logic), m_confirmed(confirmed), m_names(logic) {}

bool MouseActions::run(const QString &slot, const QVariantList &args, QJsonValue *value,
                       const QStringList &files) {
    SlotRequest request{slot, {}, files, m_confirmed};
    for (const QVariant &a : args)
        request.jsonArgs.append(jsonText(QJsonValue::fromVariant(a)));
    const SlotOutcome o = m_caller.call(request);
    m_outcome.messages += o.messages;
    if (value)
        *value = o.value.value_or(QJsonValue());
    if (o.done())
        return true;
    m_outcome.status = o.status;
    m_outcome.value = o.value;
    return false;
}

SlotOutcome MouseActions::finish(const QJsonValue &value) {
    SlotOutcome o = m_outcome;
    o.value = value;
    return o;
}

SlotOutcome MouseActions::refuse(const QString &message) {
    SlotOutcome o = m_outcome;
    o.status = Status::BadArgument;
    o.messages.append(message);
    return o;
}

SlotOutcome MouseActions::failed() {
    return m_outcome;
}

// --- profiles ---

SlotOutcome MouseActions::profile() {
    start();
    QJsonValue index;
    if (!run(QStringLiteral("getCurrentProfile"), {}, &index))
        return failed();
    return finish(index.toInt() + 1);
}

SlotOutcome MouseActions::selectProfile(int profile) {
    start();
    if (profile < 1 || profile > Profiles)
        return refuse(
            QStringLiteral("profile %1: profiles are 1 to %2").arg(profile).arg(Profiles));
    if (!run(QStringLiteral("applyProfile"), {profile - 1}))
        return failed();
    return finish(profile);
}

SlotOutcome MouseActions::stepProfile(int delta) {
    const SlotOutcome current = profile();
    if (!current.done())
        return current;
    const int index = current.value->toInt() - 1;
    return selectProfile((index + delta % Profiles + Profiles) % Profiles + 1);
}

// --- DPI ---

bool MouseActions::readStages(QList<int> &values, int &count, int &current) {
    QJsonValue list, stages, stage;
    if (!run(QStringLiteral("ui_91H_GetDPISet"), {}, &list) ||
        !run(QStringLiteral("ui_91H_SyncDPI"), {}, &stages) ||
        !run(QStringLiteral("ui_8BH_GetCurrentDPIStage"), {}, &stage))
        return false;
    values.clear();
    for (int i = 0; i < Stages; ++i)
        values.append(list.toArray().at(i).toInt());
    count = std::clamp(stages.toInt(), 1, Stages);
    current = stage.toInt();
    return true;
}

SlotOutcome MouseActions::dpiStage() {
    start();
    QList<int> values;
    int count = 0, current = 0;
    return readStages(values, count, current) ? finish(current) : failed();
}

SlotOutcome MouseActions::setDpiStage(int stage) {
    start();
    QList<int> values;
    int count = 0, current = 0;
    if (!readStages(values, count, current))
        return failed();
    if (stage < 1 || stage > count)
        return refuse(
            QStringLiteral("stage %1: the mouse has stages 1 to %2").arg(stage).arg(count));
    if (values.value(stage - 1) <= 0)
        return refuse(QStringLiteral("stage %1 is off (it has no DPI value)").arg(stage));
    if (!run(QStringLiteral("ui_0BH_SetCurrentDPIStage"), {stage}))
        return failed();
    return finish(stage);
}

SlotOutcome MouseActions::stepDpiStage(int delta) {
    start();
    QList<int> values;
    int count = 0, current = 0;
    if (!readStages(values, count, current))
        return failed();
    int stage = std::clamp(current, 1, count);
    // Off stages are passed over, as the mouse's own DPI button does.
    for (int n = 0; n < count; ++n) {
        stage = (stage - 1 + delta + count) % count + 1;
        if (values.value(stage - 1) > 0)
            break;
    }
    if (!run(QStringLiteral("ui_0BH_SetCurrentDPIStage"), {stage}))
        return failed();
    return finish(stage);
}

SlotOutcome MouseActions::dpiStages() {
    start();
    QList<int> values;
    int count = 0, current = 0;
    if (!readStages(values, count, current))
        return failed();
    QJsonArray out;
    for (int v : values)
        out.append(v);
    return finish(out);
}

SlotOutcome MouseActions::setDpiStages(const QList<int> &given) {
    start();
    if (given.isEmpty() || given.size() > Stages)
        return refuse(QStringLiteral("dpi-stages takes 1 to %1 values").arg(Stages));
    QJsonValue type, stages;
    if (!run(QStringLiteral("getSensorType"), {}, &type) ||
        !run(QStringLiteral("ui_91H_SyncDPI"), {}, &stages))
        return failed();
    const QJSValue table = m_logic.call(Lib::Sensor, "dpiTable", {type.toInt()});
    const QVariantList menu =
        PageLogic::toList(table.property(QStringLiteral("valueForMenuIndex")));
    QList<int> accepted;
    for (int i = 0; i < table.property(QStringLiteral("menuCounter")).toInt(); ++i)
        accepted.append(menu.value(i).toInt());
    QVariantList values;
    for (int i = 0; i < Stages; ++i) {
        const int v = given.value(i, 0);
        if (!accepted.contains(v))
            return refuse(QStringLiteral("%1 DPI: this sensor takes %2 (0 switches a stage off)")
                              .arg(v)
                              .arg(joined(accepted)));
        values.append(v);
    }
    const QVariantList codes =
        PageLogic::toList(m_logic.call(Lib::Sensor, "dpiCodes", {type.toInt(), values}));
    if (!run(QStringLiteral("ui_11H_SetDPISet"), {stages.toInt(), codes, values}))
        return failed();
    return finish(QJsonArray::fromVariantList(values));
}

// --- polling rate ---

int MouseActions::rateHz(const PageLogic &logic, int code) {
    return RatesHz.value(logic.call(Lib::Sensor, "rateIndex", {code}).toInt());
}

SlotOutcome MouseActions::pollingRate() {
    start();
    QJsonValue code;
    if (!run(QStringLiteral("ui_81H_GetReportRate"), {}, &code))
        return failed();
    return finish(rateHz(m_logic, code.toInt()));
}

SlotOutcome MouseActions::setPollingRate(int hz) {
    start();
    const qsizetype index = RatesHz.indexOf(hz);
    if (index < 0)
        return refuse(
            QStringLiteral("rate %1: the mouse takes %2 (Hz)").arg(hz).arg(joined(RatesHz)));
    const int code = m_logic.call(Lib::Sensor, "rateCode", {int(index)}).toInt();
    if (!run(QStringLiteral("ui_01H_SetReportRate"), {code}))
        return failed();
    return finish(hz);
}

// --- lighting ---

QStringList MouseActions::effectNames(const PageLogic &logic) {
    QStringList names;
    for (const QVariant &e : PageLogic::toList(logic.value(Lib::Lighting, "effects")))
        names.append(KeyFunctionNames::wordOf(e.toMap().value(QStringLiteral("name")).toString()));
    names.append(Off);
    return names;
}

QVariantMap MouseActions::lightingRecord(const PageLogic &logic, const QVariantList &stored) {
    const QJSValue read = logic.call(Lib::Lighting, "readRecord", {stored});
    // Nothing stored yet: what the colour page starts with.
    return read.isObject() ? read.toVariant().toMap()
                           : QVariantMap{{QStringLiteral("effectIndex"), 0},
                                         {QStringLiteral("brightness"), Steps},
                                         {QStringLiteral("speed"), 4},
                                         {QStringLiteral("ledOn"), true}};
}

QString MouseActions::lightingText(const PageLogic &logic, const QVariantList &stored) {
    const QVariantMap r = lightingRecord(logic, stored);
    if (!r.value(QStringLiteral("ledOn")).toBool())
        return Off;
    return QStringLiteral("%1 --brightness %2 --speed %3")
        .arg(effectNames(logic).value(r.value(QStringLiteral("effectIndex")).toInt()))
        .arg(r.value(QStringLiteral("brightness")).toInt())
        .arg(r.value(QStringLiteral("speed")).toInt());
}

bool MouseActions::readLighting(QVariantMap &record) {
    QJsonValue stored;
    if (!run(QStringLiteral("ui_8DH_GetRGBLedEffect"), {}, &stored))
        return false;
    record = lightingRecord(m_logic, stored.toArray().toVariantList());
    return true;
}

SlotOutcome MouseActions::lighting() {
    start();
    QJsonValue stored;
    if (!run(QStringLiteral("ui_8DH_GetRGBLedEffect"), {}, &stored))
        return failed();
    return finish(lightingText(m_logic, stored.toArray().toVariantList()));
}

SlotOutcome MouseActions::setLighting(const QString &effect, int brightness, int speed) {
    start();
    const QStringList names = effectNames();
    const qsizetype chosen = names.indexOf(KeyFunctionNames::wordOf(effect).toLower());
    if (chosen < 0)
        return refuse(QStringLiteral("effect \"%1\": one of %2")
                          .arg(effect, names.join(QStringLiteral(", "))));
    if (brightness < -1 || brightness > Steps || speed < -1 || speed > Steps)
        return refuse(QStringLiteral("brightness and speed are 0 to %1").arg(Steps));
    QVariantMap r;
    if (!readLighting(r))
        return failed();
    const bool on = names.at(chosen) != Off;
    const int index = on ? int(chosen) : r.value(QStringLiteral("effectIndex")).toInt();
    const int b = brightness >= 0 ? brightness : r.value(QStringLiteral("brightness")).toInt();
    const int s = speed >= 0 ? speed : r.value(QStringLiteral("speed")).toInt();
    const QVariantList message =
        PageLogic::toList(m_logic.call(Lib::Lighting, "effectMessage", {on, index, b, s}));
    const QVariantList record =
        PageLogic::toList(m_logic.call(Lib::Lighting, "effectRecord", {index, b, s, on}));
    if (!run(QStringLiteral("ui_0DH_SetRGBLedEffect"),
             {message.value(0), message.value(1), message.value(2), record}))
        return failed();
    return lighting();
}

// --- DPI indicator colours ---

bool MouseActions::readColours(QJsonArray &colours) {
    QJsonValue palette, table;
    if (!run(QStringLiteral("chkIsLogoLedWork"), {}, &palette))
        return false;
    const bool ids = palette.toBool();
    if (!run(QStringLiteral("ui_90H_GetLED8StageColor"), {ids ? PaletteType : RgbType}, &table))
        return false;
    const QJsonArray values = table.toArray();
    colours = {};
    for (int i = 0; i < Stages; ++i) {
        if (ids) {
            const QVariantList c = PageLogic::toList(
                m_logic.call(Lib::Sensor, "paletteColour", {values.at(i).toInt()}));
            colours.append(colourText(c.value(0).toInt(), c.value(1).toInt(), c.value(2).toInt()));
        } else {
            colours.append(colourText(values.at(3 * i).toInt(), values.at(3 * i + 1).toInt(),
                                      values.at(3 * i + 2).toInt()));
        }
    }
    return true;
}

SlotOutcome MouseActions::stageColours() {
    start();
    QJsonArray colours;
    return readColours(colours) ? finish(colours) : failed();
}

SlotOutcome MouseActions::setStageColour(int stage, const QString &colour) {
    start();
    static const QRegularExpression hex(QStringLiteral("^#?([0-9a-fA-F]{6})$"));
    const QRegularExpressionMatch m = hex.match(colour);
    if (stage < 1 || stage > Stages)
        return refuse(QStringLiteral("stage %1: stages are 1 to %2").arg(stage).arg(Stages));
    if (!m.hasMatch())
        return refuse(QStringLiteral("colour \"%1\": give it as #RRGGBB").arg(colour));
    const uint rgb = m.captured(1).toUInt(nullptr, 16);
    const QString wanted = colourText(int(rgb >> 16), int(rgb >> 8), int(rgb));
    QJsonValue palette, table;
    if (!run(QStringLiteral("chkIsLogoLedWork"), {}, &palette))
        return failed();
    const int type = palette.toBool() ? PaletteType : StageColourType;
    if (!run(QStringLiteral("ui_90H_GetLED8StageColor"), {type}, &table))
        return failed();
    QVariantList values = table.toArray().toVariantList();
    if (type == PaletteType) {
        // The logo LED shows only its eight palette colours: take the one asked for.
        QStringList offered;
        int id = -1;
        for (int i = 0; i < Stages; ++i) {
            const QVariantList c =
                PageLogic::toList(m_logic.call(Lib::Sensor, "paletteColour", {i}));
            offered.append(colourText(c.value(0).toInt(), c.value(1).toInt(), c.value(2).toInt()));
            if (offered.last() == wanted)
                id = i;
        }
        if (id < 0)
            return refuse(QStringLiteral("colour %1: this mouse's indicator shows only %2")
                              .arg(wanted, offered.join(QStringLiteral(", "))));
        while (values.size() < Stages)
            values.append(0);
        values[stage - 1] = id;
    } else {
        while (values.size() < RgbValues)
            values.append(0);
        values[3 * (stage - 1)] = int(rgb >> 16) & 0xff;
        values[3 * (stage - 1) + 1] = int(rgb >> 8) & 0xff;
        values[3 * (stage - 1) + 2] = int(rgb) & 0xff;
    }
    if (!run(QStringLiteral("ui_10H_SetLED8StageColor"),
             {type, values.mid(0, type == PaletteType ? Stages : RgbValues)}))
        return failed();
    return finish(wanted);
}

// --- keys ---

bool MouseActions::readKeyTable(QVariantList &flat) {
    QJsonValue defaults;
    if (!run(QStringLiteral("loadDefaultProfile"), {KeyPage}, &defaults))
        return false;
    QVariantList fallback = defaults.toArray().toVariantList();
    if (fallback.size() < KeyFunctionNames::KeyCount * RecordBytes)
        fallback = PageLogic::toList(m_logic.call(
            Lib::Keys, "flatten", {m_logic.value(Lib::Keys, "builtInDefaults").toVariant()}));
    flat.clear();
    for (int k = 0; k < KeyFunctionNames::KeyCount; ++k) {
        QJsonValue stored;
        if (!run(QStringLiteral("getKeydefine"), {k}, &stored))
            return false;
        // A key with no whole record stored takes its default, as on the key page.
        const QJsonArray record = stored.toArray();
        for (int i = 0; i < RecordBytes; ++i)
            flat.append(record.size() >= RecordBytes ? record.at(i).toVariant().toInt() & 0xff
                                                     : fallback.value(k * RecordBytes + i).toInt());
    }
    return true;
}

SlotOutcome MouseActions::keyFunctions() {
    start();
    QVariantList flat;
    if (!readKeyTable(flat))
        return failed();
    QJsonArray keys;
    for (int k = 0; k < KeyFunctionNames::KeyCount; ++k) {
        if (m_names.keyName(k).isEmpty())
            continue;
        const KeyFunctionNames::Record r{flat[4 * k].toInt(), flat[4 * k + 1].toInt(),
                                         flat[4 * k + 2].toInt(), flat[4 * k + 3].toInt()};
        keys.append(QJsonObject{{QStringLiteral("key"), k + 1},
                                {QStringLiteral("name"), m_names.keyName(k)},
                                {QStringLiteral("function"), m_names.functionName(r)}});
    }
    return finish(keys);
}

SlotOutcome MouseActions::keyFunction(const QString &key) {
    const std::optional<int> k = m_names.key(key);
    if (!k) {
        start();
        return refuse(QStringLiteral("key \"%1\": one of 1 to %2 or %3")
                          .arg(key)
                          .arg(KeyFunctionNames::KeyCount)
                          .arg(m_names.keyNames().join(QStringLiteral(", "))));
    }
    SlotOutcome all = keyFunctions();
    if (!all.done())
        return all;
    for (const QJsonValue &entry : all.value->toArray())
        if (entry.toObject().value(QStringLiteral("key")).toInt() == *k + 1)
            all.value = entry.toObject().value(QStringLiteral("function"));
    return all;
}

SlotOutcome MouseActions::setKey(const QString &key, const QString &function) {
    start();
    const std::optional<int> k = m_names.key(key);
    if (!k)
        return keyFunction(key);
    const std::optional<KeyFunctionNames::Record> record = m_names.function(function);
    if (!record)
        return refuse(QStringLiteral("function \"%1\": one of %2")
                          .arg(function, m_names.functionExamples().join(QStringLiteral(", "))));
    QVariantList flat;
    if (!readKeyTable(flat))
        return failed();
    for (int i = 0; i < RecordBytes; ++i)
        flat[*k * RecordBytes + i] = (*record)[size_t(i)];
    if (!run(QStringLiteral("ui_12H_SetKeyMatrix"), {QVariant(flat)}))
        return failed();
    return finish(m_names.functionName(*record));
}

// --- macros and profile files ---

SlotOutcome MouseActions::macroNames() {
    start();
    QJsonValue files;
    if (!run(QStringLiteral("getMacroIniNames"), {}, &files))
        return failed();
    QJsonArray names;
    for (const QJsonValue &f : files.toArray())
        names.append(f.toString().chopped(qsizetype(qstrlen(".bin"))));
    return finish(names);
}

SlotOutcome MouseActions::macroLines(const QString &name) {
    start();
    QJsonValue lines;
    return run(QStringLiteral("loadMacroIni"), {name}, &lines) ? finish(lines) : failed();
}

SlotOutcome MouseActions::importMacro(const QString &name, const QString &file) {
    start();
    if (!MacroName::isValid(name))
        return refuse(QStringLiteral("macro name \"%1\": not empty, no leading dot, no '/' or "
                                     "control characters")
                          .arg(name));
    // The import names the macro after its file: a copy under the name asked for.
    QTemporaryDir folder;
    const QString copy = folder.filePath(name + QStringLiteral(".bin"));
    if (!QFileInfo(file).isFile() || !QFile::copy(file, copy)) {
        m_outcome.status = Status::NotDone;
        m_outcome.messages.append(QStringLiteral("%1 cannot be read").arg(file));
        return m_outcome;
    }
    QJsonValue imported;
    if (!run(QStringLiteral("loadMacroIniFromFile"), {}, &imported, {copy}))
        return failed();
    return finish(imported);
}

SlotOutcome MouseActions::exportMacro(const QString &name, const QString &file) {
    start();
    return run(QStringLiteral("saveMacroIniToFile"), {name}, nullptr,
               {QFileInfo(file).absoluteFilePath()})
               ? finish(QJsonValue())
               : failed();
}

SlotOutcome MouseActions::importProfile(int profile, const QString &file) {
    start();
    if (profile < 1 || profile > Profiles)
        return refuse(
            QStringLiteral("profile %1: profiles are 1 to %2").arg(profile).arg(Profiles));
    return run(QStringLiteral("loadProfile"), {profile - 1}, nullptr,
               {QFileInfo(file).absoluteFilePath()})
               ? finish(QJsonValue())
               : failed();
}

SlotOutcome MouseActions::exportProfile(int profile, const QString &file) {
    start();
    if (profile < 1 || profile > Profiles)
        return refuse(
            QStringLiteral("profile %1: profiles are 1 to %2").arg(profile).arg(Profiles));
    return run(QStringLiteral("saveProfile"), {profile - 1}, nullptr,
               {QFileInfo(file).absoluteFilePath()})
               ? finish(QJsonValue())
               : failed();
}

// --- rules ---

SlotOutcome MouseActions::rules() {
    start();
    QJsonValue list, fallback, options;
    if (!run(QStringLiteral("getRules"), {}, &list) ||
        !run(QStringLiteral("getDefaultRuleProfile"), {}, &fallback) ||
        !run(QStringLiteral("getRuleOptions"), {}, &options))
        return failed();
    QJsonArray rules;
    for (const QJsonValue &r : list.toArray())
        rules.append(
            QJsonObject{{QStringLiteral("application"), r[QStringLiteral("application")]},
                        {QStringLiteral("profile"), r[QStringLiteral("profile")].toInt() + 1}});
    return finish(
        QJsonObject{{QStringLiteral("rulesOn"), options[QStringLiteral("rulesOn")].toBool()},
                    {QStringLiteral("default"), fallback.toInt() + 1},
                    {QStringLiteral("rules"), rules}});
}

SlotOutcome MouseActions::addRule(const QString &application, int profile) {
    start();
    if (profile < 1 || profile > Profiles)
        return refuse(
            QStringLiteral("profile %1: profiles are 1 to %2").arg(profile).arg(Profiles));
    return run(QStringLiteral("setRule"), {application, profile - 1}) ? finish(profile) : failed();
}

SlotOutcome MouseActions::removeRule(const QString &application) {
    start();
    return run(QStringLiteral("removeRule"), {application}) ? finish(QJsonValue()) : failed();
}

SlotOutcome MouseActions::setDefaultRule(int profile) {
    start();
    if (profile < 0 || profile > Profiles)
        return refuse(
            QStringLiteral("default %1: profiles are 1 to %2, or none").arg(profile).arg(Profiles));
    return run(QStringLiteral("setDefaultRuleProfile"), {profile - 1}) ? finish(profile) : failed();
}

SlotOutcome MouseActions::setRulesOn(bool on) {
    start();
    return run(QStringLiteral("setRuleOption"), {QStringLiteral("rulesOn"), on})
               ? finish(on ? QStringLiteral("on") : QStringLiteral("off"))
               : failed();
}

// --- status ---

SlotOutcome MouseActions::status() {
    QJsonObject s;
    if (m_deviceState)
        s.insert(QStringLiteral("device"), m_deviceState());
    SlotOutcome part = profile();
    if (!part.done())
        return part;
    s.insert(QStringLiteral("profile"), *part.value);
    QStringList messages = part.messages;

    start();
    QList<int> values;
    int count = 0, current = 0;
    QJsonValue sensor, swap;
    if (!run(QStringLiteral("getSensorType"), {}, &sensor) || !readStages(values, count, current) ||
        !run(QStringLiteral("getScrollPinSwap"), {}, &swap))
        return failed();
    QJsonArray stages;
    for (int v : values)
        stages.append(v);
    s.insert(QStringLiteral("sensorType"), sensor);
    s.insert(QStringLiteral("dpiStage"), current);
    s.insert(QStringLiteral("dpiStageCount"), count);
    s.insert(QStringLiteral("dpiStages"), stages);
    s.insert(QStringLiteral("scrollSwap"), swap);

    const std::pair<const char *, SlotOutcome (MouseActions::*)()> parts[] = {
        {"pollingRate", &MouseActions::pollingRate},
        {"lighting", &MouseActions::lighting},
        {"stageColours", &MouseActions::stageColours},
        {"keys", &MouseActions::keyFunctions}};
    messages += m_outcome.messages;
    for (const auto &[key, read] : parts) {
        part = (this->*read)();
        messages += part.messages;
        if (!part.done())
            return part;
        s.insert(QLatin1String(key), *part.value);
    }
    start();
    m_outcome.messages = messages;
    return finish(s);
}
