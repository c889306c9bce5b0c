#!/usr/bin/python3
"""The running window on its own session bus, against the virtual mouse: the D-Bus interface
through gdbus and busctl, q7ctl going through the window, and what the window's pages show of
what came from outside; a resume, and the program going on without its window. What reaches the
mouse is read back from the virtual mouse's traffic log.

logind cannot run here: python3-dbusmock's logind template stands in for it, on a system bus of
the test's own (DBUS_SYSTEM_BUS_ADDRESS), and sends PrepareForSleep as logind would.

    Q7_BUS_XML=INTERFACE_XML /usr/bin/python3 tests/atspi/test_bus.py BIN_DIR

INTERFACE_XML is the interface description the build installs.
"""

import fcntl
import hashlib
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

import dbusmock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import wait_for  # noqa: E402
from session import ProgramTest, main  # noqa: E402

SET_RATE, SET_STAGE, SET_LIGHTING, SET_KEYS = 0x01, 0x0B, 0x0D, 0x12
SET_COLOURS, SET_DPIS = 0x10, 0x11
KEY_A = 0x04


def members(interface):
    """An interface element as {(kind, name): [(direction, type) or access]}."""
    found = {}
    for child in interface:
        if child.tag == "method" or child.tag == "signal":
            found[(child.tag, child.get("name"))] = [(a.get("direction", "in"), a.get("type"))
                                                     for a in child.findall("arg")]
        elif child.tag == "property":
            found[(child.tag, child.get("name"))] = [(child.get("access"), child.get("type"))]
    return found


