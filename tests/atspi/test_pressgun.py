#!/usr/bin/python3
"""The press-gun page of the real program, driven through AT-SPI and X input against the
virtual mouse: the recoil files it writes and the frames that reach the mouse.

    /usr/bin/python3 tests/atspi/test_pressgun.py BIN_DIR
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import ini_list, read_ini, wait_for  # noqa: E402
from session import ProgramTest, main  # noqa: E402

SET_KEY_TABLE = 0x12
SET_OPTIONS = 0x03
SET_PRESS_GUN = 0x04
GET_OPTIONS = 0x83
FIRE_KEY_HEADER = 0x0B
PRESS_GUN_ON = 0x08

# The side button the test makes a gun-switch key, so that all four key tables are sent.
GUN_SWITCH_KEY = "KEY 12"
GUN_SWITCH_BYTE = 8


def read_recoil_file(path):
    """A recoil settings file: {key: [text, …]} of its one group."""
    return {key: ini_list(text) for key, text in read_ini(path)["gunData"].items()}


class PressGunTest(ProgramTest):
    ready_tab = "PRESS GUN"

    def test_apply_saves_the_tables_and_sends_the_fire_key(self):
        # A gun-switch key makes the key page send four tables, three of them headed by the
        # fire keys' timing.
        self.open_page("KEY", pyatspi.ROLE_PUSH_BUTTON, GUN_SWITCH_KEY)
        self.press(pyatspi.ROLE_PUSH_BUTTON, GUN_SWITCH_KEY)
        self.choose("ACTION", "GUN KEY")
        self.choose("GUN KEY", "LOOP SWITCH")
        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        tables = [c for c in self.sets_since(mark, SET_KEY_TABLE) if c.code == SET_KEY_TABLE]
        self.assertEqual(tables[0].bulk[4 * 11], GUN_SWITCH_BYTE, tables[0])

        self.open_page("PRESS GUN", pyatspi.ROLE_RADIO_BUTTON, "FIRE KEY 2")
        self.press(pyatspi.ROLE_RADIO_BUTTON, "FIRE KEY 2")
        self.press(pyatspi.ROLE_RADIO_BUTTON, "PUBG")
        self.press(pyatspi.ROLE_PUSH_BUTTON, "WEAPON")
        self.press(pyatspi.ROLE_PUSH_BUTTON, "WEAPON 5")
        self.window.gone(pyatspi.ROLE_PUSH_BUTTON, "WEAPON 5")
        self.assertEqual(self.window.find(pyatspi.ROLE_PUSH_BUTTON, "WEAPON").description, "AKM")
        self.press(pyatspi.ROLE_RADIO_BUTTON, "DEFAULT VALUE 2")
        fire_time = self.window.find(pyatspi.ROLE_TEXT, "FIRE TIME")
        self.type_into(fire_time, "35")
        wait_for(lambda: acc.text(fire_time) == "35", 10, "the fire time to read 35")

        mark = self.traffic.mark()
        self.press(pyatspi.ROLE_PUSH_BUTTON, "APPLY")
        watched = (SET_KEY_TABLE, GET_OPTIONS, SET_OPTIONS, SET_PRESS_GUN)
        commands = [c for c in self.sets_since(mark, SET_PRESS_GUN) if c.code in watched]

        gun = os.path.join(self.program.folder, "modules", "gun")
        first_game = read_recoil_file(os.path.join(gun, "gunData0.bin"))
        self.assertEqual(first_game["4"], ["AKM", "3", "0", "7", "1", "1", "1"])
        self.assertEqual(first_game["0"], ["VECTOR", "0", "0", "5", "1", "1", "1"])
        self.assertEqual(len(first_game), 12)
        for game in (1, 2):
            self.assertEqual(len(read_recoil_file(os.path.join(gun, "gunData%d.bin" % game))), 12)
        fire_keys = read_recoil_file(os.path.join(gun, "selGunData.bin"))
        self.assertEqual(fire_keys["1"], ["0", "4", "35", "10"])
        self.assertEqual(fire_keys["0"], ["0", "0", "10", "10"])

        # The key tables again, then the options with the press gun on, then its setting.
        codes = [c.code for c in commands]
        self.assertEqual(codes, [SET_KEY_TABLE] * 4 + [GET_OPTIONS, SET_OPTIONS, SET_PRESS_GUN],
                         commands)
        self.assertEqual([c.frame[2] for c in commands[:4]], [1, 2, 3, 4])
        self.assertEqual(commands[0].bulk[4 * 11], GUN_SWITCH_BYTE)
        for table, fire_key in zip(commands[1:4], range(3)):
            header = table.bulk[:4]
            self.assertEqual(header[:2], bytes([FIRE_KEY_HEADER, fire_key]), table)
        self.assertEqual(commands[2].bulk[:4], bytes([FIRE_KEY_HEADER, 1, 10, 35]))
        options = commands[5]
        self.assertTrue(options.frame[5] & PRESS_GUN_ON, options)
        # A reversed wheel pulls the other way.
        y = 36 if options.frame[4] == 0 else 256 - 36
        self.assertEqual(commands[6].frame[2:7], bytes([1, 1, 0, y, 1]), commands[6])


if __name__ == "__main__":
    main(__doc__)
