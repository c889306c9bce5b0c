#!/usr/bin/python3
"""The KDE rig: KWin's own Wayland compositor, headless (kwin_wayland --virtual), on a session bus
of its own, with its /Scripting interface. No input devices, no XWayland, no Plasma shell.

    kwin_rig.py RIG_CLIENT -- COMMAND [ARG...]

runs the command with the rig's client_env() (CTest's q7_kwin_test), as sway_rig.py does. A test
inside it takes KWinRig.from_environment().

Two workarounds make KWin start in a container: its binary carries the file capability
cap_sys_resource, which a container without it refuses to execute, so the rig runs a copy (still
named kwin_wayland, which KWin checks); and KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 lets clients use
its privileged interfaces without a desktop file that grants them.
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sway_rig import RigUnavailable, end, log_tail, run_in_rig, start_logged, wait_for  # noqa: E402

START_TIMEOUT_S = 30
SCRIPT_NAME = "q7-rig-script"


class KWinRig:
    def __init__(self, rig_client=None):
        self.rig_client = rig_client
        self.owned = False
        self.folder = None
        self.bus = None
        self.bus_address = None
        self.process = None
        self.wayland = None
        self.scripts_run = 0

    @classmethod
    def from_environment(cls):
        """The rig the wrapper started for this process."""
        if not os.environ.get("Q7_KWIN_RIG") or not os.environ.get("WAYLAND_DISPLAY"):
            raise RigUnavailable("not inside the KDE rig (run through kwin_rig.py)")
        rig = cls(os.environ.get("Q7_RIG_CLIENT"))
        rig.folder = os.environ["Q7_KWIN_RIG"]
        rig.wayland = os.environ["WAYLAND_DISPLAY"]
        rig.bus_address = os.environ["DBUS_SESSION_BUS_ADDRESS"]
        return rig

    def start(self):
        kwin = shutil.which("kwin_wayland")
        if not kwin:
            raise RigUnavailable("kwin_wayland is not installed (./dev installs kwin-wayland)")
        self.owned = True
        self.folder = tempfile.mkdtemp(prefix="q7-kwin-")
        for name in ("run", "home", "bin"):
            os.mkdir(os.path.join(self.folder, name), 0o700)
        shutil.copy(kwin, os.path.join(self.folder, "bin"))  # contents and mode, no capability
        self.wayland = os.path.join(self.folder, "run", "wayland-q7")
        try:
            self.bus = start_logged(
                "dbus-daemon", ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                "--address=unix:path=" + os.path.join(self.folder, "bus")],
                self._log_path(), lambda: os.path.exists(os.path.join(self.folder, "bus")),
                START_TIMEOUT_S, env=self._env())
            self.bus_address = "unix:path=" + os.path.join(self.folder, "bus")
            self._start_kwin()
        except RigUnavailable:
            self.stop()
            raise

    def _log_path(self):
        return os.path.join(self.folder, "kwin.log")

    def _env(self):
        home = os.path.join(self.folder, "home")
        env = {"PATH": "/usr/bin:/bin", "HOME": home, "XDG_CONFIG_HOME": home + "/.config",
               "XDG_RUNTIME_DIR": os.path.join(self.folder, "run")}
        if self.bus_address:
            env.update({"DBUS_SESSION_BUS_ADDRESS": self.bus_address,
                        "KWIN_WAYLAND_NO_PERMISSION_CHECKS": "1",
                        "XDG_CURRENT_DESKTOP": "KDE", "KDE_FULL_SESSION": "true"})
        return env

    def _start_kwin(self):
        self.process = start_logged(
            "kwin_wayland", [os.path.join(self.folder, "bin", "kwin_wayland"), "--virtual",
                             "--no-lockscreen", "--socket", os.path.basename(self.wayland)],
            self._log_path(), self._ready, START_TIMEOUT_S, env=self._env(), cwd=self.folder)

    def _ready(self):
        return os.path.exists(self.wayland) and self._call(
            "/Scripting", "org.freedesktop.DBus.Peer.Ping", check=False) is not None

    def restart_kwin(self):
        """Ends KWin and starts another on the same bus and socket, as after a crash (its
        clients lose their windows). This object ends the new one in stop()."""
        pid = self._bus_call("org.freedesktop.DBus", "/",
                             "org.freedesktop.DBus.GetConnectionUnixProcessID", "org.kde.KWin")
        os.kill(int(pid.strip("(),").split()[-1]), signal.SIGTERM)
        wait_for(lambda: "false" in self._bus_call(
            "org.freedesktop.DBus", "/", "org.freedesktop.DBus.NameHasOwner", "org.kde.KWin"),
            10, "KWin to leave the bus")
        self._start_kwin()

    def stop(self):
        """Ends what this object started: everything, or (inside the wrapper) a restarted KWin."""
        end(self.process)
        if self.owned:
            end(self.bus)
        if self.owned and self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None

    # --- what clients need -------------------------------------------------------------------

    def client_env(self):
        """What a client of this KWin needs in its environment, as a Plasma session gives it
        (None: not set there)."""
        env = {"WAYLAND_DISPLAY": self.wayland, "DBUS_SESSION_BUS_ADDRESS": self.bus_address,
               "XDG_SESSION_TYPE": "wayland", "XDG_CURRENT_DESKTOP": "KDE",
               "KDE_FULL_SESSION": "true", "Q7_KWIN_RIG": self.folder,
               "XDG_RUNTIME_DIR": os.path.join(self.folder, "run"),
               "DISPLAY": None, "SWAYSOCK": None}
        if self.rig_client:
            env["Q7_RIG_CLIENT"] = self.rig_client
        return env

    def _call(self, path, method, *args, check=True):
        return self._bus_call("org.kde.KWin", path, method, *args, check=check)

    def _bus_call(self, destination, path, method, *args, check=True):
        result = subprocess.run(
            ["gdbus", "call", "--session", "--dest", destination, "--object-path", path,
             "--method", method, *args],
            env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.bus_address),
            capture_output=True, text=True, timeout=20)
        if result.returncode != 0:
            if check:
                raise AssertionError("%s %s: %s" % (destination, method, result.stderr.strip()))
            return None
        return result.stdout.strip()

    def run_script(self, text):
        """Runs a KWin script once (Plasma 5 and 6 alike) and unloads it once it has run: KWin
        reads the file in the background after `start`, and unloading before that drops it."""
        self.scripts_run += 1
        done = "q7-rig-script %d.%d done" % (os.getpid(), self.scripts_run)
        path = os.path.join(self.folder, "rig-script.js")
        with open(path, "w") as f:
            f.write("%s\nprint(%s);\n" % (text, json.dumps(done)))
        scripting = "org.kde.kwin.Scripting."
        self._call("/Scripting", scripting + "unloadScript", SCRIPT_NAME)
        loaded = self._call("/Scripting", scripting + "loadScript", path, SCRIPT_NAME)
        if loaded.strip("(),").strip() == "-1":
            raise AssertionError("KWin did not load the rig's script: " + log_tail(self._log_path()))
        self._call("/Scripting", scripting + "start")
        wait_for(lambda: ("js: %s\n" % done) in self._log(), 20,
                 "KWin to run the rig's script: " + log_tail(self._log_path()))
        self._call("/Scripting", scripting + "unloadScript", SCRIPT_NAME)

    def _log(self):
        with open(self._log_path(), "rb") as f:
            return f.read().decode(errors="replace")

    def activate(self, app_id):
        """KWin activates the window whose application (resourceClass) is app_id."""
        self.run_script("""
const plasma6 = workspace.windowActivated !== undefined;
const windows = plasma6 ? workspace.windowList() : workspace.clientList();
let found = false;
for (let i = 0; i < windows.length; ++i) {
    if (String(windows[i].resourceClass) === %s) {
        if (plasma6)
            workspace.activeWindow = windows[i];
        else
            workspace.activeClient = windows[i];
        found = true;
    }
}
if (!found)
    throw new Error("no window of " + %s);
""" % ((json.dumps(app_id),) * 2))


if __name__ == "__main__":
    sys.exit(run_in_rig(KWinRig(rig_client=sys.argv[1] if len(sys.argv) > 1 else None), sys.argv))
