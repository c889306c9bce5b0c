// Which backend a session gets, and the backends that have no rig of their own here: Hyprland
// (not in Debian 12) against a stand-in for its control socket, X11 against a real Xvfb.
#include "DesktopSession.h"
#include "linux/GnomePointerSettings.h"
#include "linux/HyprlandPointerSettings.h"
#include "linux/X11PointerSettings.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using DesktopSession::Desktop;
using DesktopSession::Facts;
Q_DECLARE_METATYPE(Facts)
Q_DECLARE_METATYPE(Desktop)

namespace {
constexpr PointerSettings::Device Q7{0x04d9, 0xa09f};

// Hyprland's control socket as hyprctl meets it: one request per connection, a reply, then the
// connection closes. Keywords it does not know are refused with a message.
class FakeHyprland : public QThread {
public:
    explicit FakeHyprland(const QString &path) : m_path(path) {}
    ~FakeHyprland() override { finish(); }
    // The requests it had, once it has stopped; probes for its version left out.
    QStringList finish() {
        stop = true;
        wait();
        return requests.filter(QRegularExpression(QStringLiteral("^(?!j/version$)")));
    }

private:
    QStringList requests;
    std::atomic<bool> stop = false;

protected:
    void run() override {
        QLocalServer server;
        if (!server.listen(m_path))
            return;
        while (!stop) {
            if (!server.waitForNewConnection(50))
                continue;
            QLocalSocket *client = server.nextPendingConnection();
            client->waitForReadyRead(1000);
            const QString request = QString::fromUtf8(client->readAll());
            requests.append(request);
            client->write(reply(request));
            client->waitForBytesWritten(1000);
            client->disconnectFromServer();
            delete client;
        }
    }

private:
    static QByteArray reply(const QString &request) {
        if (request == QLatin1String("j/version"))
            return R"({"branch": "main", "tag": "v0.41.2"})";
        if (request == QLatin1String("j/getoption input:accel_profile"))
            return R"({"option": "input:accel_profile", "str": "flat", "set": true})";
        if (request.startsWith(QLatin1String("/keyword input:")) &&
            !request.contains(QLatin1String("sensitivity -0.111")))
            return "ok";
        return "config option <input:sensitivity> invalid value";
    }
    QString m_path;
};
} // namespace

class PointerDesktopsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_runtime;

