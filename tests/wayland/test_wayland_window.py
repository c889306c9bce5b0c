#!/usr/bin/python3
"""The real program on the Wayland rig (a headless sway) against the virtual mouse: it starts
natively with its translucent frame, moves with a drag, comes forward at a second start, and the
keys typed into it reach the scene, also after the busy lock.

    sway_rig.py RIG_CLIENT -- /usr/bin/python3 tests/wayland/test_wayland_window.py BIN_DIR

(CTest runs it so, through q7_wayland_test.) The script starts its own session bus and settings
folder.
"""

import os
import re
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "atspi"))

from desktop import Program, ensure_session_bus, wait_for  # noqa: E402
from sway_rig import BACKGROUND, SwayRig  # noqa: E402
from wire import TrafficLog  # noqa: E402

APP_ID = "org.example.q7config"
OTHER_APP_ID = "q7.rig.other"
SIZE = (1000, 600)
# Points of the window, in its own pixels: the empty frame a drag starts from (no page is open
# after the start), the bottom bar's ALL SAVE, and a pixel of the frame's top bar.
DRAG_FROM = (600, 300)
ALL_SAVE = (503, 572)
FRAME_PIXEL = (500, 20)
# The second start asks a running window and ends; Qt's start-up takes most of it.
SECOND_START_LIMIT_S = 1.0

BIN_DIR = None
ROOT = None


def read_ppm(path):
    """A binary PPM as (width, height, pixel(x, y) -> (r, g, b), the pixel bytes)."""
    with open(path, "rb") as f:
        data = f.read()
    fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(fields.group(1)), int(fields.group(2))
    pixels = data[fields.end():]

    def pixel(x, y):
        i = 3 * (y * width + x)
        return tuple(pixels[i:i + 3])
    return width, height, pixel, pixels


