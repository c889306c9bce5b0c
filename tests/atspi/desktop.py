"""A private desktop for the real program: an X server or a Wayland compositor, session bus with
the accessibility bus, GSettings in a keyfile, the virtual mouse preloaded, and the program in a
copy of its folder.

Run under dbus-run-session (see `ensure_session_bus`); everything else is started here.
"""

import configparser
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wayland"))
import sway_rig  # noqa: E402
from sway_rig import wait_for  # noqa: E402,F401 (the tests take it from here)


def ensure_session_bus():
    """Re-runs this script inside its own session bus, with private runtime and config folders."""
    if os.environ.get("Q7_ATSPI_ROOT"):
        return os.environ["Q7_ATSPI_ROOT"]
    root = tempfile.mkdtemp(prefix="q7-atspi-")
    env = dict(os.environ)
    env["Q7_ATSPI_ROOT"] = root
    for name in ("runtime", "config", "home"):
        os.makedirs(os.path.join(root, name), mode=0o700)
    env["XDG_RUNTIME_DIR"] = os.path.join(root, "runtime")
    env["XDG_CONFIG_HOME"] = os.path.join(root, "config")
    env["HOME"] = os.path.join(root, "home")
    env["GSETTINGS_BACKEND"] = "keyfile"
    if env.get("Q7_DESKTOP") != "wayland":  # else the Wayland rig's, which the script uses
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    env.pop("AT_SPI_BUS_ADDRESS", None)
    args = ["dbus-run-session", "--", sys.executable] + sys.argv
    result = subprocess.run(args, env=env)
    if result.returncode == 0:
        shutil.rmtree(root, ignore_errors=True)
    else:
        print("desktop: kept %s for inspection" % root, file=sys.stderr)
    sys.exit(result.returncode)


WINDOW_TITLE = "Q7 Gaming Mouse"
SHIPPED_MODULES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data",
                               "modules")
# The modules/ folders the program writes into.
WRITTEN_FOLDERS = ["setting", "macro", "gun"]


def read_ini(path):
    """One of the program's settings files as {group: {key: text}}."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    with open(path, encoding="utf-8") as f:
        parser.read_file(f)
    return {g: dict(parser[g]) for g in parser.sections()}


def ini_list(text):
    """A list value of a settings file, as its texts."""
    return [v.strip() for v in text.split(",")]


def start_desktop():
    """The desktop the test runs on: with Q7_DESKTOP=wayland the Wayland rig the script runs in
    (tests/wayland/sway_rig.py), else an X server of its own."""
    if os.environ.get("Q7_DESKTOP") == "wayland":
        return WaylandDesktop(sway_rig.SwayRig.from_environment())
    x = XServer()
    os.environ["DISPLAY"] = x.display
    return x


class XServer:
    """Xvfb, driven with xdotool; coordinates are the screen's, as the program reports them."""

    def __init__(self, width=1280, height=800):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb ended without naming its display")
                number += chunk
        self.display = ":" + number.decode().strip()

    def stop(self):
        sway_rig.end(self.process)

    def program_env(self):
        # A GNOME session: the desktop's pointer settings go to GSettings (in the keyfile).
        return {"DISPLAY": self.display, "QT_QPA_PLATFORM": "xcb", "XDG_CURRENT_DESKTOP": "GNOME"}

    def xdotool(self, *args):
        env = {"DISPLAY": self.display, "PATH": "/usr/bin:/bin"}
        return subprocess.run(["xdotool", *args], env=env, check=True, timeout=20,
                              capture_output=True, text=True).stdout

    def click_at(self, window, x, y, button=1):
        """A real pointer click at a point of the program's accessible coordinates."""
        self.xdotool("mousemove", "--sync", str(int(x)), str(int(y)), "click", str(button))

    def type_keys(self, window, *keys):
        """Real key strokes into the program's window (xdotool's key names)."""
        found = self.xdotool("search", "--sync", "--onlyvisible", "--name", window.title).split()
        self.xdotool("windowfocus", "--sync", found[0])
        self.xdotool("key", "--delay", "40", *keys)


class WaylandDesktop:
    """A headless sway (tests/wayland/sway_rig.py), driven with the rig's virtual pointer and
    keyboard. A Wayland client never learns where its window is, so the program's accessible
    coordinates count from where it believes its window to be: clicks are moved to where sway
    shows it."""

    BUTTONS = {1: "left", 2: "middle", 3: "right"}

    def __init__(self, rig):
        self.rig = rig

    def stop(self):
        self.rig.stop()

    def program_env(self):
        return dict(self.rig.client_env(), QT_QPA_PLATFORM="wayland")

    def click_at(self, window, x, y, button=1):
        left, top = window.origin()
        shown = self.rig.view(pid=window.pid)["rect"]
        self.rig.input("move", str(int(x - left + shown[0])), str(int(y - top + shown[1])),
                       "click", self.BUTTONS[button])

    def type_keys(self, window, *keys):
        self.rig.command("[pid=%d] focus" % window.pid)
        self.rig.input(*[a for key in keys for a in ("key", key)])


class Program:
    """build/bin/q7config copied beside a copy of its modules/ folder, so its files may change."""

    def __init__(self, bin_dir, root, desktop_env):
        self.folder = os.path.join(root, "app")
        if not os.path.isdir(self.folder):
            os.makedirs(self.folder)
            shutil.copy2(os.path.join(bin_dir, "q7config"), self.folder)
            # The generated skins and sounds from the build; the files the program writes from the
            # source tree, since a hand run of the build's program may have changed them.
            built, modules = os.path.join(bin_dir, "modules"), os.path.join(self.folder, "modules")
            shutil.copytree(built, modules, ignore=lambda folder, names: WRITTEN_FOLDERS
                            if os.path.samefile(folder, built) else [])
            shutil.copytree(SHIPPED_MODULES, modules, dirs_exist_ok=True,
                            ignore=shutil.ignore_patterns(".gitkeep"))
        self.preload = os.path.join(bin_dir, "libq7-virtual-mouse.so")
        self.log_path = os.path.join(root, "traffic.jsonl")
        self.state_path = os.path.join(root, "mouse.state")
        self.output_path = os.path.join(root, "program.log")
        self.desktop_env = desktop_env
        self.process = None

    def start(self):
        env = dict(os.environ)
        env.update(self.desktop_env)
        env.update({
            "QT_QUICK_BACKEND": "software",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "LD_PRELOAD": self.preload,
            "Q7_VIRTUAL_LOG": self.log_path,
            "Q7_VIRTUAL_STATE": self.state_path,
            # Keys come through the display server (xdotool, the rig's virtual keyboard), which a
            # reader of /dev/input never sees.
            "Q7_GLOBAL_CAPTURE": "0",
        })
        self.output = open(self.output_path, "ab")
        self.process = subprocess.Popen([os.path.join(self.folder, "q7config")], cwd=self.folder,
                                        env=env, stdout=self.output, stderr=subprocess.STDOUT)

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_ended(self, timeout):
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end within %ss" % timeout)
        self.output.close()

    def stop(self):
        if self.running():
            self.process.terminate()
            self.wait_ended(10)

    def keyfile(self):
        """The desktop settings the program wrote: {group: {key: text}}."""
        path = os.path.join(os.environ["XDG_CONFIG_HOME"], "glib-2.0", "settings", "keyfile")
        return read_ini(path) if os.path.exists(path) else {}
