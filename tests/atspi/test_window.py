#!/usr/bin/python3
"""The real program, driven through AT-SPI the way an assistive tool drives it, against the
virtual mouse; what reaches the mouse is read back from the virtual mouse's traffic log.

    /usr/bin/python3 tests/atspi/test_window.py BIN_DIR

BIN_DIR holds q7config, libq7-virtual-mouse.so and modules/. The script starts its own session
bus, accessibility bus, X server and settings folder.
"""

import glob
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import ini_list, read_ini, wait_for  # noqa: E402
from session import ProgramTest, main  # noqa: E402

# The virtual mouse's sensor (type 3): DPI value to the code it receives.
TYPE3_CODES = {600: 0x05, 800: 0x07, 1000: 0x09, 1200: 0x0B, 1600: 0x0F, 2000: 0x13, 2400: 0x17,
               2800: 0x1B, 3200: 0x1F, 3600: 0x23, 4000: 0x27, 4500: 0x2C, 5000: 0x31, 6000: 0x5D,
               7000: 0x62, 8000: 0x67, 10000: 0x71}
STAGE_OFF = 0x80

MOUSE_SCHEMA = "org/gnome/desktop/peripherals/mouse"

PRESS, RELEASE = "[按下]", "[松开]"
MACRO_TYPE, GUN_SWITCH_TYPE = 0x09, 0x08
HID_A, HID_B = 0x04, 0x05


def key_table(group):
    """A "keydefine_Q7" group as the 64 bytes of the mouse's key table."""
    return bytes(int(v) for k in range(16) for v in ini_list(group[str(k)]))


