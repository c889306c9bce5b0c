import QtQuick
import QtTest
import "../../resources/qml/Q7/pressgun.js" as Gun

// The rows the page test does not reach: offsets, periods and stored values at their limits,
// damaged files.
TestCase {
    name: "PressGunLogic"

    function test_sixValuesInOrder() {
        var r = { textX: "AKM", index: 3, xOffset: 2, yOffset: 20, times: 3, isEnable: 0,
                  cursorBack: 1 }
        compare(Gun.pressGunValues(r, Gun.presetUser, 0, 4, 2), [2, 20, 3, 0, 1, 2])
    }

    // Times set against the user's offset 7 (cut there at 18), sent with a preset's larger pull.
    function test_presetPullCutsTheTimesSent() {
        var r = { textX: "AKM", index: 3, xOffset: 0, yOffset: 7, times: 18, isEnable: 1,
                  cursorBack: 1 }
        compare(Gun.pressGunValues(r, Gun.presetDefault2, 0, 4, 0).slice(1, 3), [36, 3])
        compare(Gun.pressGunValues(r, Gun.presetUser, 0, 4, 0).slice(1, 3), [7, 18])
        r.cursorBack = 0
        compare(Gun.pressGunValues(r, Gun.presetDefault2, 0, 4, 0).slice(1, 3), [36, 18])
    }

    function test_timesCutByOffset_data() {
        return [
            { tag: "y 20 keeps 6", y: 20, times: 6, back: 1, limit: 6, cut: 6 },
            { tag: "y 20 keeps 2", y: 20, times: 2, back: 1, limit: 6, cut: 2 },
            { tag: "y 127", y: 127, times: 5, back: 1, limit: 1, cut: 1 },
            { tag: "y 64", y: 64, times: 2, back: 1, limit: 1, cut: 1 },
            { tag: "no cursor back", y: 20, times: 10, back: 0, limit: 127, cut: 10 }
        ]
    }

    function test_timesCutByOffset(data) {
        compare(Gun.timesLimit(data.y, data.back), data.limit)
        compare(Gun.cutTimes(data.times, data.y, data.back), data.cut)
    }

    function test_fireKeyValues() {
        compare(Gun.fireKeyRecord(1, 0, "", "1"), [1, 0, 0, 10])
        compare(Gun.fireKeyRecord(1, 0, 7, "250"), [1, 0, 7, 100])
        // A damaged line: the factory values where unreadable, the limits where too large.
        compare(Gun.readFireKey(["x", "", "-3", "5"]), { game: 0, gun: 0, fireTime: 0, firePeriod: 10 })
        compare(Gun.readFireKey(["9", "40"]), { game: 2, gun: 11, fireTime: 10, firePeriod: 10 })
    }

    // The factory file of the first game, as the settings file hands it back: all text.
    function factoryFirstGame() {
        var names = ["VECTOR", "MICRO", "TMX", "UNP9", "AKM", "M16A4", "Mini14", "SCAR-L", "", "",
                     "", ""]
        var out = []
        for (var i = 0; i < 12; ++i)
            out.push(names[i], String(Math.min(i, 3)), "0", String(i < 3 ? 5 + i : 7), "1", "1", "1")
        return out
    }

    function test_builtInTablesAreTheFactoryOnes() {
        compare(Gun.valuesOf(Gun.defaultTable(0)).map(String), factoryFirstGame())
        compare(Gun.defaultTable(2).map(function (r) { return r.textX }).join(""), "")
        compare(Gun.tableFrom([], 1), Gun.defaultTable(1))
    }

    function test_damagedTableKeepsBuiltInValues() {
        var values = factoryFirstGame()
        values[7 * 2 + 3] = "40"
        values[7 * 2 + 4] = "junk"
        values[7 * 2 + 6] = "0"
        values[7 * 5 + 3] = "900"
        var table = Gun.tableFrom(values.slice(0, 7 * 6 + 3), 0)
        compare(table[2].yOffset, 40)
        compare(table[2].times, 1)
        compare(table[2].cursorBack, 0)
        compare(table[5].yOffset, 127)
        // Record 6 was cut short, 7 on are missing: what is missing is built in.
        compare(table[6], Gun.defaultRecord(0, 6))
        compare(table[11], Gun.defaultRecord(0, 11))
    }

    // Without a language's strings the built-in titles show.
    function test_titles() {
        compare(Gun.gameTitles([]), ["绝地求生", "CS", "CF"])
        compare(Gun.presetTitles(undefined), ["Default Value 1", "Default Value 2", "User Value"])
    }
}
