import QtQuick
import QtTest
import "../../resources/qml/basic/globalsetting.js" as Settings
import "../../resources/qml/Q7/frame.js" as Frame
import "../../resources/qml/common/controls.js" as Controls

TestCase {
    name: "Logic"

    function test_stripPickBands_data() {
        // A strip of 129 pixels puts the band edges on whole pixels, 16 apart.
        return [
            { tag: "red", y: 16, rgb: [255, 0, 0] },
            { tag: "half red", y: 8, rgb: [128, 0, 0] },
            { tag: "yellow", y: 32, rgb: [255, 255, 0] },
            { tag: "green", y: 48, rgb: [0, 255, 0] },
            { tag: "cyan", y: 64, rgb: [0, 255, 255] },
            { tag: "blue", y: 80, rgb: [0, 0, 255] },
            { tag: "magenta", y: 96, rgb: [255, 0, 255] },
            { tag: "white", y: 112, rgb: [255, 255, 255] },
            { tag: "grey on the way down", y: 120, rgb: [127, 127, 127] }
        ]
    }

    function test_stripPickBands(data) {
        compare(Settings.stripPick(data.y, 129), data.rgb)
    }

    function test_storedItemsRoundTrip() {
        var items = [1, 2, 1, 1, 3, true, "file:/tmp/x.png", 1]
        for (var i = 0; i < 21; ++i)
            items.push(i * 12)
        items.push(4, 5, "https://example.com/q7")
        // What the configuration file gives back is text.
        var stored = items.map(function (v) { return String(v) })
        var state = Settings.loadState(stored)
        compare(state.customBackground, true)
        compare(state.colors[6], [216, 228, 240])
        compare(Settings.buildApConfig(state), items)
        compare(Settings.loadState([]), null)
    }

    function test_paletteModes() {
        compare([1, 2, 3, 0].map(function (m) { return Settings.paletteEffects(m) }),
                [{ inputs: true, swatch: true, color: true }, { inputs: false, swatch: true, color: true },
                 { inputs: true, swatch: false, color: true }, { inputs: true, swatch: true, color: false }])
    }

    function test_pageActions() {
        // index, sliding out, sliding in, the slide-out's target
        compare([[2, true, false, 1], [2, false, true, 1], [-1, false, false, 1], [2, false, false, -1],
                 [2, false, false, 0]].map(function (a) { return Frame.pageAction.apply(null, a) }),
                ["retarget", "finishIn", "hide", "slideIn", "switch"])
    }

    function test_panelActions() {
        // show, opening, closing
        compare([[true, false, true], [true, true, false], [false, true, false], [false, false, true],
                 [true, false, false]].map(function (a) { return Frame.panelAction.apply(null, a) }),
                ["restart", "complete", "restart", "complete", "play"])
    }

    function test_enablingRules() {
        verify(Frame.profileMenuEnabled(false, 0))
        verify(!Frame.profileMenuEnabled(false, 1))
        verify(!Frame.profileMenuEnabled(true, 3))
        verify(!Frame.frameEnabled(true))
        compare(Frame.partOpacity(false), 0.2)
    }

    function test_sliderIndex() {
        compare([-5, 0, 1, 140, 500].map(function (x) { return Controls.sliderIndex(x, 141, 7) }),
                [0, 0, 1, 7, 7])
    }
}
