// KDE Plasma's pointer settings against a fake KWin on a private session bus: its input-device
// service made from KWin's published interface with python-dbusmock (kwin_input.py). The real
// KWin cannot stand in: `kwin_wayland --virtual` has no input devices here. kcminputrc and
// kdeglobals live in a private config folder.
#include "KdePointerSettings.h"
#include "KdeConfigFile.h"
#include "TreeCopy.h"
#include "VirtualMouse.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr PointerSettings::Device Q7{0x04d9, 0xa09f};
const QString Q7Pointer = QStringLiteral("Q7 Peripherals Q7 Gaming Mouse");

const char InputBefore[] = "# Settings by hand: kept as they are.\n"
                           "[$Version]\n"
                           "update_info=kcminputrc.upd:delete-cursor-old-default-size\n"
                           "\n"
                           "[Keyboard]\n"
                           "NumLock=0\n"
                           "\n"
                           "[Libinput][1133][49271][Logitech USB Optical Mouse]\n"
                           "PointerAcceleration=-0.200\n"
                           "PointerAccelerationProfile=2\n"
                           "\n"
                           "[Libinput][1241][41119][Q7 Peripherals Q7 Gaming Mouse]\n"
                           "NaturalScroll=false\n"
                           "PointerAcceleration = 0.100\n"
                           "LeftHanded[$i]=false\n"
                           "\n"
                           "[Mouse]\n"
                           "cursorTheme=breeze_cursors\n";

const char GlobalsBefore[] = "[General]\n"
                             "ColorScheme=BreezeDark\n"
                             "Name[de]=Breeze Dunkel\n"
                             "Description=two\\tparts\\s\n"
                             "\n"
                             "[KDE]\n"
                             "LookAndFeelPackage=org.kde.breezedark.desktop\n"
                             "SingleClick=false\n"
                             "\n"
                             "[WM]\n"
                             "activeBackground=49,54,59\n";
} // namespace

class KdePointerSettingsTest : public QObject {
    Q_OBJECT
    QProcess m_bus;
    QProcess m_kwin;
    QTemporaryDir m_config;
    QList<QPair<int, int>> m_notices;

    QString file(const QString &name) const { return m_config.filePath(name); }
    static QByteArray read(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool write(const QString &path, const QByteArray &text) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    }

    // A property of one of the fake KWin's devices, as a client of KWin reads it.
    static QVariant property(const QString &sysName, const QString &name) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/InputDevice/") + sysName,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.kde.KWin.InputDevice") << name;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    static QJsonObject device(const char *sysName, const QString &name, int vendor, int product,
                              bool pointer, double acceleration, bool flat) {
        return {{"sysName", sysName},
                {"name", name},
                {"vendor", vendor},
                {"product", product},
                {"pointer", pointer},
                {"keyboard", !pointer},
                {"pointerAcceleration", acceleration},
                {"flat", flat}};
    }

public slots:
    void notifyChange(int type, int arg) { m_notices.append({type, arg}); }

