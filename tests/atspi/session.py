"""One run of the real program for a test class: its own desktop (an X server, or with
Q7_DESKTOP=wayland a headless sway), the program against the virtual mouse, its accessible window
and traffic log; and the entry point that puts a script inside its own session and accessibility
bus.

A test script calls `main(__doc__)`; its test classes derive from `ProgramTest`. The steps reach
the desktop only through `self.desktop` (click_at, type_keys) and the helpers here, so the same
script runs on X11 and on Wayland.
"""

import os
import sys
import unittest

from desktop import WINDOW_TITLE, Program, ensure_session_bus, start_desktop, wait_for
from wire import TrafficLog

BIN_DIR = None
ROOT = None


class ProgramTest(unittest.TestCase):
    # A function-menu entry; it answers once the opening animation is over.
    ready_tab = "SENSOR"

    @classmethod
    def setUpClass(cls):
        cls.desktop = start_desktop()
        # Both need the display and the bus named first.
        import accessibles
        import pyatspi
        cls.acc = accessibles
        cls.atspi = pyatspi
        # The steps' own module takes them as globals too.
        vars(sys.modules[cls.__module__]).update(pyatspi=pyatspi, acc=accessibles)
        cls.program = Program(BIN_DIR, ROOT, cls.desktop.program_env())
        cls.traffic = TrafficLog(cls.program.log_path)
        cls.start()

    @classmethod
    def start(cls):
        cls.program.start()
        cls.window = cls.acc.Window(cls.acc.application(cls.program.process.pid), WINDOW_TITLE)
        cls.window.find(cls.atspi.ROLE_PAGE_TAB, cls.ready_tab, timeout=60)

    @classmethod
    def tearDownClass(cls):
        try:
            cls.program.stop()
        finally:
            cls.desktop.stop()

    # --- what every script's steps do --------------------------------------------------------

    def idle(self):
        self.window.gone(self.atspi.ROLE_ANIMATION, "LOADING ......", timeout=20)

    def press(self, role, name, action="press"):
        self.idle()
        self.window.press(role, name, action)

    def open_page(self, tab, probe_role, probe_name):
        """Brings a page of the function menu forward; its probe control, once usable."""
        if not self.acc.checked(self.window.find(self.atspi.ROLE_PAGE_TAB, tab)):
            self.press(self.atspi.ROLE_PAGE_TAB, tab)
        return self.window.find(probe_role, probe_name)

    def choose(self, combo, entry):
        """Picks an entry of a drop-down list, unless it shows that entry already."""
        if self.window.find(self.atspi.ROLE_COMBO_BOX, combo).description != entry:
            self.press(self.atspi.ROLE_COMBO_BOX, combo)
            wait_for(lambda: self.acc.descendants(self.window.find(self.atspi.ROLE_COMBO_BOX, combo),
                                                  self.atspi.ROLE_LIST_ITEM, entry), 10, "%s open" % combo)
            self.press(self.atspi.ROLE_LIST_ITEM, entry)
        # A list still sliding shut would take the next click meant for what lies under it.
        wait_for(lambda: self.shows_closed(self.window.find(self.atspi.ROLE_COMBO_BOX, combo), entry), 10,
                 "%s to show %s, closed" % (combo, entry))

    def shows_closed(self, box, entry):
        return box.description == entry and not self.acc.descendants(box, self.atspi.ROLE_LIST_ITEM)

    def type_into(self, field, text):
        """Clicks a text field, replaces what it holds with `text` by real key strokes, then
        Return."""
        box = self.acc.extents(field)
        self.desktop.click_at(self.window, box.x + box.width // 2, box.y + box.height // 2)
        self.desktop.type_keys(self.window, "ctrl+a", *text, "Return")

    def sets_since(self, mark, code, count=1, timeout=20):
        """Waits for `count` commands `code` sent after `mark`; returns all commands since it."""
        def enough():
            commands = self.traffic.commands(mark)
            wanted = [c for c in commands if c.code == code]
            return commands if len(wanted) >= count and wanted[-1].complete() else None
        return wait_for(enough, timeout, "command 0x%02x in the traffic log" % code)

    @staticmethod
    def last(commands, code):
        return [c for c in commands if c.code == code][-1]


def main(usage):
    """Runs the calling script's tests; its one argument is the folder of the shipped programs."""
    global BIN_DIR, ROOT
    if len(sys.argv) < 2:
        sys.exit(usage)
    ROOT = ensure_session_bus()  # runs the script again inside its own bus, same arguments
    BIN_DIR = os.path.abspath(sys.argv.pop(1))
    # pyatspi still calls the deprecated accessors of its bindings.
    unittest.main(module="__main__", verbosity=2, warnings="ignore")