class WaylandWindowTest(unittest.TestCase):
    """One program run shared by the steps, in order."""

    @classmethod
    def setUpClass(cls):
        cls.rig = SwayRig.from_environment()
        cls.program = Program(BIN_DIR, ROOT, {"QT_LOGGING_RULES": "q7.input.debug=true"})
        cls.traffic = TrafficLog(cls.program.log_path)
        cls.program.start()
        cls.view = cls.rig.view(pid=cls.program.process.pid)

    @classmethod
    def tearDownClass(cls):
        cls.program.stop()

    # --- helpers -----------------------------------------------------------------------------

    def shown(self):
        """Where sway shows the program's window now: (x, y, width, height)."""
        return self.rig.view(pid=self.program.process.pid)["rect"]

    def on_screen(self, point):
        x, y = self.shown()[:2]
        return str(x + point[0]), str(y + point[1])

    def window_pixels(self, name):
        path = os.path.join(ROOT, name + ".ppm")
        self.rig.screenshot(path, self.shown())
        return read_ppm(path)

    def reports_since(self, mark):
        """The key and button reports the program logged after byte `mark` of its output."""
        with open(self.program.output_path, "rb") as f:
            f.seek(mark)
            text = f.read().decode(errors="replace")
        return re.findall(r"^q7\.input: ((?:key|button) .*)$", text, re.MULTILINE)

    def output_mark(self):
        return os.path.getsize(self.program.output_path)

    def focus_other_window(self):
        self.rig.command('[app_id="%s"] focus' % OTHER_APP_ID)
        wait_for(lambda: (self.rig.focused() or {}).get("app_id") == OTHER_APP_ID, 10,
                 "the other window to have the focus")

    # --- steps -------------------------------------------------------------------------------

    def test_01_starts_natively_with_its_translucent_frame(self):
        self.assertEqual(self.view["app_id"], APP_ID, self.view)
        self.assertEqual(self.view["shell"], "xdg_shell", "not a native Wayland window")
        self.assertEqual(self.view["rect"][2:], SIZE)

        # Drawn once the opening animation is over (two pictures alike); the frame covers the
        # desktop, except at its cut corners.
        inside = [FRAME_PIXEL, DRAG_FROM, ALL_SAVE, (SIZE[0] // 2, SIZE[1] - 3)]
        previous = [None]

        def drawn():
            picture = self.window_pixels("window")
            still = picture[3] == previous[0]
            previous[0] = picture[3]
            return picture[2] if still and all(picture[2](*p) != BACKGROUND for p in inside) else None
        pixel = wait_for(drawn, 30, "the frame to be drawn", interval=0.3)
        self.rig.screenshot(os.path.join(ROOT, "window.png"))
        for corner in [(0, 0), (SIZE[0] - 1, 0), (0, SIZE[1] - 1), (SIZE[0] - 1, SIZE[1] - 1)]:
            self.assertEqual(pixel(*corner), BACKGROUND, "corner %s is not transparent" % (corner,))

        # Drawn in software, with sway decorating windows: nothing started an OpenGL driver (Mesa
        # and LLVM, about 50 MiB) to ask about decorations.
        with open("/proc/%d/maps" % self.program.process.pid) as maps:
            drivers = {line.split()[-1] for line in maps
                       if re.search(r"_dri\.so|libLLVM|libgallium|libEGL_mesa", line)}
        self.assertEqual(sorted(drivers), [])

    def test_02_a_drag_on_the_frame_moves_the_window(self):
        before = self.shown()
        # A hand rests a moment between pressing and moving; the move starts at the press.
        self.rig.input("move", *self.on_screen(DRAG_FROM), "press", "wait", "150",
                       "moveby", "120", "-45", "release")
        after = wait_for(lambda: self.shown() if self.shown() != before else None, 10,
                         "the window to move")
        self.assertEqual(after[:2], (before[0] + 120, before[1] - 45))
        self.assertEqual(after[2:], SIZE)

    def test_03_typed_keys_reach_the_scene_also_after_the_busy_lock(self):
        self.rig.command("[pid=%d] focus" % self.program.process.pid)
        mark = self.output_mark()
        keys = ["a", "KP_Enter", "Return", "Pause", "Num_Lock", "backslash"]
        self.rig.input(*[a for key in keys for a in ("key", key)])
        expected = ["key 0x04 down", "key 0x04 up", "key 0x58 down", "key 0x58 up",
                    "key 0x28 down", "key 0x28 up", "key 0x48 down", "key 0x48 up",
                    "key 0x53 down", "key 0x53 up", "key 0x31 down", "key 0x31 up"]
        wait_for(lambda: len(self.reports_since(mark)) >= len(expected), 10, "the key reports")
        self.assertEqual(self.reports_since(mark), expected)

        # ALL SAVE locks the scene for two seconds (and sends the settings); the keyboard focus
        # must come back to the scene when it unlocks.
        commands = self.traffic.mark()
        self.rig.input("move", *self.on_screen(ALL_SAVE), "click")
        wait_for(lambda: self.traffic.commands(commands), 10, "ALL SAVE to send the settings")
        mark = self.output_mark()

        def b_reported():
            self.rig.input("key", "b")
            return "key 0x05 down" in self.reports_since(mark)
        wait_for(b_reported, 15, "keys to reach the scene after the busy lock", interval=0.5)

    def second_start(self, extra_env):
        env = dict(os.environ)
        env.update(self.program.desktop_env)
        env.update({"LD_PRELOAD": self.program.preload, "Q7_VIRTUAL_STATE": self.program.state_path,
                    "QT_QUICK_BACKEND": "software"})
        env.update(extra_env)
        started = time.monotonic()
        second = subprocess.run([os.path.join(self.program.folder, "q7config")],
                                cwd=self.program.folder, env=env, capture_output=True, timeout=30)
        return second, time.monotonic() - started

    def test_04_a_second_start_brings_the_window_forward(self):
        other = subprocess.Popen([self.rig.rig_client, "window", OTHER_APP_ID],
                                 stdout=subprocess.PIPE, text=True)
        try:
            self.assertEqual(other.stdout.readline().strip(), "shown")
            tokens = {
                # What the compositor gives the second start when no launcher gave it a token.
                "asked of the compositor": {},
                # What a launcher hands the program it starts.
                "from the launcher": {"XDG_ACTIVATION_TOKEN": subprocess.run(
                    [self.rig.rig_client, "token", APP_ID], check=True, capture_output=True,
                    text=True).stdout.strip()},
            }
            for case, env in tokens.items():
                with self.subTest(case):
                    self.focus_other_window()
                    second, elapsed = self.second_start(env)
                    self.assertEqual(second.returncode, 0, second.stderr)
                    self.assertLess(elapsed, SECOND_START_LIMIT_S, "the second start took %.2fs" % elapsed)
                    wait_for(lambda: (self.rig.focused() or {}).get("pid") ==
                             self.program.process.pid, 10, "the first window to have the focus")
            self.assertEqual(len(self.rig.views()), 2, "a second start left a window")
        finally:
            other.terminate()
            other.wait()

    def test_05_qt_qpa_platform_still_decides(self):
        root = os.path.join(ROOT, "xcb")
        runtime = os.path.join(root, "runtime")
        os.makedirs(runtime, mode=0o700)
        # A runtime folder of its own, or it would raise the first window and end.
        program = Program(BIN_DIR, root, {"QT_QPA_PLATFORM": "xcb", "XDG_RUNTIME_DIR": runtime})
        program.start()
        try:
            self.assertEqual(self.rig.view(pid=program.process.pid)["shell"], "xwayland")
        finally:
            program.stop()


def main():
    global BIN_DIR, ROOT
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    # The session the rig gives, not the offscreen platform the other tests run with.
    os.environ.pop("QT_QPA_PLATFORM", None)
    os.environ["Q7_DESKTOP"] = "wayland"
    ROOT = ensure_session_bus()  # runs the script again inside its own bus, same arguments
    BIN_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main(module="__main__", verbosity=2, warnings="ignore")


if __name__ == "__main__":
    main()