class WindowTest(ProgramTest):
    """One program run shared by the steps; each step brings the page it needs forward."""

    # --- helpers -------------------------------------------------------------------------

    def sensor_page(self):
        return self.open_page("SENSOR", pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 1")

    def colour_page(self):
        return self.open_page("COLOR", pyatspi.ROLE_CHECK_BOX, "LED POWER ON")

    def set_slider(self, name, target):
        slider = self.window.find(pyatspi.ROLE_SLIDER, name)
        for _ in range(12):
            current = int(acc.value(slider))
            if current == target:
                return
            self.idle()
            acc.act(slider, "increase" if current < target else "decrease")
        self.fail("slider %s did not reach %d" % (name, target))

    def stage_values(self):
        return [int(self.window.find(pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL %d" % i).description
                    .replace("×", "0")) for i in range(1, 9)]

    def effect_shown(self):
        return self.window.find(pyatspi.ROLE_COMBO_BOX, "EFFECTS", ready=False).description

    def led_check(self):
        return self.window.find(pyatspi.ROLE_CHECK_BOX, "LED POWER ON", ready=False)

    def led_on(self):
        if not acc.checked(self.led_check()):
            self.press(pyatspi.ROLE_CHECK_BOX, "LED POWER ON")

    def key_page(self):
        return self.open_page("KEY", pyatspi.ROLE_PUSH_BUTTON, "KEY 1")

    def macro_page(self):
        return self.open_page("MACRO", pyatspi.ROLE_PUSH_BUTTON, "NEW MACRO")

    def macro_files(self):
        return set(glob.glob(os.path.join(self.program.folder, "modules", "macro", "*.bin")))

    def factory_key_table(self):
        return key_table(read_ini(os.path.join(self.program.folder, "modules", "setting", "pD.bin"))
                         ["keydefine_Q7"])

    def switch_profile(self, label):
        self.press(pyatspi.ROLE_RADIO_BUTTON, label)
        wait_for(lambda: acc.checked(self.window.find(pyatspi.ROLE_RADIO_BUTTON, label, ready=False)), 10,
                 "%s to be current" % label)

    # --- steps ---------------------------------------------------------------------------

    def test_01_dpi_menu_choice_sends_the_codes_of_the_sensor(self):
        self.switch_profile("P01")
        self.sensor_page()
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "DPI LEVEL 3 ▼")
        self.press(pyatspi.ROLE_MENU_ITEM, "4500")
        commands = self.sets_since(mark, 0x11)
        dpi = self.last(commands, 0x11)
        self.assertEqual(dpi.frame[2:4], bytes([8, 8]), dpi)
        values = self.stage_values()
        self.assertEqual(values[2], 4500)
        expected = bytes(TYPE3_CODES.get(v, STAGE_OFF) for v in values)
        self.assertEqual(dpi.bulk[:8], expected, dpi)
        self.assertEqual(dpi.bulk[2], 0x2C)

    def test_02_apply_on_the_sensor_page(self):
        self.sensor_page()
        self.press(pyatspi.ROLE_RADIO_BUTTON, "POLLING RATE 2")
        self.set_slider("CURSOR SPEED", 7)
        self.set_slider("DOUBLE CLICK SPEED", 3)
        self.press(pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 2")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        commands = self.sets_since(mark, 0x0B)
        codes = [c.code for c in commands if c.code < 0x80]
        self.assertEqual(codes[:2], [0x01, 0x0B], commands)
        self.assertEqual(self.last(commands, 0x01).frame[2], 4)
        self.assertEqual(self.last(commands, 0x0B).frame[2], 2)
        mouse = self.program.keyfile().get(MOUSE_SCHEMA, {})
        if os.environ.get("Q7_DESKTOP") == "wayland":
            # The rig's sway answers but has no pointer of the mouse: nothing is set, nothing
            # goes to GSettings, and the page says so under the sliders.
            self.assertEqual(mouse, {})
            none = "sway lists no pointer of the mouse (04d9:a09f)"
            self.window.find(None, "Not taken by sway: cursor speed (%s); wheel lines (%s); "
                             "double-click time" % (none, none), ready=False)
            return
        self.assertAlmostEqual(float(mouse.get("speed", "nan")), 0.4, places=6)  # speed 14 of 1 … 20
        self.assertEqual(int(mouse.get("double-click", "0")), 900 - 70 * 3)
        # GNOME has no wheel lines: the page says so under the sliders.
        self.window.find(None, "Not taken by GNOME: wheel lines", ready=False)

    def test_03_colour_pick_sends_the_colour_table(self):
        self.colour_page()
        self.led_on()
        self.choose("EFFECTS", "STATIC")  # one that takes the palette
        self.press(pyatspi.ROLE_RADIO_BUTTON, "COLOR 2")
        bar = self.window.find(pyatspi.ROLE_COLOR_CHOOSER, "COLOR")
        box = acc.extents(bar)
        # 60 px into the 302 px bar: between red and yellow.
        local_x, expected = 60, (255, 152, 0)
        mark = self.traffic.mark()
        self.idle()
        self.desktop.click_at(self.window, box.x + local_x, box.y + box.height // 2)
        commands = self.sets_since(mark, 0x10)
        table = self.last(commands, 0x10)
        self.assertEqual(table.frame[2:4], bytes([0, 24]), table)
        self.assertEqual(tuple(table.bulk[3:6]), expected, table)
        fields = [acc.text(self.window.find(pyatspi.ROLE_TEXT, "COLOR " + c)) for c in "RGB"]
        self.assertEqual(tuple(int(f) for f in fields), expected)

    def apply_effect(self, name, brightness, speed):
        self.colour_page()
        self.led_on()
        self.choose("EFFECTS", name)
        self.set_slider("BRIGHTNESS", brightness)
        self.set_slider("SPEED", speed)
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        return self.last(self.sets_since(mark, 0x0D), 0x0D)

    def test_05_led_power_off_then_on_restores_the_effect(self):
        self.apply_effect("YO-YO", 5, 5)
        self.press(pyatspi.ROLE_CHECK_BOX, "LED POWER ON")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        off = self.last(self.sets_since(mark, 0x0D), 0x0D)
        self.assertEqual(off.frame[2:5], bytes([0, 0, 0]), off)

        # The page reads itself back from the device and the profile on a profile round trip.
        self.switch_profile("P02")
        self.switch_profile("P01")
        self.colour_page()
        wait_for(lambda: not acc.checked(self.led_check()), 10, "the LED switch to read back off")
        self.assertEqual(self.effect_shown(),
                         "YO-YO")

        self.press(pyatspi.ROLE_CHECK_BOX, "LED POWER ON")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        on = self.last(self.sets_since(mark, 0x0D), 0x0D)
        # YO-YO is effect 9; brightness step 5 is 185, speed step 5 gives 8.
        self.assertEqual(on.frame[2:5], bytes([9, 185, 8]), on)

    def test_06_profile_switch_reloads_both_pages(self):
        self.switch_profile("P01")
        self.sensor_page()
        self.assertEqual(self.stage_values()[2], 4500)
        mark = self.traffic.mark()
        self.switch_profile("P02")
        # The mouse keeps no profile number: the pages ask it for its sensor and its stage
        # count, and take the rest from the newly selected profile.
        codes = [c.code for c in self.sets_since(mark, 0x91)]
        self.assertIn(0x83, codes)
        self.assertNotEqual(self.stage_values()[2], 4500)
        wave = self.apply_effect("WAVE", 2, 1)
        self.assertEqual(wave.frame[2:5], bytes([5, 80, 9]), wave)

        self.switch_profile("P01")
        self.assertEqual(self.effect_shown(), "YO-YO")
        self.sensor_page()
        self.assertEqual(self.stage_values()[2], 4500)
        self.switch_profile("P02")
        self.colour_page()
        self.assertEqual(self.effect_shown(), "WAVE")
        self.switch_profile("P01")

    def test_07_changes_survive_a_restart(self):
        # A new start opens the first profile.
        self.switch_profile("P01")
        self.colour_page()
        self.press(pyatspi.ROLE_RADIO_BUTTON, "COLOR 2")
        picked = [acc.text(self.window.find(pyatspi.ROLE_TEXT, "COLOR " + c)) for c in "RGB"]
        self.idle()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "CLOSE")
        self.program.wait_ended(20)

        type(self).start()
        self.sensor_page()
        self.assertEqual(self.stage_values()[2], 4500)
        self.assertTrue(acc.checked(self.window.find(pyatspi.ROLE_RADIO_BUTTON, "POLLING RATE 2")))
        self.assertEqual(int(acc.value(self.window.find(pyatspi.ROLE_SLIDER, "CURSOR SPEED"))), 7)
        self.assertEqual(int(acc.value(self.window.find(pyatspi.ROLE_SLIDER, "DOUBLE CLICK SPEED"))), 3)
        self.assertTrue(acc.checked(self.window.find(pyatspi.ROLE_RADIO_BUTTON, "DPI LEVEL 2")))
        self.colour_page()
        self.assertTrue(acc.checked(self.led_check()))
        self.assertEqual(self.window.find(pyatspi.ROLE_COMBO_BOX, "EFFECTS").description, "YO-YO")
        self.assertEqual(int(acc.value(self.window.find(pyatspi.ROLE_SLIDER, "BRIGHTNESS"))), 5)
        self.assertEqual(int(acc.value(self.window.find(pyatspi.ROLE_SLIDER, "SPEED"))), 5)
        self.press(pyatspi.ROLE_RADIO_BUTTON, "COLOR 2")
        self.assertEqual([acc.text(self.window.find(pyatspi.ROLE_TEXT, "COLOR " + c)) for c in "RGB"], picked)

    def test_08_profile_menu_and_the_bottom_bar(self):
        self.switch_profile("P01")
        self.sensor_page()
        self.assertEqual(self.stage_values()[2], 4500)
        # The context menu opens with a right click, as a pointer user opens it.
        entry = acc.extents(self.window.find(pyatspi.ROLE_RADIO_BUTTON, "P01"))
        self.idle()
        self.desktop.click_at(self.window, entry.x + entry.width // 2, entry.y + entry.height // 2,
                               button=3)
        self.press(pyatspi.ROLE_MENU_ITEM, "RESET")
        wait_for(lambda: self.stage_values()[2] == 2400, 10, "the factory DPI stages")
        self.colour_page()
        self.assertEqual(self.effect_shown(), "BREATHING")

        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "ALL SAVE")
        commands = self.sets_since(mark, 0x0B)
        codes = [c.code for c in commands if c.code < 0x80]
        for code in (0x0D, 0x01, 0x0B):
            self.assertIn(code, codes, commands)
        # BREATHING (code 3) at the factory speed; it takes no brightness.
        self.assertEqual(self.last(commands, 0x0D).frame[2:5], bytes([3, 0, 5]))

    def test_09_typed_keys_recorded_into_a_new_macro(self):
        self.switch_profile("P01")
        self.macro_page()
        before = self.macro_files()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "NEW MACRO")
        created = wait_for(lambda: self.macro_files() - before, 10, "a new macro file")
        self.assertEqual(len(created), 1, created)
        type(self).macro_file = created.pop()
        type(self).macro_name = os.path.basename(self.macro_file)[:-len(".bin")]
        listed = self.window.find(pyatspi.ROLE_LIST_ITEM, self.macro_name)
        self.assertTrue(listed.getState().contains(pyatspi.STATE_SELECTED))

        self.press(pyatspi.ROLE_PUSH_BUTTON, "RECORD")
        self.desktop.type_keys(self.window, "a", "b")
        wait_for(lambda: len(self.window.all(pyatspi.ROLE_LIST_ITEM, "B " + RELEASE)) == 1, 10,
                 "the recorded lines")
        self.press(pyatspi.ROLE_PUSH_BUTTON, "STOP")
        saved = read_ini(self.macro_file)
        lines = [saved["macro"][str(i)].split() for i in range(int(saved["config"]["total"]))]
        self.assertEqual(lines, [["A", PRESS], ["A", RELEASE], ["B", PRESS], ["B", RELEASE]], saved)
        # Typing after STOP records nothing.
        self.desktop.type_keys(self.window, "c")
        self.assertEqual(read_ini(self.macro_file)["config"]["total"], "4")

    def test_10_macro_bound_to_a_key_reaches_the_mouse(self):
        self.key_page()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "KEY 10")
        self.choose("ACTION", "MACRO")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_LIST_ITEM, self.macro_name)
        macro = self.last(self.sets_since(mark, 0x13), 0x13)
        slot = macro.frame[2]
        self.assertEqual(slot, 1, macro)  # the lowest free slot; no macro was bound before
        self.assertEqual(macro.bulk[:2], bytes([0, 1]), macro)  # played once
        self.assertIn(HID_A, macro.bulk)
        self.assertIn(HID_B, macro.bulk)
        self.assertEqual(read_ini(self.macro_file)["config"]["index"], str(slot - 1))

        # A gun-switch key makes Apply send all four tables.
        self.press(pyatspi.ROLE_PUSH_BUTTON, "KEY 11")
        self.choose("ACTION", "GUN KEY")
        self.choose("GUN KEY", "LOOP SWITCH")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        tables = [c for c in self.sets_since(mark, 0x12, count=4) if c.code == 0x12]
        self.assertEqual([t.frame[2] for t in tables], [1, 2, 3, 4], tables)
        for table in tables:
            self.assertEqual(table.bulk[36:40], bytes([MACRO_TYPE, 0, slot, 0]), table)
        stored = key_table(read_ini(os.path.join(self.program.folder, "modules", "setting", "p1.bin"))
                           ["keydefine_Q7"])
        self.assertEqual(stored[36:40], bytes([MACRO_TYPE, 0, slot, 0]))
        self.assertEqual(stored[40], GUN_SWITCH_TYPE)

    def test_11_the_binding_survives_a_restart(self):
        self.idle()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "CLOSE")
        self.program.wait_ended(20)
        type(self).start()
        self.key_page()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "KEY 10")
        wait_for(lambda: self.window.find(pyatspi.ROLE_COMBO_BOX, "ACTION").description == "MACRO", 10,
                 "KEY 10 to show its macro")
        bound = self.window.find(pyatspi.ROLE_LIST_ITEM, self.macro_name)
        self.assertTrue(bound.getState().contains(pyatspi.STATE_SELECTED))
        self.macro_page()
        self.press(pyatspi.ROLE_LIST_ITEM, self.macro_name)
        self.assertEqual(len(self.window.all(pyatspi.ROLE_LIST_ITEM, "A " + PRESS)), 1)

    def test_12_reset_sends_the_factory_table(self):
        self.key_page()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "KEY 10")
        self.press(pyatspi.ROLE_PUSH_BUTTON, "DEFAULT")
        wait_for(lambda: self.window.find(pyatspi.ROLE_COMBO_BOX, "ACTION").description != "MACRO", 10,
                 "KEY 10 to leave its macro")
        # The unbound macro gives its slot back.
        self.assertEqual(read_ini(self.macro_file)["config"]["index"], "-1")
        self.press(pyatspi.ROLE_PUSH_BUTTON, "ALL RESET")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        table = self.last(self.sets_since(mark, 0x12), 0x12)
        self.assertEqual(table.bulk[:64], self.factory_key_table(), table)

    def test_13_controls_an_effect_does_not_use_are_disabled_for_assistive_tools(self):
        self.colour_page()
        self.led_on()
        unused = [(pyatspi.ROLE_SLIDER, "BRIGHTNESS"), (pyatspi.ROLE_RADIO_BUTTON, "COLOR 1"),
                  (pyatspi.ROLE_RADIO_BUTTON, "COLOR 8")] + [
                 (pyatspi.ROLE_TEXT, "COLOR " + c) for c in "RGB"]
        # NEON takes a speed but neither brightness nor colours.
        self.choose("EFFECTS", "NEON")
        for role, name in unused:
            wait_for(lambda: not acc.sensitive(self.window.find(role, name, ready=False)), 10,
                     "%s to be disabled" % name)
        self.assertTrue(acc.sensitive(self.window.find(pyatspi.ROLE_SLIDER, "SPEED")))
        # A press on a disabled control does nothing.
        mark = self.traffic.mark()
        acc.act(self.window.find(pyatspi.ROLE_RADIO_BUTTON, "COLOR 8", ready=False))
        self.assertFalse(acc.checked(self.window.find(pyatspi.ROLE_RADIO_BUTTON, "COLOR 8",
                                                      ready=False)))
        self.choose("EFFECTS", "STATIC")
        for role, name in unused:
            self.window.find(role, name)  # usable again
        self.assertEqual(self.traffic.commands(mark), [])


if __name__ == "__main__":
    main(__doc__)
