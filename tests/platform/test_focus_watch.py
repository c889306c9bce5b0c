#!/usr/bin/python3
"""The focus watch on real desktops: two applications get the focus in turn, and the watch names
each once, as the desktop names it.

    test_focus_watch.py x11 PROBE     on an Xvfb of its own, the root written as a window manager does
    test_focus_watch.py sway PROBE    inside the Wayland rig (tests/wayland/sway_rig.py)
    test_focus_watch.py kwin PROBE    inside the KDE rig (tests/wayland/kwin_rig.py)
"""

import glob
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "wayland"))
sys.path.insert(0, os.path.join(HERE, "..", "atspi"))
from focus_rig import FocusProbe, RigWindows, X11Desk, session_env  # noqa: E402

GAME, BROWSER = "q7.test.game", "q7.test.browser"


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def x11(probe_path):
    from desktop import XServer
    server = XServer()
    env = session_env(DISPLAY=server.display, XDG_SESSION_TYPE="x11")
    desk = probe = None
    try:
        desk = X11Desk(probe_path, ["Q7Game", "Q7Browser"], env)
        probe = FocusProbe(probe_path, env)
        check((probe.backend, probe.status) == ("x11", "started"), (probe.backend, probe.status))
        desk.activate("Q7Game")
        check(probe.next_focus() == "Q7Game", probe.seen)
        desk.activate("Q7Browser")
        check(probe.next_focus() == "Q7Browser", probe.seen)
        # The same window again is no change: the next report is the next application.
        desk.activate("Q7Browser")
        desk.activate("Q7Game")
        check(probe.next_focus() == "Q7Game", probe.seen)
        desk.activate()
        check(probe.next_focus() == "", probe.seen)
        check(probe.apps() == ["Q7Browser", "Q7Game"], probe.apps())
        probe.stop()

        # A window manager that lists what it supports without the active window never names it.
        desk.command("supported", "_NET_SUPPORTED", "_NET_CLIENT_LIST")
        probe = FocusProbe(probe_path, env)
        check(probe.status.startswith("unavailable ") and "_NET_ACTIVE_WINDOW" in probe.status,
              probe.status)
    finally:
        for part in (probe, desk):
            if part:
                part.stop()
        server.stop()


def wayland(probe_path, backend, focus, unfocus=None, more=None):
    """Two Wayland windows: each takes the focus when it opens, then focus(GAME) gives it back,
    and unfocus() leaves no window with it. Each move is one report: never the moment in between
    when no window has the focus."""
    probe = FocusProbe(probe_path, os.environ)
    windows = RigWindows()
    try:
        check((probe.backend, probe.status) == (backend, "started"), (probe.backend, probe.status))
        windows.open(GAME)
        check(probe.next_focus() == GAME, probe.seen)
        windows.open(BROWSER)
        check(probe.next_focus() == BROWSER, probe.seen)
        focus(GAME)
        check(probe.next_focus() == GAME, probe.seen)
        check(probe.apps() == [BROWSER, GAME], probe.apps())
        if unfocus:
            unfocus()
            check(probe.next_focus() == "", probe.seen)
        if more:
            more(probe)
    finally:
        windows.close()
        probe.stop()


def sway(probe_path):
    sys.path.insert(0, os.path.join(HERE, "..", "wayland"))
    from sway_rig import SwayRig, wait_for
    rig = SwayRig.from_environment()
    wayland(probe_path, "wlroots", lambda app_id: rig.command('[app_id="%s"] focus' % app_id),
            lambda: rig.command("workspace q7-empty"))
    rig.command("workspace 1")

    # An X11 application (through XWayland) is named by its WM_CLASS there too.
    probe = FocusProbe(probe_path, os.environ)
    desk = X11Desk(probe_path, ["Q7XGame"], dict(os.environ, DISPLAY=rig.display()),
                   manager=False)
    try:
        wait_for(lambda: [v for v in rig.views() if v["name"] == "Q7XGame"], 15,
                 "sway to show the X11 window")
        rig.command('[class="Q7XGame"] focus')
        probe.wait_focus("Q7XGame")
    finally:
        desk.stop()
        probe.stop()


def kwin(probe_path):
    from kwin_rig import KWinRig
    rig = KWinRig.from_environment()

    def only_kwin_is_heard(probe):
        # The script's file goes once KWin has read it.
        left = glob.glob(os.path.join(os.environ["XDG_RUNTIME_DIR"], "q7config-focus-*"))
        check(not left, "left behind: %s" % left)
        # Any client of the session bus can call the watch: only KWin's calls count.
        bus = ["gdbus", "call", "--session", "--dest"]
        names = subprocess.run(bus + ["org.freedesktop.DBus", "--object-path", "/",
                                      "--method", "org.freedesktop.DBus.ListNames"],
                               capture_output=True, text=True, check=True).stdout
        for name in names.replace("'", " ").replace(",", " ").split():
            pid = subprocess.run(
                bus + ["org.freedesktop.DBus", "--object-path", "/", "--method",
                       "org.freedesktop.DBus.GetConnectionUnixProcessID", name],
                capture_output=True, text=True).stdout
            if pid.strip("()\n, ").removeprefix("uint32 ") == str(probe.process.pid):
                subprocess.run(bus + [name, "--object-path", "/org/example/q7config/FocusWatch",
                                      "--method", "org.example.q7config.FocusWatch.Activated",
                                      "q7.test.spoof"], check=True, capture_output=True)
                break
        else:
            raise AssertionError("the probe has no name on the bus")
        rig.activate(BROWSER)
        check(probe.next_focus() == BROWSER, probe.seen)

        # A new KWin (after a crash, or kwin --replace) runs the script again.
        rig.restart_kwin()
        windows = RigWindows(GAME)
        try:
            probe.wait_focus(GAME)
        finally:
            windows.close()

    try:
        wayland(probe_path, "kwin", rig.activate, more=only_kwin_is_heard)
    finally:
        rig.stop()


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("x11", "sway", "kwin"):
        sys.exit(__doc__)
    globals()[sys.argv[1]](sys.argv[2])
    print("focus watch on %s: passed" % sys.argv[1])
