import QtQuick
import QtTest
import "../../resources/qml/Q7/macro.js" as Macro

TestCase {
    name: "MacroLogic"

    function lines(n) {
        var out = []
        for (var i = 0; i < n; ++i)
            out.push(Macro.delayLine(100 * (i + 1)))
        return out
    }

    // The macro files' line format; the page tests build their expected lines with these.
    function test_markersAndLines() {
        compare(Macro.keyStroke("A"), ["A      [按下]", "A      [松开]"])
        compare(Macro.delayLine(1000), "1000      [延时]")
        compare(Macro.splitLine("L Ctrl      [按下]"), { textX: "L Ctrl", textR: "      [按下]" })
        compare(Macro.splitLine("short"), { textX: "", textR: "short" })
        compare([0, 1, 2, 3, 4].map(Macro.buttonName), ["MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"])
        compare(Macro.macroNames(["Macro. 001.bin", "x.bin"]), ["Macro. 001", "x"])
    }

    // The edits the page test does not reach: no line or the last line selected.
    function test_lineEdits() {
        var before = lines(3)
        var r = Macro.inserted(before, -1, [Macro.delayLine(10)])
        compare(r.lines, before.concat([Macro.delayLine(10)]))
        compare(r.selected, -1)
        compare(before.length, 3)
        r = Macro.removed(lines(3), 1)
        compare(r.lines, [Macro.delayLine(100), Macro.delayLine(300)])
        compare(r.selected, 1)
        compare(Macro.removed(lines(3), 2).selected, -1)
        compare(Macro.removed(lines(3), -1).lines, lines(3))
        // Copy with no line selected keeps what the clipboard held.
        var clip = Macro.copy(before, 2, Macro.emptyClipboard())
        compare(clip, { line: before[2], unlimited: true })
        compare(Macro.copy(before, -1, clip), clip)
    }

    function test_delays() {
        compare(["0", "65535", ""].map(function (t) { return Macro.delayValue(t, 700) }), [10, 65535, 700])
        compare(["65535", "65536", "123456", "-1", "1e3"].map(Macro.delayAccepts),
                [true, false, false, false, false])
        compare(Macro.delayValue("65536", 1000), 1000)
    }

    function enabledControls(state) {
        var e = Macro.enabling(state)
        return Object.keys(e).filter(function (k) { return e[k] }).sort()
    }

    function test_enabling() {
        var s = { macroIndex: 0, recording: false, lineIndex: -1, clipboard: "", keyFilled: false,
                  mouseEntry: 0 }
        compare(enabledControls(s), ["add", "addDelay", "addMouse", "deleteMacro", "importing", "list",
                                     "record"])
        s.keyFilled = true
        s.clipboard = "x"
        s.lineIndex = 1
        compare(enabledControls(s), ["add", "addDelay", "addKey", "addMouse", "copy", "cut", "deleteLine",
                                     "deleteMacro", "importing", "list", "paste", "record"])
        s.recording = true
        compare(enabledControls(s), ["stop"])
        s.recording = false
        s.macroIndex = -1
        compare(enabledControls(s), ["add", "importing", "list"])
    }
}