class WindowOnBus(ProgramTest):
    """The program with q7ctl beside it and a monitor of its bus signals."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.xml = ElementTree.parse(os.environ["Q7_BUS_XML"]).getroot().find("interface")
        cls.name = cls.xml.get("name")[: -len(".Mouse")]
        cls.path = "/" + cls.name.replace(".", "/")
        # q7ctl beside the window, on the same files, bus and runtime folder.
        shutil.copy2(os.path.join(os.path.dirname(cls.program.preload), "q7ctl"), cls.program.folder)
        cls.changes = open(os.path.join(cls.program.folder, "..", "signals.log"), "w+")
        cls.monitor = subprocess.Popen(["gdbus", "monitor", "--session", "--dest", cls.name],
                                       stdout=cls.changes, stderr=subprocess.STDOUT)

    @classmethod
    def tearDownClass(cls):
        cls.monitor.terminate()
        cls.monitor.wait(timeout=10)
        super().tearDownClass()

    # --- helpers -------------------------------------------------------------------------

    def gdbus(self, method, *args, interface=None):
        result = subprocess.run(
            ["gdbus", "call", "--session", "--dest", self.name, "--object-path", self.path,
             "--method", "%s.%s" % (interface or self.xml.get("name"), method), *args],
            capture_output=True, text=True, timeout=60)
        return result.returncode, result.stdout.strip(), result.stderr.strip()

    def q7ctl(self, *args):
        env = dict(os.environ, LD_PRELOAD=self.program.preload, Q7_VIRTUAL_LOG=self.program.log_path,
                   Q7_VIRTUAL_STATE=self.program.state_path, QT_QPA_PLATFORM="offscreen")
        return subprocess.Popen([os.path.join(self.program.folder, "q7ctl"), *args], env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def run_q7ctl(self, *args):
        process = self.q7ctl(*args)
        out, err = process.communicate(timeout=60)
        return process.returncode, out.strip(), err.strip()

    def property(self, name):
        code, out, err = self.gdbus("Get", self.xml.get("name"), name,
                                    interface="org.freedesktop.DBus.Properties")
        self.assertEqual(code, 0, err)
        return out

    def checked(self, name):
        wait_for(lambda: acc.checked(self.window.find(pyatspi.ROLE_RADIO_BUTTON, name, ready=False)),
                 10, "%s to be checked" % name)

    def signals_mark(self):
        self.changes.seek(0, os.SEEK_END)
        return self.changes.tell()

    def announced(self, mark, text):
        def seen():
            self.changes.seek(mark)
            return any("PropertiesChanged" in line and text in line for line in self.changes)
        wait_for(seen, 10, "PropertiesChanged with %s" % text)


class BusTest(WindowOnBus):
    @classmethod
    def setUpClass(cls):
        dbusmock.DBusTestCase.start_system_bus()
        cls.logind_process, cls.logind = dbusmock.DBusTestCase.spawn_server_template(
            "logind", {}, stdout=subprocess.DEVNULL)
        super().setUpClass()

    @classmethod
    def tearDownClass(cls):
        try:
            super().tearDownClass()
        finally:
            cls.logind_process.terminate()
            cls.logind_process.wait(timeout=10)
            dbusmock.DBusTestCase.stop_dbus(dbusmock.DBusTestCase.system_bus_pid)

    def sleep_and_resume(self):
        for sleeping in (True, False):
            self.logind.EmitSignal("org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                                   [sleeping], dbus_interface=dbusmock.MOCK_IFACE)

    def keep_in_step(self, on):
        return self.gdbus("Call", "setRuleOption", "['\"keepInStep\"', '%s']" % on, "{}")

    def said(self, text, since):
        with open(self.program.output_path, "rb") as f:
            return text in f.read()[since:].decode(errors="replace")

    def test_01_introspection_matches_the_installed_description(self):
        served = subprocess.run(["busctl", "--user", "introspect", "--xml-interface", self.name,
                                 self.path], capture_output=True, text=True, timeout=30)
        self.assertEqual(served.returncode, 0, served.stderr)
        interfaces = {i.get("name"): i for i in ElementTree.fromstring(served.stdout).iter("interface")}
        self.assertIn(self.xml.get("name"), interfaces)
        self.assertEqual(members(interfaces[self.xml.get("name")]), members(self.xml))
        self.assertIn(self.xml.get("name"), subprocess.run(
            ["busctl", "--user", "introspect", self.name, self.path], capture_output=True,
            text=True, timeout=30).stdout)

    def test_02_methods_reach_the_mouse_and_the_pages(self):
        self.open_page("SENSOR", pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 1")
        mark = self.traffic.mark()
        self.assertEqual(self.gdbus("SetDpiStage", "3")[0], 0)
        self.assertEqual(self.last(self.sets_since(mark, SET_STAGE), SET_STAGE).frame[2], 3)
        self.checked("DPI LEVEL 3")
        self.assertEqual(self.property("DpiStage"), "(<3>,)")

        mark = self.traffic.mark()
        self.assertEqual(self.gdbus("NextDpiStage")[1], "(4,)")
        self.assertEqual(self.last(self.sets_since(mark, SET_STAGE), SET_STAGE).frame[2], 4)
        self.checked("DPI LEVEL 4")

        mark = self.traffic.mark()
        changes = self.signals_mark()
        self.assertEqual(self.gdbus("SetPollingRate", "250")[0], 0)
        self.assertEqual(self.last(self.sets_since(mark, SET_RATE), SET_RATE).frame[2], 4)
        self.checked("POLLING RATE 2")
        # Announced in hertz, as the property reads, not as the mouse's code.
        self.announced(changes, "'PollingRate': <250>")

        mark = self.traffic.mark()
        self.assertEqual(self.gdbus("SetLighting", "wave", "7", "7")[0], 0)
        # Wave is effect 5; brightness step 7 is 255, the fastest wave speed 1.
        self.assertEqual(self.last(self.sets_since(mark, SET_LIGHTING), SET_LIGHTING).frame[2:5],
                         bytes([5, 255, 1]))
        self.assertEqual(self.property("Lighting"), "(<'wave --brightness 7 --speed 7'>,)")

        mark = self.traffic.mark()
        self.assertEqual(self.gdbus("SetKey", "side-button-1", "a")[0], 0)
        table = self.last(self.sets_since(mark, SET_KEYS), SET_KEYS)
        self.assertEqual(table.bulk[9 * 4:10 * 4], bytes([0, 0, KEY_A, 0]))

        mark = self.traffic.mark()
        code, out, err = self.gdbus("Call", "ui_01H_SetReportRate", "['1']", "{}")
        self.assertEqual((code, out), (0, "('',)"), err)
        self.assertEqual(self.last(self.sets_since(mark, SET_RATE), SET_RATE).frame[2], 1)
        self.assertEqual(self.gdbus("Call", "ui_81H_GetReportRate", "[]", "{}")[1], "('1',)")

        self.assertEqual(self.gdbus("SelectProfile", "2")[0], 0)
        self.checked("P02")
        self.assertEqual(self.property("Profile"), "(<2>,)")
        self.assertEqual(self.gdbus("PreviousProfile")[1], "(1,)")
        self.checked("P01")

    def test_03_errors_are_named_and_nothing_is_sent(self):
        mark = self.traffic.mark()
        for args, error, why in [
                (("SetPollingRate", "300"), "BadArgument", "125, 250, 500, 1000"),
                (("Call", "loadProfile", "['0']", "{}"), "BadArgument", "needs a file"),
                (("SetKey", "1", "none"), "BadArgument", "no key keeps the left button"),
                (("SelectProfile", "11"), "BadArgument", "1 to 10")]:
            code, _, err = self.gdbus(*args)
            self.assertNotEqual(code, 0)
            self.assertIn("%s.Error.%s" % (self.name, error), err)
            self.assertIn(why, err)
        self.assertEqual([c for c in self.traffic.commands(mark) if c.code < 0x80], [])

    def test_04_a_change_made_in_the_window_is_announced(self):
        self.open_page("SENSOR", pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 1")
        self.press(pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 2")
        mark = self.signals_mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        self.announced(mark, "'DpiStage': <2>")
        mark = self.signals_mark()
        self.press(pyatspi.ROLE_RADIO_BUTTON, "P03")
        self.announced(mark, "'Profile': <3>")
        self.press(pyatspi.ROLE_RADIO_BUTTON, "P01")
        self.checked("P01")

    def test_05_q7ctl_goes_through_the_window(self):
        self.open_page("SENSOR", pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 1")
        self.assertEqual(self.run_q7ctl("dpi", "1")[0], 0)
        mark = self.traffic.mark()
        code, out, err = self.run_q7ctl("dpi", "next")
        self.assertEqual((code, out), (0, "2"), err)
        self.assertEqual(self.last(self.sets_since(mark, SET_STAGE), SET_STAGE).frame[2], 2)
        self.checked("DPI LEVEL 2")
        self.assertEqual(self.run_q7ctl("profile", "2")[:2], (0, "2"))
        self.checked("P02")
        self.assertEqual(self.run_q7ctl("profile")[1], "2")
        self.assertEqual(self.run_q7ctl("profile", "1")[0], 0)
        # The same exit codes as without the window.
        self.assertEqual(self.run_q7ctl("call", "ui_0BH_SetCurrentDPIStage", "9")[0], 2)
        self.assertEqual(self.run_q7ctl("rate", "300")[0], 2)
        code, out, _ = self.run_q7ctl("call", "ui_91H_GetDPISet")
        self.assertEqual(code, 0)
        self.assertEqual(self.run_q7ctl("call", "ui_11H_SetDPISet", "8",
                                        "[5,7,9,11,15,19,23,27]", out)[0], 0)

        # Two at once take their turns.
        mark = self.traffic.mark()
        both = [self.q7ctl("dpi", "next"), self.q7ctl("dpi", "next")]
        results = sorted(p.communicate(timeout=60)[0].strip() for p in both)
        self.assertEqual([p.returncode for p in both], [0, 0])
        self.assertEqual(results, ["3", "4"])
        stages = [c.frame[2] for c in self.sets_since(mark, SET_STAGE, count=2) if c.code == SET_STAGE]
        self.assertEqual(stages, [3, 4])
        self.checked("DPI LEVEL 4")

    def test_06_a_resume_sends_the_profile_again_unless_keep_in_step_is_off(self):
        # Nothing differs from what the mouse was given: only a resume sends it all again.
        mark = self.traffic.mark()
        self.sleep_and_resume()
        sent = {c.code for c in self.sets_since(mark, SET_KEYS)}
        self.assertTrue({SET_RATE, SET_DPIS, SET_STAGE, SET_COLOURS, SET_LIGHTING} <= sent, sent)

        self.assertEqual(self.keep_in_step("false")[0], 0)
        mark, said = self.traffic.mark(), os.path.getsize(self.program.output_path)
        self.sleep_and_resume()
        wait_for(lambda: self.said("Keep in step is off", said), 20, "the device check after it")
        self.assertEqual([c for c in self.traffic.commands(mark) if c.code < 0x80], [])
        self.assertEqual(self.keep_in_step("true")[0], 0)

    def test_07_closed_with_a_rule_it_runs_on_until_told_to_quit(self):
        self.assertEqual(self.gdbus("AddRule", "'some-game'", "3")[0], 0)
        said = os.path.getsize(self.program.output_path)
        self.press(pyatspi.ROLE_PUSH_BUTTON, "CLOSE")
        # No tray here: the terminal says so.
        wait_for(lambda: self.said("goes on without its window", said), 20, "the background line")
        self.assertTrue(self.program.running())
        mark = self.traffic.mark()
        self.assertEqual(self.run_q7ctl("dpi", "next")[0], 0)
        self.sets_since(mark, SET_STAGE)
        self.assertEqual(self.gdbus("RemoveRule", "'some-game'")[0], 0)
        self.assertEqual(self.run_q7ctl("quit")[0], 0)
        self.program.wait_ended(20)


class HeldMouseTest(WindowOnBus):
    """The window started while another q7ctl holds the mouse: it waits for it, and says so to
    whoever calls, until the mouse is free."""

    @classmethod
    def start(cls):
        # The lock q7ctl takes: named after the product, holder's pid and name inside.
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"],
                            "q7-device-%s.lock" % hashlib.sha1(b"Q7").hexdigest()[:16])
        cls.lock = open(path, "a+")
        fcntl.flock(cls.lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        cls.lock.truncate(0)
        cls.lock.write("%d\nq7ctl\n" % os.getpid())
        cls.lock.flush()
        cls.program.start()
        # Its scene waits for the mouse: the window is ready when it answers on the bus.
        name = ElementTree.parse(os.environ["Q7_BUS_XML"]).getroot().find("interface").get("name")
        wait_for(lambda: subprocess.run(["gdbus", "wait", "--session", "--timeout", "1",
                                         name[: -len(".Mouse")]],
                                        capture_output=True).returncode == 0,
                 30, "the window on the bus")

    @classmethod
    def tearDownClass(cls):
        cls.lock.close()
        super().tearDownClass()

    def test_busy_until_the_other_q7ctl_lets_go(self):
        mark = self.traffic.mark()
        code, _, err = self.gdbus("NextDpiStage")
        self.assertNotEqual(code, 0)
        self.assertIn("%s.Error.DeviceBusy" % self.name, err)
        self.assertIn("in use by q7ctl (pid %d)" % os.getpid(), err)
        code, _, err = self.run_q7ctl("dpi", "next")
        self.assertEqual(code, 4, err)
        self.assertIn("in use by q7ctl (pid %d)" % os.getpid(), err)
        self.assertEqual([c for c in self.traffic.commands(mark) if c.code < 0x80], [])
        self.lock.close()
        wait_for(lambda: self.gdbus("SetDpiStage", "2")[0] == 0, 20, "the window to take the mouse")
        self.assertEqual(self.run_q7ctl("dpi")[:2], (0, "2"))


if __name__ == "__main__":
    main(__doc__)