private slots:
    void initTestCase() {
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address=1")});
        QVERIFY2(m_bus.waitForReadyRead(10000), "dbus-daemon did not start");
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.readLine().trimmed());

        // The mouse's pointer, its keyboard interface (same ids, no pointer) and another mouse.
        const QJsonArray devices{device("event5", Q7Pointer, 0x04d9, 0xa09f, true, 0.1, false),
                                 device("event6", Q7Pointer + QStringLiteral(" Keyboard"), 0x04d9,
                                        0xa09f, false, 0, false),
                                 device("event7", QStringLiteral("Logitech USB Optical Mouse"),
                                        1133, 49271, true, -0.2, false)};
        const QByteArray parameters =
            QJsonDocument(QJsonObject{{"devices", devices}}).toJson(QJsonDocument::Compact);
        m_kwin.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_kwin.start(QStringLiteral(Q7_SYSTEM_PYTHON),
                     {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                      QStringLiteral("--template"), QStringLiteral(KWIN_TEMPLATE),
                      QStringLiteral("-p"), QString::fromUtf8(parameters)});
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                     QStringLiteral("org.kde.KWin")),
                                 15000);
        QVERIFY(QDBusConnection::sessionBus().connect(
            {}, QStringLiteral("/KGlobalSettings"), QStringLiteral("org.kde.KGlobalSettings"),
            QStringLiteral("notifyChange"), this, SLOT(notifyChange(int, int))));
        QVERIFY(write(file(QStringLiteral("kcminputrc")), InputBefore));
        QVERIFY(write(file(QStringLiteral("kdeglobals")), GlobalsBefore));
    }

    void cleanupTestCase() {
        for (QProcess *p : {&m_kwin, &m_bus}) {
            p->kill();
            p->waitForFinished();
        }
    }

    void speedAndAccelerationReachTheMousesPointerAlone() {
        KdePointerSettings kde(Q7, m_config.path());
        QVERIFY2(kde.setSpeed(15), qPrintable(kde.lastError()));
        QVERIFY2(kde.setAcceleration(false), qPrintable(kde.lastError()));
        QCOMPARE(property("event5", "pointerAcceleration"),
                 QVariant(0.5)); // a double, as KWin has it
        QCOMPARE(property("event5", "pointerAccelerationProfileFlat"), QVariant(true));
        QCOMPARE(property("event5", "pointerAccelerationProfileAdaptive"), QVariant(false));
        QCOMPARE(kde.acceleration(), std::optional<bool>(false));
        // The other mouse and the keyboard interface keep theirs.
        QCOMPARE(property("event7", "pointerAcceleration"), QVariant(-0.2));
        QCOMPARE(property("event7", "pointerAccelerationProfileFlat"), QVariant(false));
        QCOMPARE(property("event6", "pointerAcceleration"), QVariant(0.0));
        // kcminputrc: the two keys of the mouse's group, every other byte as it was.
        QByteArray expected(InputBefore);
        expected.replace("PointerAcceleration = 0.100\nLeftHanded[$i]=false\n",
                         "PointerAcceleration=0.500\nLeftHanded[$i]=false\n"
                         "PointerAccelerationProfile=1\n");
        QCOMPARE(read(file(QStringLiteral("kcminputrc"))), expected);
    }

    void doubleClickAndWheelLinesGoToKdeglobalsAndAreAnnounced() {
        KdePointerSettings kde(Q7, m_config.path());
        m_notices.clear();
        QVERIFY2(kde.setDoubleClickTime(830), qPrintable(kde.lastError()));
        QVERIFY(kde.setWheelLines(5));
        QVERIFY(kde.setWheelLines(7)); // changed in place
        QByteArray expected(GlobalsBefore);
        expected.replace("SingleClick=false\n",
                         "SingleClick=false\nDoubleClickInterval=830\nWheelScrollLines=7\n");
        QCOMPARE(read(file(QStringLiteral("kdeglobals"))), expected);
        // SettingsChanged, SETTINGS_MOUSE: what Plasma's Qt integration reads [KDE] again on.
        const QList<QPair<int, int>> three(3, {3, 0});
        QTRY_COMPARE(m_notices, three);
    }

    void refusalsLeaveEveryFileAsItWas() {
        QTemporaryDir other;
        const QByteArray locked = "[KDE][$i]\nSingleClick=true\n";
        QVERIFY(write(other.filePath(QStringLiteral("kdeglobals")), locked));
        KdePointerSettings kde({0x1234, 0x5678}, other.path());
        QVERIFY(!kde.setDoubleClickTime(500));
        QVERIFY2(kde.lastError().contains(QLatin1String("locked")), qPrintable(kde.lastError()));
        QCOMPARE(read(other.filePath(QStringLiteral("kdeglobals"))), locked);
        // A mouse KWin does not list: nothing is set, kcminputrc is not even made.
        QVERIFY(!kde.setSpeed(12));
        QCOMPARE(kde.lastError(), QStringLiteral("KWin lists no pointer of the mouse (1234:5678)"));
        QVERIFY(!QFile::exists(other.filePath(QStringLiteral("kcminputrc"))));
        // Group names escaped as KConfig writes them, and read back.
        const QStringList group{QStringLiteral("Libinput"), QStringLiteral("1"),
                                QStringLiteral("2"), QStringLiteral("Receiver [2.4G]\\")};
        QString error;
        QVERIFY(KdeConfigFile::write(other.filePath(QStringLiteral("rc")), group,
                                     {{QStringLiteral("ScrollFactor"), QStringLiteral(" 1 ")}},
                                     &error));
        QCOMPARE(
            read(other.filePath(QStringLiteral("rc"))),
            QByteArray("[Libinput][1][2][Receiver \\x5b2.4G\\x5d\\\\]\nScrollFactor=\\s1\\s\n"));
        QCOMPARE(KdeConfigFile::read(other.filePath(QStringLiteral("rc")), group,
                                     QStringLiteral("ScrollFactor")),
                 std::optional<QString>(QStringLiteral(" 1 ")));
    }

    // The real q7ctl in a Plasma session: the mouse's ids come from the device table.
    void q7ctlSetsTheMouseInPlasma() {
        VirtualMouse mouse;
        QTemporaryDir install;
        QVERIFY(QFile::copy(QStringLiteral(Q7CTL_PATH), install.filePath(QStringLiteral("q7ctl"))));
        QVERIFY(copyTree(QStringLiteral(Q7_MODULES_SOURCE),
                         install.filePath(QStringLiteral("modules"))));
        QProcess q7ctl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VIRTUAL_MOUSE_PATH));
        env.insert(QStringLiteral("Q7_VIRTUAL_STATE"), mouse.statePath());
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        q7ctl.setProcessEnvironment(env);
        q7ctl.start(
            install.filePath(QStringLiteral("q7ctl")),
            {QStringLiteral("call"), QStringLiteral("setCursorSpeed"), QStringLiteral("9")});
        QVERIFY(q7ctl.waitForFinished(30000));
        QCOMPARE(q7ctl.exitCode(), 0);
        QCOMPARE(q7ctl.readAllStandardOutput(), QByteArray()); // a void slot prints nothing
        QCOMPARE(property("event5", "pointerAcceleration"), QVariant(0.8)); // speed 18
        QCOMPARE(property("event7", "pointerAcceleration"), QVariant(-0.2));
    }

    void withoutKWinTheSpeedIsNotTaken() {
        m_kwin.kill();
        m_kwin.waitForFinished();
        KdePointerSettings kde(Q7, m_config.path());
        const QByteArray before = read(file(QStringLiteral("kcminputrc")));
        QVERIFY(!kde.setSpeed(3));
        QVERIFY2(kde.lastError().startsWith(QLatin1String("KWin's input devices do not answer")),
                 qPrintable(kde.lastError()));
        QCOMPARE(read(file(QStringLiteral("kcminputrc"))), before);
        QVERIFY(kde.setWheelLines(3)); // kdeglobals needs no KWin
    }
};

QTEST_GUILESS_MAIN(KdePointerSettingsTest)
#include "KdePointerSettingsTest.moc"
