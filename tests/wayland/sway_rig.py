#!/usr/bin/python3
"""The Wayland rig: a headless sway for tests, a real wlroots compositor with one 1280x800
output, no input devices but the rig client's, and XWayland on demand.

    sway_rig.py RIG_CLIENT -- COMMAND [ARG...]

runs the command with the rig's client_env() (CTest's q7_wayland_test); when sway cannot start it
exits with SKIP (77), or fails with CI=true, where a skipped rig must not pass. A test inside it
takes SwayRig.from_environment().

sway refuses to run as root: when the tests run as root (as CI does) it runs as "nobody", in a
runtime folder of its own; clients running as root reach its sockets all the same.
"""

import json
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
OUTPUT_SIZE = (1280, 800)
# Where nothing is drawn: what shows through a transparent window.
BACKGROUND = (0x20, 0x40, 0x60)
START_TIMEOUT_S = 15

CONFIG = """\
output * resolution {w}x{h} position 0 0 bg #{bg} solid_color
# An activation request (xdg-activation) focuses the window, as on desktops that honour tokens;
# sway's default only marks it urgent.
focus_on_window_activation focus
xwayland enable
""".format(w=OUTPUT_SIZE[0], h=OUTPUT_SIZE[1], bg="%02x%02x%02x" % BACKGROUND)


class RigUnavailable(Exception):
    """sway could not start here; the message says why."""


def skip_or_fail(reason):
    """Ends the process: skipped, or failed under CI, where the rig must run."""
    rig = os.path.basename(sys.argv[0]).removesuffix(".py")
    if os.environ.get("CI") == "true":
        print("%s: FAILED: the Wayland rig cannot start (%s); CI must run it" % (rig, reason),
              file=sys.stderr)
        sys.exit(1)
    print("%s: SKIPPED: the Wayland rig cannot start (%s)" % (rig, reason), file=sys.stderr)
    sys.exit(SKIP)


def log_tail(path):
    """The last lines of a compositor's log, for a message that says why it did not start."""
    try:
        with open(path, errors="replace") as f:
            return " | ".join(f.read().strip().splitlines()[-3:])
    except OSError:
        return "(no log)"


def run_in_rig(rig, argv):
    """What a rig's wrapper does: starts the rig, runs the command after "--" with the rig's
    client_env (a None value unsets that variable), stops the rig, and exits as the command did;
    skips (or fails under CI) when the rig cannot start."""
    if len(argv) < 4 or argv[2] != "--":
        sys.exit("usage: %s RIG_CLIENT -- COMMAND [ARG...]" % os.path.basename(argv[0]))
    try:
        rig.start()
    except RigUnavailable as e:
        skip_or_fail(str(e))
    try:
        env = dict(os.environ, **rig.client_env())
        env = {k: v for k, v in env.items() if v is not None}
        return subprocess.run(argv[3:], env=env).returncode
    finally:
        rig.stop()


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


def end(process, timeout=10):
    """Terminates a process the rig started, killing it when it lingers, and reaps it."""
    if process and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def start_logged(name, args, log_path, ready, timeout, **popen):
    """Starts a rig's server writing to log_path and waits for ready(); RigUnavailable says why
    it did not come up (the server is ended then)."""
    with open(log_path, "ab") as log:
        try:
            process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT, start_new_session=True, **popen)
        except OSError as e:
            raise RigUnavailable(str(e))

    def up():
        if process.poll() is not None:
            raise RigUnavailable("%s ended at once: %s" % (name, log_tail(log_path)))
        return ready()
    try:
        wait_for(up, timeout, name)
    except AssertionError:
        end(process)
        raise RigUnavailable("%s did not come up: %s" % (name, log_tail(log_path)))
    except RigUnavailable:
        end(process)
        raise
    return process


