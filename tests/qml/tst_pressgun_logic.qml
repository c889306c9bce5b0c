import QtQuick
import QtTest
import "../../resources/qml/Q7/pressgun.js" as Gun

TestCase {
    name: "PressGunLogic"

    function record(y, times, cursorBack) {
        return { textX: "", index: 3, xOffset: 0, yOffset: y, times: times, isEnable: 1,
                 cursorBack: cursorBack }
    }

    function sentY(preset, game, gun, fieldY) {
        return Gun.pressGunValues(record(fieldY, 1, 1), preset, game, gun, 0)[1]
    }

    function test_presetOffsets() {
        var first = [27, 18, 30, 28, 30, 28, 22, 30, 25, 40, 5, 5]
        var second = [27, 18, 30, 28, 36, 34, 25, 34, 25, 40, 5, 5]
        for (var gun = 0; gun < 12; ++gun) {
            compare(sentY(Gun.presetDefault1, 0, gun, 99), first[gun], "preset 1 weapon " + gun)
            compare(sentY(Gun.presetDefault2, 0, gun, 99), second[gun], "preset 2 weapon " + gun)
            for (var game = 1; game < 3; ++game) {
                compare(sentY(Gun.presetDefault1, game, gun, 99), 5, "game " + game)
                compare(sentY(Gun.presetDefault2, game, gun, 99), 5, "game " + game)
                compare(sentY(Gun.presetUser, game, gun, 99), 99, "game " + game)
            }
        }
        // The field's value counts only for the user's own value.
        compare(sentY(Gun.presetUser, 0, 4, 12), 12)
    }

    function test_sixValuesInOrder() {
        var r = { textX: "AKM", index: 3, xOffset: 2, yOffset: 20, times: 3, isEnable: 0,
                  cursorBack: 1 }
        compare(Gun.pressGunValues(r, Gun.presetUser, 0, 4, 2), [2, 20, 3, 0, 1, 2])
        compare(Gun.pressGunValues(r, Gun.presetDefault2, 0, 4, 1), [2, 36, 3, 0, 1, 1])
    }

    function test_timesCutByOffset_data() {
        return [
            { tag: "y 20 cuts 10 to 6", y: 20, times: 10, back: 1, limit: 6, cut: 6 },
            { tag: "y 20 keeps 6", y: 20, times: 6, back: 1, limit: 6, cut: 6 },
            { tag: "y 20 keeps 2", y: 20, times: 2, back: 1, limit: 6, cut: 2 },
            { tag: "y 7", y: 7, times: 127, back: 1, limit: 18, cut: 18 },
            { tag: "y 127", y: 127, times: 5, back: 1, limit: 1, cut: 1 },
            { tag: "y 64", y: 64, times: 2, back: 1, limit: 1, cut: 1 },
            { tag: "no cursor back", y: 20, times: 10, back: 0, limit: 127, cut: 10 },
            // No pull, nothing to bring back: the whole range stays.
            { tag: "y 0", y: 0, times: 100, back: 1, limit: 127, cut: 100 }
        ]
    }

    function test_timesCutByOffset(data) {
        compare(Gun.timesLimit(data.y, data.back), data.limit)
        compare(Gun.cutTimes(data.times, data.y, data.back), data.cut)
    }

    function test_rangeTextExamples() {
        compare(Gun.rangeText(20), "(0 - 6 )")
        compare(Gun.rangeText(0), "(0 - 127 )")
        compare(Gun.rangeText("5"), "(0 - 25 )")
    }

    function test_fireKeyRecordRaisesThePeriod() {
        compare(Gun.fireKeyRecord(0, 4, 30, 5), [0, 4, 30, 10])
        compare(Gun.fireKeyRecord(2, 11, "255", "100"), [2, 11, 255, 100])
        compare(Gun.fireKeyRecord(1, 0, "", "1"), [1, 0, 0, 10])
        compare(Gun.fireKeyRecord(1, 0, 7, "250"), [1, 0, 7, 100])
    }

    function test_readFireKey() {
        compare(Gun.readFireKey(["2", "7", "40", "55"]),
                { game: 2, gun: 7, fireTime: 40, firePeriod: 55 })
        // A missing file or a damaged line: the factory record.
        compare(Gun.readFireKey([]), { game: 0, gun: 0, fireTime: 10, firePeriod: 10 })
        compare(Gun.readFireKey(["x", "", "-3", "5"]), { game: 0, gun: 0, fireTime: 0, firePeriod: 10 })
        compare(Gun.readFireKey(["9", "40"]).game, 2)
        compare(Gun.readFireKey(["9", "40"]).gun, 11)
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

    function test_tableConversion() {
        var values = factoryFirstGame()
        var table = Gun.tableFrom(values, 0)
        compare(table.length, 12)
        compare(table[4], { textX: "AKM", index: 3, xOffset: 0, yOffset: 7, times: 1, isEnable: 1,
                            cursorBack: 1 })
        compare(table[1].yOffset, 6)
        compare(table[11].textX, "")
        compare(Gun.valuesOf(table).map(String), values)
        // The built-in table is the factory one.
        compare(Gun.valuesOf(Gun.defaultTable(0)).map(String), values)
        var other = Gun.valuesOf(Gun.defaultTable(2))
        for (var i = 0; i < 12; ++i)
            compare(other[7 * i], "", "game 2 names are empty")
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
        compare(Gun.tableFrom([], 1), Gun.defaultTable(1))
    }

    function test_titles() {
        compare(Gun.gameTitles([]), ["绝地求生", "CS", "CF"])
        compare(Gun.presetTitles(undefined), ["Default Value 1", "Default Value 2", "User Value"])
        var strings = []
        strings[129] = "PUBG"
        strings[130] = ""
        strings[131] = "CF!"
        strings[135] = "DEFAULT VALUE 1"
        strings[137] = "USER VALUE"
        compare(Gun.gameTitles(strings), ["PUBG", "CS", "CF!"])
        compare(Gun.presetTitles(strings), ["DEFAULT VALUE 1", "Default Value 2", "USER VALUE"])
    }
}
