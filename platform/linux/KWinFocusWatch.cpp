#include "KWinFocusWatch.h"

#include "RuntimeDir.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryFile>

namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScriptingPath = QStringLiteral("/Scripting");
const QString ScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
// One focus script per session: a second watch takes the first one's place.
const QString PluginName = QStringLiteral("q7config-focus");
// Where the script calls back, on this program's own connection.
const QString ReceiverPath = QStringLiteral("/") + QStringLiteral(Q7_APP_ID).replace(u'.', u'/') +
                             QStringLiteral("/FocusWatch");
const QString ReceiverInterface = QStringLiteral(Q7_APP_ID ".FocusWatch");
const QString ActivatedMember = QStringLiteral("Activated");
const QString WindowsMember = QStringLiteral("Windows");
// KWin answers its scripting calls at once; a KWin that hangs must not hang the program.
constexpr int CallTimeoutMs = 3000;
// How often, and how far apart, a KWin that came back is asked to run the script.
constexpr int ReloadTries = 20;
constexpr int ReloadIntervalMs = 250;

// Runs inside KWin. Plasma 5 names windows "client" (clientActivated, clientList), Plasma 6
// "window". The list of applications goes as one string, one a line: KWin's conversion of a
// script's array to D-Bus differs between versions.
const char ScriptText[] =
    R"js(// q7config's focus watch: which application has the focus, and which have windows.
(function () {
    const target = %1;
    const plasma6 = workspace.windowActivated !== undefined;
    function tell(member, text) {
        callDBus(target[0], target[1], target[2], member, text);
    }
    function applicationOf(window) {
        if (!window)
            return "";
        const resourceClass = String(window.resourceClass || "");
        return resourceClass !== "" ? resourceClass : String(window.desktopFileName || "");
    }
    function tellWindows(leaving) {
        const windows = plasma6 ? workspace.windowList() : workspace.clientList();
        const names = [];
        for (let i = 0; i < windows.length; ++i) {
            const name = applicationOf(windows[i]);
            if (windows[i] !== leaving && windows[i].normalWindow && name !== "" &&
                names.indexOf(name) < 0)
                names.push(name);
        }
        tell("Windows", names.join("\n"));
    }
    (plasma6 ? workspace.windowActivated : workspace.clientActivated).connect(function (window) {
        tell("Activated", applicationOf(window));
    });
    (plasma6 ? workspace.windowAdded : workspace.clientAdded).connect(function () {
        tellWindows(null);
    });
    (plasma6 ? workspace.windowRemoved : workspace.clientRemoved).connect(tellWindows);
    tellWindows(null);
    tell("Activated", applicationOf(plasma6 ? workspace.activeWindow : workspace.activeClient));
})();
)js";

QDBusMessage scriptingCall(const QString &method, const QVariantList &arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(KWinService, ScriptingPath, ScriptingInterface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, CallTimeoutMs);
}

} // namespace

// The object the script calls, served on the program's own bus connection.
class KWinFocusReceiver : public QDBusVirtualObject {
public:
    explicit KWinFocusReceiver(KWinFocusWatch *watch) : m_watch(watch) {}

    QString introspect(const QString &path) const override {
        if (path != ReceiverPath)
            return {};
        return QStringLiteral("<interface name=\"%1\">"
                              "<method name=\"%2\"><arg name=\"application\" type=\"s\"/></method>"
                              "<method name=\"%3\"><arg name=\"applications\" type=\"s\"/></method>"
                              "</interface>")
            .arg(ReceiverInterface, ActivatedMember, WindowsMember);
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override {
        if (message.type() != QDBusMessage::MethodCallMessage ||
            message.interface() != ReceiverInterface ||
            (message.member() != ActivatedMember && message.member() != WindowsMember))
            return false;
        const QVariantList arguments = message.arguments();
        if (arguments.size() != 1 || arguments.first().metaType().id() != QMetaType::QString) {
            connection.send(message.createErrorReply(QDBusError::InvalidArgs,
                                                     QStringLiteral("one string expected")));
            return true;
        }
        m_watch->received(message.service(), message.member(), arguments.first().toString());
        connection.send(message.createReply());
        return true;
    }

private:
    KWinFocusWatch *m_watch;
};

KWinFocusWatch::KWinFocusWatch(QObject *parent) : FocusWatch(parent) {
    m_reload.setSingleShot(true);
    m_reload.setInterval(ReloadIntervalMs);
    connect(&m_reload, &QTimer::timeout, this, &KWinFocusWatch::reload);
}

KWinFocusWatch::~KWinFocusWatch() {
    if (m_loaded)
        unloadScript();
    if (m_receiver)
        QDBusConnection::sessionBus().unregisterObject(ReceiverPath);
}

bool KWinFocusWatch::answersOnSessionBus() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(KWinService);
}

