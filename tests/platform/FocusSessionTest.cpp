// Which focus backend a session gets. The rigs (test_focus_watch.py) run X11, sway and KWin for
// real; GNOME has no rig here, so its sessions are checked through the choice and create().
#include "FocusSession.h"
#include "FocusWatch.h"

#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

using FocusSession::Backend;
using FocusSession::Facts;
Q_DECLARE_METATYPE(Backend)
Q_DECLARE_METATYPE(Facts)

class FocusSessionTest : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<Facts>("facts");
        QTest::addColumn<Backend>("expected");
        // desktop, session type, DISPLAY, WAYLAND_DISPLAY; KWin answers; toplevel list offered
        QTest::newRow("Plasma Wayland")
            << Facts{{"KDE", "wayland", true, true}, true} << Backend::KWin;
        QTest::newRow("Plasma X11") << Facts{{"KDE", "x11", true}, true} << Backend::KWin;
        // A KWin on the bus counts only where the session is KDE's.
        QTest::newRow("sway, a KWin on the bus")
            << Facts{{"sway", "wayland", true, true}, true, true} << Backend::Wlroots;
        QTest::newRow("Plasma Wayland, KWin silent")
            << Facts{{"KDE", "wayland", true, true}} << Backend::XWaylandOnly;
        QTest::newRow("sway from a console")
            << Facts{{"", "tty", false, true}, false, true} << Backend::Wlroots;
        QTest::newRow("GNOME Wayland")
            << Facts{{"ubuntu:GNOME", "wayland", true, true}} << Backend::XWaylandOnly;
        QTest::newRow("GNOME Wayland, no XWayland")
            << Facts{{"GNOME", "wayland", false, true}} << Backend::None;
        QTest::newRow("X11 with a nested compositor")
            << Facts{{"XFCE", "x11", true, true}, false, true} << Backend::X11;
        QTest::newRow("nothing") << Facts{} << Backend::None;
    }
    void choice() {
        QFETCH(Facts, facts);
        QFETCH(Backend, expected);
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
