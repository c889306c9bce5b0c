"""One run of the real program for a test class: its own X server, the program against the
virtual mouse, its accessible window and traffic log; and the entry point that puts a script
inside its own session and accessibility bus.

A test script calls `main(__doc__)`; its test classes derive from `ProgramTest`.
"""

import os
import sys
import unittest

from desktop import Program, XServer, ensure_session_bus
from wire import TrafficLog

BIN_DIR = None
ROOT = None


class ProgramTest(unittest.TestCase):
    # A function-menu entry; it answers once the opening animation is over.
    ready_tab = "SENSOR"

    @classmethod
    def setUpClass(cls):
        cls.x = XServer()
        os.environ["DISPLAY"] = cls.x.display
        # Both need the display and the bus named first.
        import accessibles
        import pyatspi
        cls.acc = accessibles
        cls.atspi = pyatspi
        cls.program = Program(BIN_DIR, ROOT, cls.x.display)
        cls.traffic = TrafficLog(cls.program.log_path)
        cls.start()

    @classmethod
    def start(cls):
        cls.program.start()
        cls.window = cls.acc.Window(cls.acc.application(cls.program.process.pid))
        cls.window.find(cls.atspi.ROLE_PAGE_TAB, cls.ready_tab, timeout=60)

    @classmethod
    def tearDownClass(cls):
        try:
            cls.program.stop()
        finally:
            cls.x.stop()


def main(usage):
    """Runs the calling script's tests; its one argument is the folder of the shipped programs."""
    global BIN_DIR, ROOT
    if len(sys.argv) < 2:
        sys.exit(usage)
    ROOT = ensure_session_bus()  # runs the script again inside its own bus, same arguments
    BIN_DIR = os.path.abspath(sys.argv.pop(1))
    # pyatspi still calls the deprecated accessors of its bindings.
    unittest.main(module="__main__", verbosity=2, warnings="ignore")
