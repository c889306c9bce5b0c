"""A private desktop for the real program: X server, session bus with the accessibility bus,
GSettings in a keyfile, the virtual mouse preloaded, and the program in a copy of its folder.

Run under dbus-run-session (see `ensure_session_bus`); everything else is started here.
"""

import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import time


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


def wait_for(predicate, timeout, what, interval=0.1):
    """Polls until predicate() gives something true; fails with `what` after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %ss waiting for %s" % (timeout, what))
        time.sleep(interval)


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


class XServer:
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
        self.process.terminate()
        self.process.wait(timeout=10)


class Program:
    """build/bin/q7config copied beside a copy of its modules/ folder, so its files may change."""

    def __init__(self, bin_dir, root, display):
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
        self.display = display
        self.process = None

    def start(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            "QT_QPA_PLATFORM": "xcb",
            "QT_QUICK_BACKEND": "software",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "LD_PRELOAD": self.preload,
            "Q7_VIRTUAL_LOG": self.log_path,
            "Q7_VIRTUAL_STATE": self.state_path,
            # Keys come from xdotool through the X server, which a reader of /dev/input never sees.
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
        groups = {}
        group = None
        try:
            with open(path, encoding="utf-8") as f:
                for line in f:
                    line = line.strip()
                    if line.startswith("[") and line.endswith("]"):
                        group = groups.setdefault(line[1:-1], {})
                    elif "=" in line and group is not None:
                        key, value = line.split("=", 1)
                        group[key.strip()] = value.strip()
        except FileNotFoundError:
            pass
        return groups
