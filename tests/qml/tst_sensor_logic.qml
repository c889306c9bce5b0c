import QtQuick
import QtTest
import "../../resources/qml/Q7/sensor.js" as Sensor

TestCase {
    name: "SensorLogic"

    // Each sensor's menu in order with the code each value reaches the device as; values not in
    // the menu switch the stage off.
    function test_dpiTables_data() {
        return [
            { tag: "type 0", type: 0, count: 13, initial: [500, 1000, 1500, 2000, 0, 0, 0, 0],
              menu: [[250, 0x01], [500, 0x02], [750, 0x03], [1000, 0x04], [1250, 0x05],
                     [1500, 0x06], [1750, 0x07], [2000, 0x08], [2500, 0x45], [3000, 0x46],
                     [3500, 0x47], [4000, 0x48]], off: [2250, 10000] },
            { tag: "type 1", type: 1, count: 12, initial: [1000, 2500, 3500, 7000, 0, 0, 0, 0],
              menu: [[500, 0x02], [1000, 0x04], [1750, 0x07], [2000, 0x08], [2500, 0x0a],
                     [3000, 0x0c], [3500, 0x0e], [4000, 0x48], [5000, 0x4a], [6000, 0x4c],
                     [7000, 0x4e]], off: [250, 1500] },
            { tag: "type 2", type: 2, count: 11, initial: [500, 1000, 1500, 2500, 0, 0, 0, 0],
              menu: [[250, 0x02], [500, 0x04], [750, 0x06], [1000, 0x08], [1250, 0x0a],
                     [1500, 0x46], [1750, 0x47], [2000, 0x48], [2500, 0x4a], [2750, 0x4b]],
              off: [3000] },
            { tag: "type 3", type: 3, count: 18, initial: [1000, 2000, 4000, 8000, 0, 0, 0, 0],
              menu: [[600, 0x05], [800, 0x07], [1000, 0x09], [1200, 0x0b], [1600, 0x0f],
                     [2000, 0x13], [2400, 0x17], [2800, 0x1b], [3200, 0x1f], [3600, 0x23],
                     [4000, 0x27], [4500, 0x2c], [5000, 0x31], [6000, 0x5d], [7000, 0x62],
                     [8000, 0x67], [10000, 0x71]], off: [500] },
            { tag: "type 4", type: 4, count: 0, initial: [0, 0, 0, 0, 0, 0, 0, 0], menu: [],
              off: [500, 1000] },
            { tag: "type -1", type: -1, count: 0, initial: [0, 0, 0, 0, 0, 0, 0, 0], menu: [],
              off: [500] }
        ]
    }

    function test_dpiTables(data) {
        var t = Sensor.dpiTable(data.type)
        compare(t.menuCounter, data.count)
        compare(t.valueForIndex, data.initial)
        var menu = data.menu.map(function (pair) { return pair[0] })
        if (menu.length > 0)
            menu.unshift(0)
        while (menu.length < 18)
            menu.push(0)
        compare(t.valueForMenuIndex, menu)
        data.menu.forEach(function (pair) {
            compare(Sensor.dpiCode(data.type, pair[0]), pair[1], data.tag + " value " + pair[0])
        })
        data.off.concat([0]).forEach(function (value) {
            compare(Sensor.dpiCode(data.type, value), 0x80, data.tag + " value " + value)
        })
    }

    function test_dpiCodesAlwaysEight() {
        compare(Sensor.dpiCodes(3, [1000, "10000", 0]), [0x09, 0x71, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80])
        compare(Sensor.dpiCodes(0, [250, 500, 750, 1000, 1250, 1500, 1750, 2000, 4000]),
                [0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08])
    }

    function test_rateCodes() {
        compare([0, 1, 2, 3].map(Sensor.rateCode), [8, 4, 2, 1])
        // Only the lowest bit of the low byte counts; higher bits clamp to 125 Hz.
        compare([8, 4, 2, 1, 0, 0x10, 0x106, "4"].map(function (c) { return Sensor.rateIndex(c) }),
                [0, 1, 2, 3, 3, 0, 2, 1])
    }

    function test_slider11Index() {
        // The ends, pressed and released outside the track, are clicked on the sensor page.
        // Each segment's right edge still belongs to it.
        compare([28, 29, 154].map(function (x) { return Sensor.slider11Index(x, 309) }), [0, 1, 5])
    }

    function test_stageIndex() {
        compare([1, 8, 0, 12].map(function (s) { return Sensor.stageIndex(s) }), [0, 7, 0, 7])
    }

    function test_readDefaults() {
        var configs = [4, 6, 3, 7, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 3]
        for (var i = 0; i < 24; ++i)
            configs.push(i * 10)
        configs.push(7, 6, 5, 4, 3, 2, 1, 0)
        var d = Sensor.readDefaults(configs.map(String))
        compare(d.rateIndex, 1)
        compare([d.cursorSpeed, d.scrollLines, d.doubleClickSpeed], [6, 3, 7])
        compare(d.dpiValues, [500, 1000, 1500, 2000, 2500, 3000, 3500, 4000])
        compare(d.dpiIndex, 2)
        compare(d.rgb[0], 0)
        compare(d.rgb[23], 230)
        compare(d.ids, [7, 6, 5, 4, 3, 2, 1, 0])
    }

    function test_readDefaultsShortList() {
        // Four DPI values instead of eight: everything after them moves up and is read in place.
        var d = Sensor.readDefaults([2, 5, 2, 5, 500, 1000, 1500, 2000, 2])
        compare(d.dpiValues, [500, 1000, 1500, 2000, 2, 0, 0, 0])
        compare(d.dpiIndex, 0)
        compare(d.ids, [0, 0, 0, 0, 0, 0, 0, 0])
    }

    function test_colours() {
        var start = []
        for (var i = 0; i < 8; ++i)
            start.push({ r: 1, g: 2, b: 3, id: i })
        var rgb = []
        for (var k = 0; k < 24; ++k)
            rgb.push(k)
        var merged = Sensor.mergeColours(start, rgb, [7, 7, 7, 7, 7, 7, 7, 7])
        compare(merged[1], { r: 3, g: 4, b: 5, id: 7 })
        // Wrong lengths leave the colours as they were.
        compare(Sensor.mergeColours(start, [1, 2, 3], [1]), start)
        compare(Sensor.colourMessage(merged, true), { type: 2, values: [7, 7, 7, 7, 7, 7, 7, 7] })
        compare(Sensor.colourMessage(merged, false), { type: 1, values: rgb })
        compare(Sensor.paletteColour(7), [255, 127, 0])
        compare([0, -5, 800].map(function (v) { return Sensor.stageText(v) }), ["×", "×", "800"])
    }
}
