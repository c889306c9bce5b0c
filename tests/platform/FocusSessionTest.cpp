// Which focus backend a session gets. The rigs (test_focus_watch.py) run X11, sway and KWin for
// real; GNOME has no rig here, so its sessions are checked through the choice and create().
#include "FocusSession.h"
#include "FocusWatch.h"

#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

using FocusSession::Backend;
Q_DECLARE_METATYPE(Backend)

class FocusSessionTest : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("kwin");
        QTest::addColumn<bool>("toplevels");
        QTest::addColumn<Backend>("expected");
        QTest::newRow("Plasma Wayland")
            << "KDE"
            << "wayland" << true << true << true << false << Backend::KWin;
        QTest::newRow("Plasma X11") << "KDE"
                                    << "x11" << true << false << true << false << Backend::KWin;
        // A KWin on the bus counts only where the session is KDE's.
        QTest::newRow("sway, a KWin on the bus")
            << "sway"
            << "wayland" << true << true << true << true << Backend::Wlroots;
        QTest::newRow("Plasma Wayland, KWin silent")
            << "KDE"
            << "wayland" << true << true << false << false << Backend::XWaylandOnly;
        QTest::newRow("sway from a console")
            << ""
            << "tty" << false << true << false << true << Backend::Wlroots;
        QTest::newRow("GNOME Wayland")
            << "ubuntu:GNOME"
            << "wayland" << true << true << false << false << Backend::XWaylandOnly;
        QTest::newRow("GNOME Wayland, no XWayland")
            << "GNOME"
            << "wayland" << false << true << false << false << Backend::None;
        QTest::newRow("X11 with a nested compositor")
            << "XFCE"
            << "x11" << true << true << false << true << Backend::X11;
        QTest::newRow("nothing") << ""
                                 << "" << false << false << false << false << Backend::None;
    }
    void choice() {
        QFETCH(QString, desktop);
        QFETCH(QString, type);
        QFETCH(bool, x11);
        QFETCH(bool, wayland);
        QFETCH(bool, kwin);
        QFETCH(bool, toplevels);
        QFETCH(Backend, expected);
        FocusSession::Facts facts;
        facts.session.currentDesktop = desktop;
        facts.session.sessionType = type;
        facts.session.x11Display = x11;
        facts.session.waylandDisplay = wayland;
        facts.kwinAnswers = kwin;
        facts.toplevelListOffered = toplevels;
        QCOMPARE(FocusSession::choose(facts), expected);
    }

    // A compositor that takes the connection and never answers is not waited for.
    void silentCompositorIsNotWaitedFor() {
        QTemporaryDir folder;
        QLocalServer silent;
        QVERIFY(silent.listen(folder.filePath(QStringLiteral("wayland-silent"))));
        qputenv("XDG_CURRENT_DESKTOP", "sway");
        qputenv("XDG_SESSION_TYPE", "wayland");
        qputenv("WAYLAND_DISPLAY", QFile::encodeName(silent.fullServerName()));
        qunsetenv("DISPLAY");
        const std::unique_ptr<FocusWatch> watch = FocusWatch::create();
        QCOMPARE(watch->backendName(), QStringLiteral("none"));
        QVERIFY(!watch->start());
    }

    // GNOME on Wayland without XWayland: the watch says so at start, naming the desktop.
    void gnomeWaylandSaysWhy() {
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        qputenv("XDG_SESSION_TYPE", "wayland");
        qputenv("WAYLAND_DISPLAY", "q7-no-such-compositor");
        qunsetenv("DISPLAY");
        const std::unique_ptr<FocusWatch> watch = FocusWatch::create();
        QCOMPARE(watch->backendName(), QStringLiteral("none"));
        QVERIFY(!watch->start());
        QVERIFY2(watch->reason().startsWith(QStringLiteral("GNOME on Wayland does not tell")),
                 qPrintable(watch->reason()));
    }
};

QTEST_GUILESS_MAIN(FocusSessionTest)
#include "FocusSessionTest.moc"
