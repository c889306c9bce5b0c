#include "MouseService.h"

#include "BusNames.h"
#include "DeviceLock.h"
#include "LinkState.h"
#include "MouseAdaptor.h"
#include "ProfileApplier.h"
#include "Widget.h"
#include "myQQuickView.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString PollingRateName = QStringLiteral("PollingRate");
const QString LightingName = QStringLiteral("Lighting");
} // namespace

MouseService::MouseService(Widget &widget) : m_widget(widget), m_caller(*widget.view()) {
    new MouseAdaptor(this);
    m_caller.setGate([this] { return gate(); });
    // A slot run from outside: the pages that show what it changed read it again.
    m_caller.setRan([this](const QString &slot) { m_widget.view()->showOutsideChange(slot); });
    // Changes come in bursts (a page's Apply runs several slots): one announcement for each.
    m_changes.setSingleShot(true);
    m_changes.setInterval(0);
    connect(&m_changes, &QTimer::timeout, this, &MouseService::announceChanges);
    connect(widget.view(), &myQQuickView::settingsChanged, &m_changes, qOverload<>(&QTimer::start));
    connect(widget.view(), &myQQuickView::rulesChanged, &m_changes, qOverload<>(&QTimer::start));
    connect(&widget, &Widget::deviceChecked, &m_changes, qOverload<>(&QTimer::start));
}

MouseService::~MouseService() {
    if (m_registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(BusNames::path());
        bus.unregisterService(BusNames::service());
    }
}

bool MouseService::start() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qInfo(
            "No session bus: scripts reach the mouse with q7ctl only while the window is closed.");
        return false;
    }
    if (!bus.registerObject(BusNames::path(), this)) {
        qWarning("D-Bus: %s could not be served", qUtf8Printable(BusNames::path()));
        return false;
    }
    // One window per user (the notice channel sees to that): never queue behind another owner.
    const auto owner = bus.interface()->registerService(
        BusNames::service(), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (owner.value() != QDBusConnectionInterface::ServiceRegistered) {
        qWarning("D-Bus: the name %s is taken; q7ctl will not reach this window",
                 qUtf8Printable(BusNames::service()));
        bus.unregisterObject(BusNames::path());
        return false;
    }
    m_registered = true;
    m_announced = propertyState();
    return true;
}

// --- properties ---

int MouseService::profile() const {
    return m_widget.view()->currentProfileIndex() + 1;
}

int MouseService::dpiStage() const {
    return m_widget.view()->ui_8BH_GetCurrentDPIStage().toInt();
}

QList<int> MouseService::dpiStages() const {
    QList<int> values;
    const QVariantList stored = m_widget.view()->ui_91H_GetDPISet();
    for (int i = 0; i < MouseActions::Stages; ++i)
        values.append(stored.value(i).toInt());
    return values;
}

int MouseService::pollingRate() const {
    return MouseActions::rateHz(logic(), m_widget.view()->ui_81H_GetReportRate().toInt());
}

QString MouseService::lighting() const {
    return MouseActions::lightingText(logic(), m_widget.view()->ui_8DH_GetRGBLedEffect());
}

bool MouseService::connected() const {
    return LinkState::instance().connected.load();
}

bool MouseService::demoMode() const {
    return LinkState::instance().demoMode.load();
}

bool MouseService::rulesOn() const {
    return m_widget.view()->ruleStore().rulesOn();
}

// What the properties rest on. The polling rate and the lighting are kept as the mouse's own codes:
// what they show is worked out by the pages' libraries, only when they change.
QVariantMap MouseService::propertyState() const {
    return {{QStringLiteral("Profile"), profile()},
            {QStringLiteral("DpiStage"), dpiStage()},
            {QStringLiteral("DpiStages"), QVariant::fromValue(dpiStages())},
            {PollingRateName, m_widget.view()->ui_81H_GetReportRate().toInt()},
            {LightingName, m_widget.view()->ui_8DH_GetRGBLedEffect()},
            {QStringLiteral("Connected"), connected()},
            {QStringLiteral("DemoMode"), demoMode()},
            {QStringLiteral("RulesOn"), rulesOn()}};
}

