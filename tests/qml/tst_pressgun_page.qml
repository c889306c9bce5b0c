import QtQuick
import QtTest
import "../../resources/qml/Q7"
import "support"

// The press-gun page against the recording view.
FakeMain {
    id: _mainIten
    width: 800
    height: 420
    globalSetting_stringList: {
        var list = numberedStrings()
        list[93] = "FIRE KEY"
        list[129] = ""
        list[136] = "DEFAULT VALUE 2"
        return list
    }

    ViewMock { id: ui_View }

    Page_pressGun {
        id: _page
        width: 759
        height: 396
        // The frame answers by sending the key tables again; here it is one more recorded call.
        onResetKeyMatrix: ui_View.record("resetKeyMatrix", [])
    }

    FindingTestCase {
        subject: _page
        name: "PressGunPage"
        when: windowShown

        function callNames() {
            return ui_View.calls.map(function (c) { return c.name })
        }

        // A recoil file as the settings file hands it back: the factory values, all text.
        function table(names) {
            var out = []
            for (var i = 0; i < 12; ++i)
                out.push(names[i] || "", String(Math.min(i, 3)), "0", String(i < 3 ? 5 + i : 7), "1",
                         "1", "1")
            return out
        }

        function type(field, text) {
            var input = findChild(field, "valueText") || findChild(field, "nameText")
            mouseClick(field)
            verify(input.activeFocus)
            input.selectAll()
            text.split("").forEach(function (c) { keyClick(c) })
            keyClick(Qt.Key_Return)
        }

        function chooseWeapon(i) {
            mouseClick(find("weaponPicture"))
            verify(find("weaponGrid").visible)
            mouseClick(find("weapon" + i))
            verify(!find("weaponGrid").visible)
        }

        function init() {
            var last = []
            last[11] = "LAST"
            ui_View.gunData = { 0: table(["VECTOR", "MICRO", "TMX", "UNP9", "AKM"]), 1: table([]),
                                2: table(last) }
            ui_View.selGunData = { 0: ["2", "11", "20", "30"], 1: ["0", "0", "10", "10"],
                                   2: ["1", "3", "250", "100"] }
            _page.initUI()
            _page.translateStrings()
            _page.preset = 0
            ui_View.clear()
            _mainIten.busyTime = 0
        }

        function test_startsOnFireKeyOneRecord() {
            compare(_page.fireKey, 0)
            compare(_page.gameNo, 2)
            compare(_page.gunNo, 11)
            verify(find("game2").isSelect)
            verify(!find("game0").isSelect)
            compare(find("weaponName").text, "LAST")
            compare(find("fireTime").inputValue, "20")
            compare(find("firePeriod").inputValue, "30")
            compare(find("yOffset").inputValue, "7")
            compare(String(find("weaponImage").source), "file:modules/img/skin1/gun/2/11.png")
            // An empty interface string keeps the built-in game name.
            compare(find("game0").chkStr, "绝地求生")
            compare(find("game1").chkStr, "S130")
            compare(find("preset1").chkStr, "DEFAULT VALUE 2")

            // Another fire key brings its own weapon and timing; the buttons act as one choice.
            mouseClick(find("fireKey2"))
            compare(_page.fireKey, 2)
            compare([_page.gameNo, _page.gunNo], [1, 3])
            compare(find("fireTime").inputValue, "250")
            compare(find("firePeriod").inputValue, "100")
            compare(ui_View.callsOf("playMedia_Index").length, 1)
        }

        // What the first Apply saves and sends, in order, is the AT-SPI press-gun step's; the
        // pull follows the preset and the game.
        function test_applyTakesThePresetsAndTheGamesPull() {
            mouseClick(find("fireKey1"))
            mouseClick(find("game0"))
            chooseWeapon(4)
            type(find("fireTime"), "35")
            mouseClick(find("preset0"))
            mouseClick(find("pageApply"))
            compare(_mainIten.busyTime, 800)
            compare(ui_View.lastCall("q7_0CH_SetPressGun"), [0, 30, 1, 1, 1, 1])
            mouseClick(find("game2"))
            mouseClick(find("pageApply"))
            compare(ui_View.lastCall("q7_0CH_SetPressGun")[1], 5)
            compare(ui_View.lastCall("saveSelGundata"), [1, [2, 4, 35, 10]])
        }

        function test_userValueFieldsAndTheTimesCut() {
            var y = find("yOffset")
            var times = find("times")
            compare(y.echoMode, TextInput.Password)
            verify(!times.enabled)
            mouseClick(find("preset2"))
            compare(y.echoMode, TextInput.Normal)
            verify(times.enabled)

            type(times, "50")
            compare(_page.record.times, 18)
            compare(times.inputValue, "18")
            type(y, "20")
            compare(_page.record.times, 6)
            compare(times.inputValue, "6")
            compare(find("timesRange").text, "(0 - 6 )")
            verify(find("timesRange").visible)
            type(times, "9")
            compare(times.inputValue, "6")

            // No pull: any number of times up to the field's top.
            type(y, "0")
            compare(find("timesRange").text, "(0 - 127 )")
            type(times, "127")
            compare(_page.record.times, 127)

            mouseClick(find("pageApply"))
            compare(ui_View.lastCall("q7_0CH_SetPressGun"), [0, 0, 127, 1, 1, 0])
            var saved = ui_View.lastCall("saveGundata")
            compare(saved[0], 2)
            compare(saved[1].slice(77, 84), ["LAST", 3, 0, 0, 127, 1, 1])
        }

        function test_cursorBackOffShowsNoRange() {
            var t = table([])
            t[7 * 0 + 6] = "0"
            t[7 * 0 + 3] = "100"
            t[7 * 0 + 4] = "40"
            ui_View.gunData = { 0: t }
            ui_View.selGunData = {}
            _page.initUI()
            compare([_page.gameNo, _page.gunNo], [0, 0])
            verify(!find("timesRange").visible)
            compare(find("times").inputValue, "40")
            mouseClick(find("pageApply"))
            compare(ui_View.lastCall("q7_0CH_SetPressGun"), [0, 27, 40, 1, 0, 0])
            compare(ui_View.lastCall("saveSelGundata"), [0, [0, 0, 10, 10]])
        }

        function test_weaponNames() {
            mouseClick(find("game1"))
            chooseWeapon(0)
            var name = find("weaponName")
            var hint = findChild(name, "nameHint")
            verify(hint.visible)
            compare(hint.text, "Type name")
            verify(Qt.colorEqual(hint.color, "#777777"))
            type(name, "MP5")
            verify(!hint.visible)
            compare(_page.tables[1][0].textX, "MP5")
            compare(find("weaponGrid").names[0], "MP5")
            // Leaving the field writes the name too; emptying it stores an empty name.
            mouseClick(name)
            findChild(name, "nameText").selectAll()
            keyClick(Qt.Key_Delete)
            mouseClick(find("fireKey0"))
            compare(_page.tables[1][0].textX, "")
            mouseClick(find("game1"))
            chooseWeapon(0)
            verify(hint.visible)
            mouseClick(find("pageApply"))
            compare(ui_View.callsOf("saveGundata")[1].args[1][0], "")
        }

        function test_firePeriodBelowTenIsRefused() {
            type(find("firePeriod"), "5")
            compare(find("firePeriod").inputValue, "10")
            type(find("fireTime"), "300")
            compare(find("fireTime").inputValue, "30")
            mouseClick(find("pageApply"))
            compare(ui_View.lastCall("saveSelGundata"), [0, [2, 11, 30, 10]])
        }

        function test_resetOnlyClicks() {
            mouseClick(find("pageReset"))
            compare(callNames(), ["playMedia_Index"])
            compare(_mainIten.busyTime, 0)
        }

        // Each grid cell names its weapon for a screen reader.
        function test_gridCellsNameTheirWeapons() {
            compare(find("weapon4").Accessible.description, "")
            mouseClick(find("game0"))
            compare(find("weapon4").Accessible.description, "AKM")
            compare(find("preset2").Accessible.name, "S137")
        }
    }
}
