import QtQuick
import QtTest
import "../../resources/qml/Q7"
import "../../resources/qml/basic"
import "../../resources/qml/Q7/keydefine.js" as Keys
import "support"

// The key-definition page against the recording view.
FakeMain {
    id: _mainIten
    width: 800
    height: 420
    globalSetting_stringList: numberedStrings()

    ViewMock { id: ui_View }

    Page_Keydefine {
        id: _page
        width: 759
        height: 396
        layoutStrings: ["L", "R", "M", "F", "B", "D1", "LED", "D2", "MODE", "S1", "S2", "S3", "", "",
                        "UP", "DOWN"]
    }

    Component {
        id: _pageComponent
        Page_Keydefine { layoutStrings: _page.layoutStrings }
    }

    FindingTestCase {
        subject: _page
        name: "KeyDefinePage"
        when: windowShown

        function init() {
            ui_View.keydefine = []
            ui_View.defaults = {}
            ui_View.macros = {}
            ui_View.foolProofAnswer = true
            ui_View.captureHint = ""
            _page.initUI()
            ui_View.clear()
        }

        function select(keyId) {
            mouseClick(find("keyMarker" + keyId))
            compare(_page.keyId, keyId)
        }

        function clickMacro(index) {
            // Rows of an earlier filling linger until deleted; click where the row stands.
            var list = find("macroList")
            wait(0)
            waitForRendering(list)
            mouseClick(list, 30, 2 + list.rowHeight * index + list.rowHeight / 2)
        }

        function macroNamed(name) {
            var list = find("macroList")
            for (var i = 0; i < list.mdItems.count; ++i) {
                if (list.mdItems.get(i).textX === name)
                    return i
            }
            return -1
        }

        function test_startsOnTheFourthListedKeyAndShowsStoredRecords() {
            var stored = Keys.builtInDefaults.map(function (r) { return r.map(String) })
            stored[3] = ["0", "64", "4", "0"]
            ui_View.keydefine = stored
            var fresh = createTemporaryObject(_pageComponent, _mainIten, { visible: false })
            fresh.initUI()
            compare(fresh.keyId, 3)
            compare(fresh.shownFunction, Keys.fnCombo)
            compare(findChild(fresh, "comboModifier").defaultIndex, 7)
            compare(findChild(fresh, "comboKey1").tmpKeyString, "A")
            // Positions without a name are not offered.
            compare(findChild(fresh, "keyList").mdItems.count, 14)
            verify(!findChild(fresh, "keyMarker12"))
        }

        // Keys without a stored record take the factory profile's default; the press-gun page's
        // request sends the tables as last applied, and edits not applied stay put.
        function test_factoryDefaultsAndTheTablesSentAgain() {
            var flat = Keys.flatten(Keys.builtInDefaults)
            flat[4 * 13 + 0] = 0x04
            flat[4 * 13 + 2] = 0x01
            ui_View.defaults = { 0: flat.map(String) }
            var stored = []
            stored[11] = ["8", "0", "0", "4"]
            ui_View.keydefine = stored
            _page.initUI()
            compare(_page.model.record(13), [0x04, 0, 0x01, 0])
            _page.model.setRecord(13, [0, 0, 0x04, 0])
            _page.model.setRecord(9, [0, 0, 0x05, 0])
            _page.resetKeymatrix.apply()
            var sent = ui_View.lastCall("ui_12H_SetKeyMatrix")[0]
            compare(sent.slice(44, 48), [8, 0, 0, 4])
            compare(sent.slice(52, 56), [0x04, 0, 0x01, 0])
            compare(sent.slice(36, 40), Keys.builtInDefaults[9])
            compare(_page.model.record(9), [0, 0, 0x05, 0])
            compare(_page.model.record(11), [8, 0, 0, 4])
            _page.resetAll()
            compare(_page.model.record(13), [0x04, 0, 0x01, 0])
        }

        function test_keyboardAndApply() {
            select(9)
            find("functionMenu").setCurIndex(Keys.fnKeyboard)
            _page.chooseFunction(Keys.fnKeyboard)
            var box = find("keyboardKey")
            mouseClick(box)
            verify(box.isSelect)
            _page.detectKeyboard(true, 0x31)
            // A key without a name still goes into the record.
            compare(_page.model.record(9), [0, 0, 0x31, 0])
            mouseClick(box)
            _page.detectKeyboard(true, 0x05)
            compare(box.tmpKeyString, "B")
            mouseClick(findChild(_page, "pageApply"))
            compare(_mainIten.busyTime, 800)
            var sent = ui_View.lastCall("ui_12H_SetKeyMatrix")[0]
            compare(sent.length, 64)
            compare(sent.slice(36, 40), [0, 0, 0x05, 0])
            compare(sent.slice(0, 4), [1, 0, 0xF0, 0])
        }

        function test_lastLeftButtonQuestion() {
            select(0)
            ui_View.foolProofAnswer = false
            _page.chooseMouse(1)
            compare(ui_View.callsOf("getMsgAns_FoolProofing").length, 1)
            compare(find("mouseFunction").defaultIndex, 0)
            compare(_page.model.record(0), [1, 0, 0xF0, 0])
            // Refused from the function menu: back to MOUSE, nothing changed.
            _page.chooseFunction(Keys.fnMedia)
            compare(find("functionMenu").defaultIndex, Keys.fnMouse)
            compare(_page.shownFunction, Keys.fnMouse)
            compare(ui_View.callsOf("getMsgAns_FoolProofing").length, 2)

            // With a second left button nobody is asked.
            ui_View.clear()
            _page.model.setRecord(4, [1, 0, 0xF0, 0])
            _page.chooseMouse(1)
            compare(ui_View.callsOf("getMsgAns_FoolProofing").length, 0)
            compare(_page.model.record(0), [1, 0, 0xF1, 0])
        }

        function test_resetKeyAsksAndRestores() {
            select(1)
            _page.chooseMouse(0)
            _page.model.setRecord(0, [1, 0, 0xF2, 0])
            // Key 1 is now the only left button; its default is the right button.
            ui_View.foolProofAnswer = false
            _page.pageReset()
            compare(_page.model.record(1), [1, 0, 0xF0, 0])
            ui_View.foolProofAnswer = true
            _page.pageReset()
            compare(_page.model.record(1), [1, 0, 0xF1, 0])
        }

        function test_macroBindingTakesTheLowestFreeSlot() {
            ui_View.macros = { "a": { lines: [], index: 0, repeat: 1 }, "b": { lines: [], index: 1, repeat: 1 },
                               "c": { lines: ["x"], index: -1, repeat: 1 } }
            _page.model.setRecord(12, [9, 0, 1, 0])
            _page.model.setRecord(13, [9, 0, 2, 0])
            select(9)
            _page.chooseFunction(Keys.fnMacro)
            // The media record of key 9 is kept until a macro is chosen.
            compare(_page.model.record(9), Keys.builtInDefaults[9])
            clickMacro(macroNamed("c"))
            compare(ui_View.lastCall("setMacroIniConfig"), ["c", [2, 1]])
            compare(ui_View.lastCall("ui_13H_SetMacroKey"), [3, "c"])
            compare(_page.model.record(9), [0x09, 0x00, 0x03, 0x00])

            // Another play mode re-sends the same slot.
            mouseClick(find("playMode2"))
            compare(_page.model.record(9), [0x09, 0x02, 0x03, 0x00])
            compare(ui_View.lastCall("ui_13H_SetMacroKey"), [3, "c"])

            // Shown again later: the macro with that slot is selected.
            select(1)
            select(9)
            compare(_page.shownFunction, Keys.fnMacro)
            compare(find("macroList").currentIndex, macroNamed("c"))
            compare(find("playMode2").isSelect, true)

            // Another function frees the slot and clears the macro's binding.
            ui_View.clear()
            _page.chooseFunction(Keys.fnKeyboard)
            compare(_page.model.record(9), [0, 0, 0, 0])
            compare(ui_View.lastCall("setMacroIniConfig"), ["c", [-1, 1]])
        }

        function test_thirteenthMacroIsRefused() {
            ui_View.macros = { "m": { lines: [], index: -1, repeat: 1 } }
            for (var i = 0; i < 12; ++i)
                _page.model.setRecord(i, [9, 0, i + 1, 0])
            select(14)
            _page.chooseFunction(Keys.fnMacro)
            clickMacro(0)
            compare(_page.model.record(14), [0, 0, 0, 0])
            compare(ui_View.callsOf("ui_13H_SetMacroKey").length, 0)
            verify(find("slotsFull").visible)
        }

        function test_fireKey() {
            select(9)
            _page.chooseFunction(Keys.fnFire)
            mouseClick(find("fireByButton"))
            // No button chosen yet: nothing written.
            compare(_page.model.record(9), Keys.builtInDefaults[9])
            var button = find("fireButton")
            button.setCurIndex(1)
            button.listElementClicked(1)
            compare(_page.model.record(9), [0x0A, 0xF1, 10, 10])
            var speed = find("fireSpeed")
            mouseClick(speed, 3, speed.height / 2)
            compare(_page.model.record(9), [0x0A, 0xF1, 255, 10])
            mouseClick(find("fireByKey"))
            mouseClick(find("fireKey"))
            _page.detectKeyboard(true, 0x2C)
            compare(_page.model.record(9), [0x0A, 0x2C, 255, 10])

            _page.model.setRecord(10, [0x0A, 0xF0, 45, 7])
            select(10)
            compare(find("fireSpeed").currentIndex, 6)
            compare(find("fireTimes").inputValue, "7")
            verify(find("fireByButton").isSelect)
        }

        function test_lightingKeyShowsGunFunction() {
            select(6)
            compare(_page.shownFunction, Keys.fnGun)
            compare(find("gunOption").defaultIndex, -1)
            find("gunOption").listElementClicked(2)
            compare(_page.model.record(6), [8, 0, 1, 6])
        }

        function test_captureHint() {
            verify(!find("captureHint").visible)
            ui_View.captureHint = "only with focus"
            verify(find("captureHint").visible)
            compare(find("captureHint").text, "only with focus")
        }
    }
}
