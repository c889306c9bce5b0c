#include "ProfileApplier.h"

#include "ByteList.h"
#include "CommandTable.h"
#include "Hid_Thread.h"
#include "PageLogic.h"
#include "ProfileKeys.h"
#include "SettingsList.h"
#include "myQQuickView.h"

#include <QHash>
#include <QJSValue>
#include <QSettings>

namespace {
using Lib = PageLogic::Library;

constexpr int KeyCount = 16;
constexpr int RecordBytes = 4;
constexpr int Stages = 8;
constexpr int RgbValues = 24;
constexpr int KeyPage = 0;
constexpr int PressGunFireKey = 0;         // the fire key the press-gun page opens with
constexpr qsizetype MacroSuffixLength = 4; // ".bin"

QVariantList stored(const QSettings &profile, const QString &key) {
    return ByteList::toUnsigned(SettingsList::read(profile, key));
}

int at(const QVariantList &list, int i) {
    return list.value(i).toInt();
}
} // namespace

ProfileApplier::ProfileApplier(myQQuickView &view, Hid_Thread &hid) : m_view(view), m_hid(hid) {}

ProfileApplier::~ProfileApplier() = default;

const PageLogic &ProfileApplier::logic() {
    if (!m_logic)
        m_logic = std::make_unique<PageLogic>(m_view.engine());
    return *m_logic;
}

const ProfileApplier::DeviceFacts &ProfileApplier::facts() {
    if (!m_facts) {
        // As the sensor page reads them when it opens.
        DeviceFacts f;
        f.sensorType = m_view.getSensorType().toInt();
        f.stageCount = m_view.ui_91H_SyncDPI();
        f.paletteMode = m_view.chkIsLogoLedWork();
        m_facts = f;
    }
    return *m_facts;
}

QList<PreparedSet> ProfileApplier::setsFor(int profile) {
    QSettings *file = m_view.profileSettings(profile);
    if (!file)
        return {};
    const DeviceFacts f = facts();
    const PageLogic &js = logic();
    const QSettings &p = *file;

    QList<PreparedSet> sets;
    m_hid.setCapture(&sets);
    // A value the profile does not hold is not sent: the mouse keeps what it has, as it does
    // until a page sends that value.
    if (p.contains(ProfileKeys::reportRate)) {
        const QJSValue index =
            js.call(Lib::Sensor, "rateIndex", {p.value(ProfileKeys::reportRate)});
        m_view.sendReportRate(uchar(js.call(Lib::Sensor, "rateCode", {index.toInt()}).toInt()));
    }
    const QVariantList dpi = stored(p, ProfileKeys::dpiValues);
    if (!dpi.isEmpty())
        m_view.sendDpiSet(uchar(f.stageCount),
                          PageLogic::toList(js.call(Lib::Sensor, "dpiCodes", {f.sensorType, dpi})));
    if (p.contains(ProfileKeys::dpiStage))
        m_view.sendDpiStage(uchar(
            js.call(Lib::Sensor, "stageIndex", {p.value(ProfileKeys::dpiStage)}).toInt() + 1));

    const QVariantList rgb = stored(p, ProfileKeys::colours(1));
    const QVariantList ids = stored(p, ProfileKeys::colours(2));
    if (f.paletteMode ? ids.size() == Stages : rgb.size() == RgbValues) {
        QVariantList none;
        for (int i = 0; i < Stages; ++i)
            none.append(QVariantMap{{QStringLiteral("r"), 0},
                                    {QStringLiteral("g"), 0},
                                    {QStringLiteral("b"), 0},
                                    {QStringLiteral("id"), 0}});
        const QJSValue colours = js.call(Lib::Sensor, "mergeColours", {none, rgb, ids});
        const QJSValue message =
            js.call(Lib::Sensor, "colourMessage", {colours.toVariant(), f.paletteMode});
        m_view.sendStageColours(uchar(message.property(QStringLiteral("type")).toInt()),
                                PageLogic::toList(message.property(QStringLiteral("values"))));
    }

    const QJSValue palette =
        js.call(Lib::Lighting, "coloursFrom24", {stored(p, ProfileKeys::colours(0))});
    if (palette.isArray())
        m_view.sendStageColours(
            0, PageLogic::toList(js.call(Lib::Lighting, "coloursTo24", {palette.toVariant()})));
    const QJSValue effect =
        js.call(Lib::Lighting, "readRecord", {stored(p, ProfileKeys::ledEffect)});
    if (effect.isObject()) {
        const auto field = [&effect](const char *name) {
            return effect.property(QLatin1String(name)).toVariant();
        };
        const QVariantList message = PageLogic::toList(
            js.call(Lib::Lighting, "effectMessage",
                    {field("ledOn"), field("effectIndex"), field("brightness"), field("speed")}));
        m_view.sendLedEffect(uchar(at(message, 0)), uchar(at(message, 1)), uchar(at(message, 2)));
    }

    // Keys with no whole record stored take their defaults, as on the key page.
    QVariantList defaults = m_view.loadDefaultProfile(KeyPage);
    if (defaults.size() < KeyCount * RecordBytes)
        defaults = PageLogic::toList(
            js.call(Lib::Keys, "flatten", {js.value(Lib::Keys, "builtInDefaults").toVariant()}));
    QVariantList records;
    for (int k = 0; k < KeyCount; ++k) {
        const QJSValue record =
            js.call(Lib::Keys, "recordFrom", {SettingsList::read(p, ProfileKeys::mouseKey(k))});
        records.append(record.isArray() ? record.toVariant()
                                        : QVariant(defaults.mid(k * RecordBytes, RecordBytes)));
    }
    m_view.sendKeyMatrix(PageLogic::toList(js.call(Lib::Keys, "flatten", {records})));
    // The macros the keys play, from the slots the macro files say they are bound to.
    QHash<int, QString> bound;
    for (QString name : m_view.getMacroIniNames()) {
        name.chop(MacroSuffixLength);
        const QVariantList config = m_view.loadMacroIniConfig(name);
        if (!config.isEmpty() && !bound.contains(config.first().toInt()))
            bound.insert(config.first().toInt(), name);
    }
    for (const QVariant &slot : PageLogic::toList(js.call(Lib::Keys, "usedSlots", {records})))
        if (bound.contains(slot.toInt()))
            m_view.sendMacroKey(slot.toInt() + 1, bound.value(slot.toInt()), false);
    m_hid.setCapture(nullptr);
    return sets;
}