void MouseService::announceChanges() {
    if (!m_registered)
        return;
    const QVariantMap now = propertyState();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (m_announced.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    m_announced = now;
    if (changed.isEmpty())
        return;
    if (changed.contains(PollingRateName))
        changed[PollingRateName] = pollingRate();
    if (changed.contains(LightingName))
        changed[LightingName] = lighting();
    QDBusMessage signal = QDBusMessage::createSignal(BusNames::path(), PropertiesInterface,
                                                     QStringLiteral("PropertiesChanged"));
    signal << BusNames::interface() << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

// --- calls ---

std::optional<SlotOutcome> MouseService::gate() const {
    const LinkState &link = LinkState::instance();
    if (!link.connected.load())
        return SlotOutcome::failure(SlotOutcome::Status::DeviceAbsent,
                                    QStringLiteral("no mouse is connected"));
    if (!link.demoMode.load() && !m_widget.holdsDeviceLock()) {
        const DeviceLock lock(DeviceLock::keyFor(m_widget.deviceLink().currentEntry()), {});
        return SlotOutcome::failure(
            SlotOutcome::Status::DeviceBusy,
            QStringLiteral("the mouse is in use by %1; the window takes it when it is free")
                .arg(lock.holderText()));
    }
    return std::nullopt;
}

void MouseService::queue(Action action, Answer answer) {
    setDelayedReply(true);
    const QDBusMessage call = message();
    m_calls.push_back([call, action = std::move(action), answer] {
        QDBusConnection::sessionBus().send(reply(call, action(), answer));
    });
    if (!m_running)
        QMetaObject::invokeMethod(this, &MouseService::runQueue, Qt::QueuedConnection);
}

const PageLogic &MouseService::logic() const {
    return m_widget.view()->profileApplier()->logic();
}

MouseActions &MouseService::actions() {
    if (!m_actions) {
        m_actions = std::make_unique<MouseActions>(m_caller, logic());
        m_actions->setDeviceState(
            [this] { return demoMode() ? QStringLiteral("demo") : QStringLiteral("connected"); });
    }
    return *m_actions;
}

void MouseService::runQueue() {
    // A call waiting for the link lets events through: a call arriving then waits its turn.
    if (m_running)
        return;
    m_running = true;
    while (!m_calls.empty()) {
        const std::function<void()> next = std::move(m_calls.front());
        m_calls.pop_front();
        next();
    }
    m_running = false;
    m_changes.start();
}

QDBusMessage MouseService::reply(const QDBusMessage &call, const SlotOutcome &outcome,
                                 Answer answer) {
    const QString json =
        outcome.value && !outcome.value->isUndefined() ? jsonText(*outcome.value) : QString();
    if (!outcome.done()) {
        QStringList lines = outcome.messages;
        // The result goes along too: q7ctl prints it, as it does without the window.
        if (answer == Answer::Json && !json.isEmpty())
            lines.append(BusNames::ResultLine + json);
        return call.createErrorReply(BusNames::errorName(outcome.status),
                                     lines.join(QLatin1Char('\n')));
    }
    QDBusMessage done = call.createReply();
    if (answer == Answer::Number)
        done << outcome.value.value_or(QJsonValue()).toInt();
    else if (answer == Answer::Json)
        done << json;
    return done;
}

void MouseService::SelectProfile(int profile) {
    queue([this, profile] { return actions().selectProfile(profile); }, Answer::Nothing);
}

int MouseService::NextProfile() {
    queue([this] { return actions().stepProfile(1); }, Answer::Number);
    return 0;
}

int MouseService::PreviousProfile() {
    queue([this] { return actions().stepProfile(-1); }, Answer::Number);
    return 0;
}

void MouseService::SetDpiStage(int stage) {
    queue([this, stage] { return actions().setDpiStage(stage); }, Answer::Nothing);
}

int MouseService::NextDpiStage() {
    queue([this] { return actions().stepDpiStage(1); }, Answer::Number);
    return 0;
}

int MouseService::PreviousDpiStage() {
    queue([this] { return actions().stepDpiStage(-1); }, Answer::Number);
    return 0;
}

void MouseService::SetPollingRate(int hz) {
    queue([this, hz] { return actions().setPollingRate(hz); }, Answer::Nothing);
}

void MouseService::SetLighting(const QString &effect, int brightness, int speed) {
    queue([=, this] { return actions().setLighting(effect, brightness, speed); }, Answer::Nothing);
}

void MouseService::SetKey(const QString &key, const QString &function) {
    queue([=, this] { return actions().setKey(key, function); }, Answer::Nothing);
}

void MouseService::AddRule(const QString &application, int profile) {
    queue([=, this] { return actions().addRule(application, profile); }, Answer::Nothing);
}

void MouseService::RemoveRule(const QString &application) {
    queue([=, this] { return actions().removeRule(application); }, Answer::Nothing);
}

void MouseService::SetDefaultProfile(int profile) {
    queue([=, this] { return actions().setDefaultRule(profile); }, Answer::Nothing);
}

void MouseService::SetRulesOn(bool on) {
    queue([=, this] { return actions().setRulesOn(on); }, Answer::Nothing);
}

QString MouseService::Rules() {
    queue([this] { return actions().rules(); }, Answer::Json);
    return {};
}

QString MouseService::Status() {
    queue([this] { return actions().status(); }, Answer::Json);
    return {};
}

void MouseService::Quit() {
    // Answered first, so the caller hears it was done before the name goes away.
    qInfo("Asked on the session bus to end.");
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

QString MouseService::Call(const QString &slot, const QStringList &args,
                           const QVariantMap &options) {
    const SlotRequest request{slot, args, options.value(QStringLiteral("files")).toStringList(),
                              options.value(QStringLiteral("confirmed")).toBool()};
    queue([this, request] { return m_caller.call(request); }, Answer::Json);
    return {};
}