class SwayRig:
    def __init__(self, rig_client=None):
        self.rig_client = rig_client
        # Whether this object started sway (and stops it).
        self.owned = False
        self.process = None
        self.folder = None
        self.runtime = None
        self.sock = None
        self.wayland = None
        self._display = None
        self.user = None

    # --- life --------------------------------------------------------------------------------

    @classmethod
    def from_environment(cls):
        """The rig the wrapper started for this process."""
        if not os.environ.get("SWAYSOCK") or not os.environ.get("WAYLAND_DISPLAY"):
            raise RigUnavailable("not inside the Wayland rig (run through sway_rig.py)")
        rig = cls(os.environ.get("Q7_RIG_CLIENT"))
        rig.sock = os.environ["SWAYSOCK"]
        rig.wayland = os.environ["WAYLAND_DISPLAY"]
        rig._display = os.environ.get("DISPLAY", "")
        return rig

    def start(self):
        sway = shutil.which("sway")
        if not sway:
            raise RigUnavailable("sway is not installed (./dev installs it)")
        user = None
        if os.geteuid() == 0:
            user = self.user = pwd.getpwnam("nobody")
            # XWayland puts its socket there; made as root, so other X servers keep trusting it.
            os.makedirs("/tmp/.X11-unix", exist_ok=True)
            os.chmod("/tmp/.X11-unix", 0o1777)
        self.owned = True
        self.folder = tempfile.mkdtemp(prefix="q7-sway-")
        os.chmod(self.folder, 0o755)
        self.runtime = os.path.join(self.folder, "run")
        os.mkdir(self.runtime, 0o700)
        config = os.path.join(self.folder, "config")
        with open(config, "w") as f:
            f.write(CONFIG)
        os.chmod(config, 0o644)
        if user:
            os.chown(self.runtime, user.pw_uid, user.pw_gid)
        env = {
            "PATH": "/usr/bin:/bin",
            "HOME": self.runtime,
            "XDG_RUNTIME_DIR": self.runtime,
            "WLR_BACKENDS": "headless",
            "WLR_LIBINPUT_NO_DEVICES": "1",
            "WLR_RENDERER": "pixman",
            "WLR_HEADLESS_OUTPUTS": "1",
        }
        try:
            self.process = start_logged(
                "sway", [sway, "--config", config], os.path.join(self.folder, "sway.log"),
                self._ready, START_TIMEOUT_S, env=env, cwd=self.folder,
                user=user.pw_uid if user else None, group=user.pw_gid if user else None,
                extra_groups=[] if user else None)
        except RigUnavailable:
            self.stop()
            raise

    def _ready(self):
        names = os.listdir(self.runtime)
        socks = [n for n in names if n.startswith("sway-ipc.") and n.endswith(".sock")]
        waylands = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        if not socks or not waylands:
            return False
        self.sock = os.path.join(self.runtime, socks[0])
        self.wayland = os.path.join(self.runtime, waylands[0])
        return self._msg("-t", "get_outputs", check=False) is not None

    def stop(self):
        if not self.owned:
            return
        if self.process:
            # sway ends what it started (swaybg, XWayland); what outlives it is in its group.
            end(self.process)
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None

    # --- what clients need -------------------------------------------------------------------

    def client_env(self):
        """What a client of this compositor needs in its environment, as a session gives it."""
        env = {"WAYLAND_DISPLAY": self.wayland, "SWAYSOCK": self.sock,
               "XDG_SESSION_TYPE": "wayland", "XDG_CURRENT_DESKTOP": "sway"}
        if self.display():
            env["DISPLAY"] = self.display()
        if self.rig_client:
            env["Q7_RIG_CLIENT"] = self.rig_client
        return env

    def display(self):
        """XWayland's display, started on demand by sway; it tells only its own children. Where
        sway runs as another user, XWayland is told to let this user's clients in."""
        if self._display is None:
            out = os.path.join(self.runtime, "display")
            admit = ""
            if self.user:
                admit = " && xhost +si:localuser:%s >/dev/null" % pwd.getpwuid(os.geteuid()).pw_name
            self._msg("exec", 'printf %s "$DISPLAY" > ' + out + ".part" + admit + " && mv " + out
                      + ".part " + out)
            self._display = wait_for(lambda: os.path.exists(out) and open(out).read(), 10,
                                     "sway to name XWayland's display")
        return self._display

    def _msg(self, *args, check=True):
        result = subprocess.run(["swaymsg", "--socket", self.sock, "--raw", *args],
                                capture_output=True, text=True, timeout=10)
        if result.returncode != 0:
            if check:
                raise AssertionError("swaymsg %s: %s" % (" ".join(args), result.stderr.strip()))
            return None
        return json.loads(result.stdout) if result.stdout.strip() else None

    def command(self, text):
        """A sway command, such as "[pid=123] focus"."""
        for reply in self._msg(text):
            if not reply.get("success"):
                raise AssertionError("sway refused %r: %s" % (text, reply.get("error")))

    # --- the tree ----------------------------------------------------------------------------

    def views(self):
        """Every window: dicts with app_id, pid, shell ("xdg_shell" or "xwayland"), name,
        focused and rect (where its content starts on the output, and its size)."""
        found = []

        def walk(node):
            if node.get("pid"):
                rect, inner = node["rect"], node["window_rect"]
                found.append({
                    "app_id": node.get("app_id"), "pid": node["pid"], "shell": node.get("shell"),
                    "name": node.get("name"), "focused": node.get("focused"),
                    "rect": (rect["x"] + inner["x"], rect["y"] + inner["y"], inner["width"],
                             inner["height"]),
                })
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)
        walk(self._msg("-t", "get_tree"))
        return found

    def view(self, pid=None, app_id=None, timeout=30):
        """The one window of that process (or app id), once it is mapped."""
        def look():
            hits = [v for v in self.views() if (pid is None or v["pid"] == pid)
                    and (app_id is None or v["app_id"] == app_id)]
            return hits[0] if hits and hits[0]["rect"][2] > 0 else None
        return wait_for(look, timeout, "a window of pid %s app id %s" % (pid, app_id))

    def focused(self):
        hits = [v for v in self.views() if v["focused"]]
        return hits[0] if hits else None

    # --- input and output --------------------------------------------------------------------

    def input(self, *actions):
        """Input through q7-rig-client's virtual pointer and keyboard (see its usage)."""
        if not self.rig_client:
            raise AssertionError("no rig client was given")
        env = dict(os.environ, WAYLAND_DISPLAY=self.wayland)
        subprocess.run([self.rig_client, "input", *actions], env=env, check=True, timeout=60)

    def screenshot(self, path, region=None):
        """The output (or the region (x, y, width, height) of it) as grim takes it: PNG, or PPM
        when the path ends in .ppm."""
        args = ["grim", "-t", "ppm" if path.endswith(".ppm") else "png"]
        if region:
            args += ["-g", "%d,%d %dx%d" % tuple(region)]
        env = dict(os.environ, WAYLAND_DISPLAY=self.wayland)
        subprocess.run(args + [path], env=env, check=True, timeout=30)
        return path


if __name__ == "__main__":
    sys.exit(run_in_rig(SwayRig(rig_client=sys.argv[1] if len(sys.argv) > 1 else None), sys.argv))