QList<PreparedSet> ProfileApplier::pressGunSets() {
    const PageLogic &js = logic();
    const QJSValue fireKey =
        js.call(Lib::PressGun, "readFireKey", {m_view.getSelGundata(PressGunFireKey)});
    const int game = fireKey.property(QStringLiteral("game")).toInt();
    const int gun = fireKey.property(QStringLiteral("gun")).toInt();
    const QJSValue table = js.call(Lib::PressGun, "tableFrom", {m_view.getGundata(game), game});
    const QVariantList v = PageLogic::toList(
        js.call(Lib::PressGun, "pressGunValues",
                {table.property(quint32(gun)).toVariant(),
                 js.value(Lib::PressGun, "presetDefault1").toInt(), game, gun, PressGunFireKey}));
    // The option read must find the link free, or waiting for it would let events run while
    // sets are being captured.
    m_hid.waitForSend();
    QList<PreparedSet> sets;
    m_hid.setCapture(&sets);
    m_view.q7_0CH_SetPressGun(uchar(at(v, 0)), uchar(at(v, 1)), uchar(at(v, 2)), uchar(at(v, 3)),
                              uchar(at(v, 4)), uchar(at(v, 5)));
    m_hid.setCapture(nullptr);
    return sets;
}

int ProfileApplier::sendMissing(const QList<PreparedSet> &sets, int target) {
    int sent = 0;
    for (const PreparedSet &set : sets) {
        if (m_wanted != target)
            break;
        if (m_hid.sentRecord().holds(set))
            continue;
        m_hid.send(set);
        ++sent;
    }
    return sent;
}

int ProfileApplier::apply(int profile) {
    m_wanted = profile;
    if (m_running)
        return 0; // the running apply turns to it
    m_running = true;
    int sent = 0;
    int target = -1;
    do {
        target = m_wanted;
        sent += sendMissing(setsFor(target), target);
        const int pressGun =
            PreparedSet::placeOf(CommandTable::Keyboard::SetButtonSens, PressGunFireKey);
        if (m_wanted == target && !m_hid.sentRecord().knows(pressGun))
            sent += sendMissing(pressGunSets(), target);
    } while (m_wanted != target);
    m_hid.waitForSend();
    m_running = false;
    emit applied(target, sent);
    return sent;
}
