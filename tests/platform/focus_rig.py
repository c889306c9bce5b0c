"""Pieces for tests that follow the focused application, on any desktop rig: FocusProbe runs
q7-focus-probe (what FocusWatch reports in a session), X11Desk its X11 windows (WM_CLASS names)
with the root a window manager keeps, RigWindows the Wayland rig client's windows.
"""

import os
import queue
import subprocess
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wayland"))
from sway_rig import end  # noqa: E402

TIMEOUT_S = 15


class LineProcess:
    """A helper program spoken to in lines; its output is read as it comes."""

    def __init__(self, args, env=None):
        self.args = args
        self.process = subprocess.Popen(args, env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, bufsize=1)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def next_line(self, timeout=TIMEOUT_S):
        try:
            line = self.lines.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError("%s said nothing for %ss" % (self.args[0], timeout))
        if line is None:
            raise AssertionError("%s ended (exit %s)" % (self.args[0], self.process.wait()))
        return line

    def send(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()

    def stop(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()


class FocusProbe(LineProcess):
    def __init__(self, probe, env=None):
        super().__init__([probe, "watch"], env)
        self.backend = self.next_line().removeprefix("backend ")
        self.status = self.next_line()
        # What it reported, in order: the test reads them as they come.
        self.seen = []

    def next_focus(self, timeout=TIMEOUT_S):
        """The next application it reports ("" when no window has the focus)."""
        while True:
            line = self.next_line(timeout)
            if line == "focus" or line.startswith("focus "):
                self.seen.append(line[6:])
                return line[6:]

    def wait_focus(self, app_id, timeout=TIMEOUT_S):
        """Reads reports until app_id comes; fails on a timeout."""
        while True:
            if self.next_focus(timeout) == app_id:
                return

    def apps(self):
        self.send("apps")
        while True:
            line = self.next_line()
            if line.startswith("apps"):
                return [a for a in line[5:].split("\t") if a]
            if line == "focus" or line.startswith("focus "):
                self.seen.append(line[6:])


class X11Desk(LineProcess):
    def __init__(self, probe, classes, env=None, manager=True):
        """With manager, the root lists the windows and names what it supports, as a window
        manager's does; else a real window manager keeps it."""
        super().__init__([probe, "x11-desk", *classes], env)
        line = self.next_line()
        if line != "ready":
            raise AssertionError("x11-desk: %s" % line)
        if not manager:
            return
        self.command("list")
        self.command("supported", "_NET_SUPPORTED", "_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST")

    def command(self, *words):
        self.send(" ".join(words))
        answer = self.next_line()
        if answer != "ok":
            raise AssertionError("x11-desk %s: %s" % (" ".join(words), answer))

    def activate(self, class_name=None):
        self.command("activate", *([class_name] if class_name else []))


class RigWindows:
    """q7-rig-client windows (Wayland), one per app id, each shown before the next opens."""

    def __init__(self, *app_ids):
        self.processes = []
        for app_id in app_ids:
            self.open(app_id)

    def open(self, app_id):
        process = subprocess.Popen([os.environ["Q7_RIG_CLIENT"], "window", app_id],
                                   stdout=subprocess.PIPE, text=True)
        self.processes.append(process)
        if process.stdout.readline().strip() != "shown":
            raise AssertionError("the window of %s did not show" % app_id)

    def close(self):
        for process in self.processes:
            end(process)
            process.stdout.close()


def session_env(**values):
    """This process's environment without any desktop session in it, plus values."""
    env = {k: v for k, v in os.environ.items() if k not in (
        "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP",
        "KDE_FULL_SESSION", "SWAYSOCK")}
    env.update(values)
    return env
