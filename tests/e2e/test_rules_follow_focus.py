#!/usr/bin/python3
"""The real program against the virtual mouse on a real desktop: rules added through q7ctl, two
applications focused in turn, and the mouse gets each one's profile, only the sets that differ.

    test_rules_follow_focus.py x11 BIN_DIR PROBE    on an Xvfb of its own (PROBE plays the WM)
    test_rules_follow_focus.py sway BIN_DIR PROBE   inside the Wayland rig (sway_rig.py)
    test_rules_follow_focus.py kwin BIN_DIR PROBE   inside the KDE rig (kwin_rig.py)
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
for folder in ("atspi", "wayland", "platform"):
    sys.path.insert(0, os.path.join(HERE, "..", folder))
from desktop import Program, ensure_session_bus, wait_for  # noqa: E402
from focus_rig import RigWindows, X11Desk, session_env  # noqa: E402
from wire import TrafficLog  # noqa: E402

OWN_APP_ID = "org.example.q7config"
# Profile 1 for every other application; the game's and the browser's differ in rate and stage.
PROFILES = {1: (1, 5), 2: (8, 3), 3: (2, 4)}  # profile: (rate code, DPI stage)
# The plain frames a switch between the game's profile (2) and the browser's (3) costs.
TO_GAME = ["00 01 08 00 00 00 00 00 f6", "00 0b 03 00 00 00 00 00 f1"]  # 125 Hz, stage 3
TO_BROWSER = ["00 01 02 00 00 00 00 00 fc", "00 0b 04 00 00 00 00 00 f0"]  # 500 Hz, stage 4


def check(condition, message):
    if not condition:
        raise AssertionError(message)


class Run:
    """The program with q7ctl beside it, its profiles set apart, and nothing in its rules."""

    def __init__(self, bin_dir, root, env):
        self.program = Program(bin_dir, root, env)
        shutil.copy2(os.path.join(bin_dir, "q7ctl"), self.program.folder)
        setting = os.path.join(self.program.folder, "modules", "setting")
        for profile, (rate, stage) in PROFILES.items():
            path = os.path.join(setting, "p%d.bin" % profile)
            with open(path, encoding="utf-8") as f:
                text = f.read()
            text = re.sub(r"(?m)^reportRate_Q7=.*$", "reportRate_Q7=%d" % rate, text)
            text = re.sub(r"(?m)^stage_Q7=.*$", "stage_Q7=%d" % stage, text)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        self.traffic = TrafficLog(self.program.log_path)
        self.program.start()
        wait_for(lambda: "Device Connect" in self.output(), 30, "the program to find the mouse")
        # q7ctl goes through the window once it is on the bus.
        wait_for(lambda: "true" in subprocess.run(
            ["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path", "/",
             "--method", "org.freedesktop.DBus.NameHasOwner", OWN_APP_ID],
            capture_output=True, text=True).stdout, 15, "the program on the bus")

    def output(self):
        with open(self.program.output_path, "rb") as f:
            return f.read().decode(errors="replace")

    def q7ctl(self, *args):
        env = dict(os.environ, LD_PRELOAD=self.program.preload, QT_QPA_PLATFORM="offscreen",
                   Q7_VIRTUAL_LOG=self.program.log_path, Q7_VIRTUAL_STATE=self.program.state_path)
        done = subprocess.run([os.path.join(self.program.folder, "q7ctl"), *args], env=env,
                              capture_output=True, text=True, timeout=60)
        check(done.returncode == 0, "q7ctl %s: %s" % (" ".join(args), done.stderr))
        return done.stdout.strip()

    def focus_state(self):
        return json.loads(self.q7ctl("call", "getRuleOptions"))["focusState"]

    def switch(self, focus, app_id, profile, expected):
        """Focuses app_id: the program says the mouse holds profile, having sent `expected`."""
        said = "%s has the focus: the mouse holds profile %d." % (app_id, profile)
        before, mark = self.output().count(said), self.traffic.mark()
        focus(app_id)
        wait_for(lambda: self.output().count(said) > before, 15, "the switch for %s" % app_id)
        frames = [c.frame.hex(" ") for c in self.traffic.commands(mark)]
        check(frames == expected, "focus on %s sent %s" % (app_id, frames))
        check(self.q7ctl("profile") == str(profile), "q7ctl profile after %s" % app_id)


def follow(run, game, browser, focus, own=None):
    """Rules for the game, the browser and every other application, then the focus moves."""
    try:
        # Nothing asked the desktop at the start: there was no rule.
        check(run.focus_state() == "", "a watch at the start")
        # The watch starts with the first rule; the browser has the focus, or gets it.
        run.q7ctl("rule", "add", browser, "3")
        focus(browser)
        wait_for(lambda: "the mouse holds profile 3." in run.output(), 15, "the first switch")
        check(run.focus_state() == "watching", run.focus_state())
        run.q7ctl("rule", "add", game, "2")
        run.q7ctl("rule", "default", "1")
        run.switch(focus, game, 2, TO_GAME)
        if own:
            # The program's own window switches nothing: the next switch starts from profile 2.
            own()
        run.switch(focus, browser, 3, TO_BROWSER)
        run.switch(focus, game, 2, TO_GAME)
        names = json.loads(run.q7ctl("call", "getRunningApplications"))
        check({game, browser} <= set(names), names)
    except AssertionError:
        sys.stderr.write(run.output()[-3000:])
        raise
    finally:
        run.program.stop()


def x11(bin_dir, probe):
    root = ensure_session_bus()
    from desktop import XServer
    server = XServer()
    env = session_env(DISPLAY=server.display, XDG_SESSION_TYPE="x11", XDG_CURRENT_DESKTOP="GNOME")
    desk = None
    try:
        desk = X11Desk(probe, ["Q7Game", "Q7Browser"], env)
        desk.activate("Q7Browser")
        run = Run(bin_dir, root, dict(env, QT_QPA_PLATFORM="xcb"))
        follow(run, "Q7Game", "Q7Browser", desk.activate)
    finally:
        if desk:
            desk.stop()
        server.stop()


def wayland(bin_dir, root, focus, own, shown):
    game, browser = "q7.test.game", "q7.test.browser"
    windows = RigWindows()
    try:
        windows.open(game)
        windows.open(browser)
        run = Run(bin_dir, root, {"QT_QPA_PLATFORM": "wayland"})
        shown(run)
        follow(run, game, browser, focus, lambda: own(run))
    finally:
        windows.close()


def sway(bin_dir, probe):
    os.environ["Q7_DESKTOP"] = "wayland"
    root = ensure_session_bus()
    from sway_rig import SwayRig
    rig = SwayRig.from_environment()

    def own(run):
        rig.command("[pid=%d] focus" % run.program.process.pid)
        wait_for(lambda: (rig.focused() or {}).get("app_id") == OWN_APP_ID, 10, "own focus")
    wayland(bin_dir, root, lambda app_id: rig.command('[app_id="%s"] focus' % app_id), own,
            lambda run: rig.view(pid=run.program.process.pid))


def kwin(bin_dir, probe):
    from kwin_rig import KWinRig
    rig = KWinRig.from_environment()
    root = tempfile.mkdtemp(prefix="q7-rules-")
    for name in ("config", "home"):
        os.makedirs(os.path.join(root, name))
    os.environ.update(XDG_CONFIG_HOME=os.path.join(root, "config"),
                      HOME=os.path.join(root, "home"), GSETTINGS_BACKEND="memory")
    try:
        wayland(bin_dir, root, rig.activate, lambda run: rig.activate(OWN_APP_ID), lambda run: None)
    finally:
        rig.stop()
    shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] not in ("x11", "sway", "kwin"):
        sys.exit(__doc__)
    globals()[sys.argv[1]](sys.argv[2], sys.argv[3])
    print("rules follow the focus on %s: passed" % sys.argv[1])
