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

    function test_markersAndLines() {
        compare(Macro.pressMarker, "      [按下]")
        compare(Macro.releaseMarker.length, 10)
        compare(Macro.delayLine(1000), "1000      [延时]")
        var parts = Macro.splitLine("L Ctrl      [按下]")
        compare(parts, { textX: "L Ctrl", textR: "      [按下]" })
        compare(Macro.joinLine(parts.textX, parts.textR), "L Ctrl      [按下]")
        compare(Macro.splitLine("short"), { textX: "", textR: "short" })
        compare(Macro.keyStroke("A"), ["A      [按下]", "A      [松开]"])
        compare([0, 1, 2, 3, 4].map(Macro.buttonName), ["MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"])
        compare(Macro.macroNames(["Macro. 001.bin", "x.bin"]), ["Macro. 001", "x"])
    }

    function test_recording() {
        compare(Macro.recordedLine(true, 0x04), "A      [按下]")
        compare(Macro.recordedLine(false, 0xE6), "R Alt      [松开]")
        compare(Macro.recordedLine(true, 0x31), null)
        compare(Macro.recordedLine(true, 0xF0), null)
    }

    function test_addBeforeSelectedLine() {
        var before = lines(5)
        var r = Macro.inserted(before, 3, Macro.keyStroke("B"))
        compare(r.lines.length, 7)
        compare(r.lines[3], "B      [按下]")
        compare(r.lines[4], "B      [松开]")
        compare(r.lines[5], before[3])
        compare(r.selected, 5)
        // With nothing selected the lines go to the end.
        r = Macro.inserted(before, -1, [Macro.delayLine(10)])
        compare(r.lines[5], "10      [延时]")
        compare(r.selected, -1)
        compare(before.length, 5)
    }

    function test_remove() {
        var r = Macro.removed(lines(3), 1)
        compare(r.lines, [Macro.delayLine(100), Macro.delayLine(300)])
        compare(r.selected, 1)
        r = Macro.removed(lines(3), 2)
        compare(r.selected, -1)
        r = Macro.removed(lines(3), -1)
        compare(r.lines.length, 3)
    }

    function test_cutPastesOnce() {
        var l = lines(3)
        var c = Macro.cut(l, 0)
        compare(c.lines.length, 2)
        compare(c.clipboard, { line: l[0], unlimited: false })
        var p1 = Macro.paste(c.lines, -1, c.clipboard)
        compare(p1.lines.length, 3)
        compare(p1.lines[2], l[0])
        compare(p1.clipboard.line, "")
        var p2 = Macro.paste(p1.lines, -1, p1.clipboard)
        compare(p2.lines, p1.lines)
    }

    function test_copyPastesAgain() {
        var l = lines(3)
        var clip = Macro.copy(l, 2, Macro.emptyClipboard())
        compare(clip, { line: l[2], unlimited: true })
        var p1 = Macro.paste(l, 0, clip)
        var p2 = Macro.paste(p1.lines, p1.selected, p1.clipboard)
        compare(p2.lines, [l[2], l[2], l[0], l[1], l[2]])
        compare(p2.clipboard, clip)
        // Copy with no line selected keeps what the clipboard held.
        compare(Macro.copy(l, -1, clip), clip)
    }

    function test_delays() {
        compare(Macro.delayValue("5", 1000), 10)
        compare(Macro.delayValue("0", 1000), 10)
        compare(Macro.delayValue("65535", 1000), 65535)
        compare(Macro.delayValue("", 700), 700)
        verify(Macro.delayAccepts("65535"))
        verify(!Macro.delayAccepts("65536"))
        verify(!Macro.delayAccepts("123456"))
        verify(!Macro.delayAccepts("-1"))
        verify(!Macro.delayAccepts("1e3"))
        compare(Macro.delayValue("65536", 1000), 1000)
    }

    function test_enabling() {
        var idle = { macroIndex: 0, recording: false, lineIndex: -1, clipboard: "", keyFilled: false,
                     mouseEntry: 0 }
        var e = Macro.enabling(idle)
        verify(e.record && !e.stop && e.deleteMacro && e.addDelay && e.addMouse)
        verify(!e.addKey && !e.paste && !e.cut)
        idle.keyFilled = true
        idle.clipboard = "x"
        idle.lineIndex = 1
        e = Macro.enabling(idle)
        verify(e.addKey && e.paste && e.cut && e.copy && e.deleteLine)
        idle.recording = true
        e = Macro.enabling(idle)
        verify(e.stop && !e.record && !e.list && !e.importing && !e.add && !e.deleteMacro)
        verify(!e.paste && !e.addKey && !e.cut)
        e = Macro.enabling({ macroIndex: -1, recording: false, lineIndex: -1, clipboard: "x",
                             keyFilled: true, mouseEntry: 0 })
        verify(e.list && e.add && !e.deleteMacro && !e.record && !e.paste && !e.addKey && !e.addDelay)
    }
}