private slots:
    void initTestCase() {
        // Nothing of the developer's own session may leak into the choice.
        for (const char *name : {"SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE", "KDE_FULL_SESSION",
                                 "WAYLAND_DISPLAY", "DISPLAY"})
            qunsetenv(name);
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qputenv("XDG_CONFIG_HOME", m_runtime.filePath(QStringLiteral("config")).toLocal8Bit());
    }

    void chosenFromTheSession_data() {
        QTest::addColumn<Facts>("facts");
        QTest::addColumn<Desktop>("desktop");
        // currentDesktop, sessionType, DISPLAY, WAYLAND_DISPLAY, KDE_FULL_SESSION, sway answers,
        // Hyprland answers
        QTest::newRow("GNOME") << Facts{"GNOME", "wayland", true, true} << Desktop::Gnome;
        QTest::newRow("Ubuntu's GNOME on X11")
            << Facts{"ubuntu:GNOME", "x11", true} << Desktop::Gnome;
        QTest::newRow("GNOME Flashback")
            << Facts{"GNOME-Flashback:GNOME", "x11", true} << Desktop::Gnome;
        QTest::newRow("Plasma 6") << Facts{"KDE", "wayland", true, true} << Desktop::Kde;
        QTest::newRow("Plasma on X11") << Facts{"KDE", "x11", true} << Desktop::Kde;
        QTest::newRow("Plasma, only KDE_FULL_SESSION")
            << Facts{"", "x11", true, false, true} << Desktop::Kde;
        QTest::newRow("sway") << Facts{"sway", "wayland", true, true, false, true} << Desktop::Sway;
        QTest::newRow("sway, silent") << Facts{"sway", "wayland", true, true} << Desktop::None;
        QTest::newRow("sway, only SWAYSOCK")
            << Facts{"", "", false, true, false, true} << Desktop::Sway;
        QTest::newRow("Hyprland") << Facts{"Hyprland", "wayland", true, true, false, false, true}
                                  << Desktop::Hyprland;
        QTest::newRow("Hyprland, silent")
            << Facts{"Hyprland", "wayland", true, true} << Desktop::None;
        QTest::newRow("Xfce") << Facts{"XFCE", "x11", true} << Desktop::X11;
        QTest::newRow("Cinnamon") << Facts{"X-Cinnamon", "x11", true} << Desktop::X11;
        QTest::newRow("startx from a tty") << Facts{"", "tty", true} << Desktop::X11;
        QTest::newRow("bare DISPLAY") << Facts{"", "", true} << Desktop::X11;
        QTest::newRow("river with XWayland")
            << Facts{"river", "wayland", true, true} << Desktop::None;
        QTest::newRow("XWayland, no session type") << Facts{"", "", true, true} << Desktop::None;
        QTest::newRow("x11 without a server") << Facts{"", "x11", false} << Desktop::None;
        QTest::newRow("console") << Facts{"", "tty"} << Desktop::None;
    }
    void chosenFromTheSession() {
        QFETCH(Facts, facts);
        QFETCH(Desktop, desktop);
        QCOMPARE(DesktopSession::choose(facts), desktop);
    }

    // Installed schemas are no fact of the session: Plasma gets Plasma's backend.
    void plasmaWithTheGnomeSchemaInstalled() {
        if (!GnomePointerSettings().speed())
            QSKIP("the GNOME schema is not installed, so there is nothing to be misled by");
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        qputenv("XDG_SESSION_TYPE", "wayland");
        QCOMPARE(PointerSettings::forSession(Q7)->desktop(), QStringLiteral("KDE Plasma"));
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        QCOMPARE(PointerSettings::forSession(Q7)->desktop(), QStringLiteral("GNOME"));
    }

    void hyprlandThroughItsSocket() {
        const QString folder = m_runtime.filePath(QStringLiteral("hypr/0123abcd"));
        QVERIFY(QDir().mkpath(folder));
        FakeHyprland hyprland(folder + QStringLiteral("/.socket.sock"));
        hyprland.start();
        qputenv("HYPRLAND_INSTANCE_SIGNATURE", "0123abcd");
        qputenv("XDG_CURRENT_DESKTOP", "Hyprland");
        QTRY_VERIFY(DesktopSession::probe().hyprlandAnswers);
        const std::unique_ptr<PointerSettings> pointer = PointerSettings::forSession(Q7);
        QCOMPARE(pointer->desktop(), QStringLiteral("Hyprland"));
        QVERIFY2(pointer->setSpeed(15), qPrintable(pointer->lastError()));
        QVERIFY(pointer->setAcceleration(false));
        QVERIFY(pointer->setWheelLines(6));
        QCOMPARE(pointer->acceleration(), std::optional<bool>(false));
        QVERIFY(!pointer->setDoubleClickTime(500));
        QCOMPARE(pointer->lastError(), QStringLiteral("Hyprland has no double-click time setting"));
        QVERIFY(!pointer->setSpeed(9)); // sensitivity -0.111 is refused
        QCOMPARE(pointer->lastError(),
                 QStringLiteral("Hyprland refused input:sensitivity -0.111: config option "
                                "<input:sensitivity> invalid value"));
        QCOMPARE(
            hyprland.finish(),
            (QStringList{"/keyword input:sensitivity 0.500", "/keyword input:accel_profile flat",
                         "/keyword input:scroll_factor 2.000", "j/getoption input:accel_profile",
                         "/keyword input:sensitivity -0.111"}));
        QVERIFY(!pointer->setSpeed(15)); // gone
        QVERIFY2(pointer->lastError().startsWith(QLatin1String("Hyprland does not answer")),
                 qPrintable(pointer->lastError()));
        qunsetenv("HYPRLAND_INSTANCE_SIGNATURE");
    }

    // Xvfb has no libinput devices, only its XTEST pointer, so what can be checked here is that
    // the real server is asked through XInput and the backend reports the setting not done.
    void x11FindsNoLibinputPointerOnXvfb() {
        int display = 90;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
            ++display;
        QProcess xvfb;
        xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(display),
                                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!xvfb.waitForStarted())
            QSKIP("Xvfb is not installed");
        QTRY_VERIFY(QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)));
        X11PointerSettings x11(Q7, QByteArray(":") + QByteArray::number(display));
        QVERIFY(!x11.setSpeed(15));
        QCOMPARE(x11.lastError(),
                 QStringLiteral("the X server has no libinput pointer of the mouse (04d9:a09f)"));
        QVERIFY(!x11.setAcceleration(true));
        QVERIFY(!x11.acceleration().has_value());
        QVERIFY(!x11.setWheelLines(3));
        xvfb.terminate();
        xvfb.waitForFinished();
        QVERIFY(!x11.setSpeed(15));
        QCOMPARE(x11.lastError(), QStringLiteral("the X server does not answer"));
    }
};

QTEST_GUILESS_MAIN(PointerDesktopsTest)
#include "PointerDesktopsTest.moc"
