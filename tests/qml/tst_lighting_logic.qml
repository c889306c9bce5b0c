import QtQuick
import QtTest
import "../../resources/qml/Q7/lighting.js" as Lighting

TestCase {
    name: "LightingLogic"

    function test_speedRows_data() {
        return [
            { tag: "BREATHING", code: 3, row: [10, 9, 7, 6, 5, 4, 2, 1] },
            { tag: "NEON", code: 4, row: [10, 9, 7, 6, 5, 4, 2, 1] },
            { tag: "WAVE", code: 5, row: [10, 9, 7, 6, 5, 4, 2, 1] },
            { tag: "VERTICAL FLIPPING", code: 8, row: [20, 19, 17, 16, 14, 13, 11, 10] },
            { tag: "YO-YO", code: 9, row: [15, 14, 12, 11, 9, 8, 6, 5] },
            { tag: "SPOTLIGHT", code: 10, row: [30, 29, 27, 26, 24, 23, 21, 20] },
            { tag: "STATIC", code: 1, row: [0, 0, 0, 0, 0, 0, 0, 0] },
            { tag: "GLIDING", code: 6, row: [0, 0, 0, 0, 0, 0, 0, 0] }
        ]
    }

    function test_speedRows(data) {
        var row = []
        for (var s = 0; s <= 7; ++s)
            row.push(Lighting.speedOption(data.code, s))
        compare(row, data.row)
    }

    function test_brightness() {
        var row = []
        for (var b = 0; b <= 7; ++b)
            row.push(Lighting.brightnessOption(b))
        compare(row, [0, 45, 80, 115, 150, 185, 220, 255])
    }

    function test_enablingRules() {
        var speed = [], bright = [], palette = []
        for (var c = 1; c <= 10; ++c) {
            if (Lighting.speedEnabled(c)) speed.push(c)
            if (Lighting.brightnessEnabled(c)) bright.push(c)
            if (Lighting.paletteEnabled(c)) palette.push(c)
        }
        compare(speed, [3, 4, 5, 8, 9, 10])
        compare(bright, [1, 2, 5, 7, 8, 9, 10])
        compare(palette, [1, 3, 9, 10])
    }

    function test_effectMessage() {
        // STATIC: no speed, brightness as set.
        compare(Lighting.effectMessage(true, 0, 7, 3), [1, 255, 0])
        // NEON at brightness 0: brightness unused, so 0 either way; speed from its row.
        compare(Lighting.effectMessage(true, 3, 0, 7), [4, 0, 1])
        // WAVE with brightness step 0 sends 0, not 10.
        compare(Lighting.effectMessage(true, 4, 0, 0), [5, 0, 10])
        compare(Lighting.effectMessage(true, 9, 2, 7), [10, 80, 20])
        compare(Lighting.effectMessage(false, 9, 2, 7), [0, 0, 0])
    }

    function test_records() {
        compare(Lighting.effectRecord(4, 7, 2, false), [4, 7, 2, 0])
        // A saved STATIC comes back lit, a saved "off" comes back off with its effect.
        compare(Lighting.readRecord([0, 7, 4, 1]), { effectIndex: 0, brightness: 7, speed: 4, ledOn: true })
        compare(Lighting.readRecord([5, 3, 2, 0]), { effectIndex: 5, brightness: 3, speed: 2, ledOn: false })
        // The factory files hold three values: the LEDs are on.
        compare(Lighting.readRecord(["2", "7", "4"]), { effectIndex: 2, brightness: 7, speed: 4, ledOn: true })
        compare(Lighting.readRecord([0, 7, 4]).ledOn, true)
        // Out-of-range values are held to the controls' ranges.
        compare(Lighting.readRecord([12, 9, -1]), { effectIndex: 9, brightness: 7, speed: 0, ledOn: true })
        compare(Lighting.readRecord([1, 2]), null)
        compare(Lighting.readRecord([]), null)
    }

    function test_colourTable() {
        compare(Lighting.coloursFrom24([1, 2, 3]), null)
        var src = []
        for (var i = 0; i < 24; ++i)
            src.push(String(i))
        var colours = Lighting.coloursFrom24(src)
        compare(colours[7], [21, 22, 23])
        compare(Lighting.coloursTo24(colours), src.map(Number))
        var d = Lighting.readDefaults(src.concat([2, 7, 4]))
        compare(d.colours[0], [0, 1, 2])
        compare(d.record, { effectIndex: 2, brightness: 7, speed: 4, ledOn: true })
        compare(Lighting.readDefaults(src).record, null)
    }

    function test_effectNames() {
        var strings = []
        strings[13] = "静态"
        compare(Lighting.effectName(0, strings), "静态")
        compare(Lighting.effectName(9, strings), "SPOTLIGHT")
        compare(Lighting.effectCode(9), 10)
    }
}