bool KWinFocusWatch::start() {
    if (m_receiver)
        return m_loaded;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return cannotStart(tr("There is no session bus to reach KWin on: the focused application "
                              "cannot be followed."));
    m_receiver = std::make_unique<KWinFocusReceiver>(this);
    if (!bus.registerVirtualObject(ReceiverPath, m_receiver.get()))
        return cannotStart(tr("Another focus watch of this program is already running."));
    m_ownerWatch =
        new QDBusServiceWatcher(KWinService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_ownerWatch, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &owner) {
                kwinOwnerChanged(owner);
            });
    m_kwinOwner = bus.interface()->serviceOwner(KWinService).value();
    if (m_kwinOwner.isEmpty())
        return cannotStart(tr("KWin does not answer on the session bus: the focused application "
                              "cannot be followed."));
    const QString error = loadScript();
    return error.isEmpty() || cannotStart(error);
}

QString KWinFocusWatch::loadScript() {
    m_script = std::make_unique<QTemporaryFile>(
        QDir(RuntimeDir::path()).filePath(QStringLiteral("q7config-focus-XXXXXX.js")));
    const QJsonArray target{QDBusConnection::sessionBus().baseService(), ReceiverPath,
                            ReceiverInterface};
    const QByteArray text =
        QString::fromUtf8(ScriptText)
            .arg(QString::fromUtf8(QJsonDocument(target).toJson(QJsonDocument::Compact)))
            .toUtf8();
    if (!m_script->open() || m_script->write(text) != text.size() || !m_script->flush())
        return tr("The script for KWin could not be written to %1: the focused application "
                  "cannot be followed.")
            .arg(RuntimeDir::path());
    // A script left by a run that ended without unloading it would call a name that is gone.
    scriptingCall(QStringLiteral("unloadScript"), {PluginName});
    const QDBusMessage loaded =
        scriptingCall(QStringLiteral("loadScript"), {m_script->fileName(), PluginName});
    const QVariant id = loaded.arguments().value(0);
    if (loaded.type() != QDBusMessage::ReplyMessage || id.metaType().id() != QMetaType::Int ||
        id.toInt() < 0)
        return tr("KWin did not load the focus script (%1): the focused application cannot be "
                  "followed.")
            .arg(loaded.type() == QDBusMessage::ErrorMessage ? loaded.errorMessage()
                                                             : QStringLiteral("no script number"));
    m_loaded = true;
    qCDebug(lcFocus).noquote() << "kwin: script" << PluginName << "loaded from"
                               << m_script->fileName();
    // Runs the scripts loaded and not yet running: ours.
    const QDBusMessage started = scriptingCall(QStringLiteral("start"), {});
    if (started.type() != QDBusMessage::ReplyMessage)
        return tr("KWin did not run the focus script (%1): the focused application cannot be "
                  "followed.")
            .arg(started.errorMessage());
    setReason({});
    return {};
}

void KWinFocusWatch::unloadScript() {
    scriptingCall(QStringLiteral("unloadScript"), {PluginName});
    m_loaded = false;
}

void KWinFocusWatch::kwinOwnerChanged(const QString &owner) {
    m_kwinOwner = owner;
    m_loaded = false;
    m_applications.clear();
    if (owner.isEmpty()) {
        m_reload.stop();
        qCWarning(lcFocus) << "KWin left the session bus: waiting for it to come back";
        report({});
        return;
    }
    // A new KWin knows nothing of the script the old one ran. It takes its name on the bus
    // before it serves /Scripting: a few tries.
    m_reloadTries = 0;
    m_reload.start();
}

void KWinFocusWatch::reload() {
    const QString error = loadScript();
    if (error.isEmpty())
        qCInfo(lcFocus) << "KWin came back: the focus script runs again";
    else if (++m_reloadTries < ReloadTries)
        m_reload.start();
    else
        lost(error);
}

void KWinFocusWatch::received(const QString &sender, const QString &member,
                              const QString &argument) {
    // Anyone on the bus can call; only KWin's word counts.
    if (sender != m_kwinOwner) {
        qCDebug(lcFocus).noquote() << "kwin: ignored a focus report from" << sender;
        return;
    }
    // KWin reads the file when the script starts, in the background: its first call says it
    // has, and the file goes.
    m_script.reset();
    if (member == ActivatedMember) {
        report(argument);
    } else {
        m_applications = argument.split(u'\n', Qt::SkipEmptyParts);
        m_applications.sort(Qt::CaseInsensitive);
    }
}
