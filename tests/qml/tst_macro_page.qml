import QtQuick
import QtTest
import "../../resources/qml/Q7"
import "../../resources/qml/basic"
import "../../resources/qml/Q7/macro.js" as Macro
import "support"

// The macro page against the recording view's macro library.
FakeMain {
    id: _mainIten
    width: 800
    height: 420
    globalSetting_stringList: numberedStrings()

    ViewMock { id: ui_View }

    // The page area clips its page, as in the window.
    Item {
        id: _area
        width: 759
        height: 396
        clip: true
        Page_Macro { id: _page; anchors.fill: parent }
    }

    FindingTestCase {
        subject: _page
        name: "MacroPage"
        when: windowShown

        function clickRow(listName, index, button) {
            var list = find(listName)
            wait(0)
            waitForRendering(list)
            mouseClick(list, 30, 2 + list.rowHeight * index + list.rowHeight / 2, button)
        }

        function stored(name) {
            return ui_View.macro(name).lines
        }

        function delays(values) {
            return values.map(Macro.delayLine)
        }

        function init() {
            ui_View.macros = { "b": { lines: delays([1, 2, 3, 4, 5]), index: -1, repeat: 1 },
                               "A": { lines: [], index: -1, repeat: 1 } }
            ui_View.importName = ""
            _page.scrapbook = ""
            _page.isRecordStart = false
            _page.initUI()
            ui_View.clear()
        }

        function test_listAndSelection() {
            compare(find("macroList").mdItems.count, 2)
            compare(find("macroList").mdItems.get(0).textX, "A")
            verify(!find("deleteMacro").enabled)
            verify(!find("record").enabled)
            clickRow("macroList", 1)
            compare(_page.macroName, "b")
            compare(find("lineList").mdItems.count, 5)
            compare(find("lineList").mdItems.get(0).textX, "1")
            compare(find("lineList").mdItems.get(0).textR, Macro.delayMarker)
            // A click on the selected macro deselects it and empties the lines.
            clickRow("macroList", 1)
            compare(_page.macroName, "")
            compare(find("lineList").mdItems.count, 0)
        }

        function test_tipStaysInsideThePageArea() {
            var button = find("newMacro")
            mouseMove(button, 12, 12)
            var tip = findChild(button, "tip")
            tryVerify(function () { return tip.visible })
            compare(tip.text, "NEW MACRO")
            var at = tip.mapToItem(_area, 0, 0)
            verify(at.x >= 0, "tip starts at " + at.x)
            verify(at.x + tip.width <= _area.width)
            mouseMove(_area, 700, 200)
        }

        function test_keyAddedBeforeLineThree() {
            clickRow("macroList", 1)
            clickRow("lineList", 3)
            mouseClick(find("keyField"))
            _page.detectKeyboard(true, 0x05)
            compare(find("keyField").tmpKeyString, "B")
            mouseClick(find("addKey"))
            compare(stored("b"), delays([1, 2, 3]).concat(Macro.keyStroke("B"), delays([4, 5])))
            // The mouse adder puts its button's press and release before the same line.
            find("mouseField").setCurIndex(4)
            mouseClick(find("addMouse"))
            compare(stored("b").slice(5, 7), Macro.keyStroke("MS-B5"))
            compare(stored("b")[7], Macro.delayLine(4))
        }

        function test_delayField() {
            clickRow("macroList", 0)
            var input = find("delayInput")
            input.forceActiveFocus()
            input.selectAll()
            keyClick("5")
            compare(input.text, "5")
            mouseClick(find("addDelay"))
            compare(stored("A"), [Macro.delayLine(10)])
            input.forceActiveFocus()
            input.selectAll()
            "65536".split("").forEach(function (c) { keyClick(c) })
            compare(input.text, "6553")
            keyClick(Qt.Key_Return)
            compare(_page.delayValue, 6553)
            mouseClick(find("addDelay"))
            compare(stored("A"), [Macro.delayLine(10), Macro.delayLine(6553)])
        }

        function test_cutAndCopyPastes() {
            clickRow("macroList", 1)
            clickRow("lineList", 0)
            mouseClick(find("cutLine"))
            compare(stored("b"), delays([2, 3, 4, 5]))
            // The line that took its place is selected; the paste goes before it, once.
            mouseClick(find("pasteLine"))
            verify(!find("pasteLine").enabled)
            _page.pasteLine()
            compare(stored("b"), delays([1, 2, 3, 4, 5]))

            // Copy, then paste twice into another macro.
            clickRow("lineList", 4)
            mouseClick(find("copyLine"))
            clickRow("macroList", 0)
            mouseClick(find("pasteLine"))
            mouseClick(find("pasteLine"))
            compare(stored("A"), delays([5, 5]))
        }

        function test_recording() {
            clickRow("macroList", 1)
            mouseClick(find("record"))
            verify(_page.isRecordStart)
            compare(find("lineList").mdItems.count, 0)
            verify(!find("macroList").enabled && !find("newMacro").enabled && !find("importMacro").enabled)
            _page.detectKeyboard(true, 0xE0)
            // Codes the key table cannot name are left out.
            _page.detectKeyboard(true, 0x31)
            _page.detectKeyboard(true, 0xF0)
            _page.detectKeyboard(false, 0xE0)
            // Nothing is saved until Stop.
            compare(ui_View.callsOf("saveMacroIni").length, 0)
            mouseClick(find("stop"))
            compare(stored("b"), ["L Ctrl" + Macro.pressMarker, "L Ctrl" + Macro.releaseMarker])
            verify(!find("stop").enabled)
        }

        function test_newDeleteAndImport() {
            mouseClick(find("newMacro"))
            compare(_page.macroName, "Macro. 001")
            compare(find("macroList").currentIndex, 2)
            mouseClick(find("deleteMacro"))
            compare(find("macroList").mdItems.count, 2)
            compare(_page.macroName, "")

            // An imported name already listed is selected, not added again.
            ui_View.importName = "b"
            mouseClick(find("importMacro"))
            compare(find("macroList").mdItems.count, 2)
            compare(_page.macroName, "b")
            compare(find("lineList").mdItems.count, 5)
            ui_View.importName = "new"
            mouseClick(find("importMacro"))
            compare(find("macroList").mdItems.count, 3)
            compare(_page.macroName, "new")
        }

        function test_saveOfAVanishedMacroEmptiesTheLines() {
            clickRow("macroList", 1)
            ui_View.deleteMacroIni("b")
            mouseClick(find("addDelay"))
            compare(find("lineList").mdItems.count, 0)
        }

        function chooseFromMenuOfA(entry) {
            clickRow("macroList", 0, Qt.RightButton)
            tryCompare(find("macroMenu"), "opacity", 1)
            mouseClick(find("macroMenu" + entry))
        }

        function test_contextMenuRenamesAndExports() {
            var list = find("macroList")
            chooseFromMenuOfA(0)
            compare(ui_View.lastCall("saveMacroIniToFile"), ["A"])
            chooseFromMenuOfA(1)
            keyClick("Z")
            keyClick(Qt.Key_Return)
            compare(ui_View.lastCall("renameMacroIniFile"), ["A", "Z"])
            compare(list.mdItems.get(1).textX, "Z")
            compare(_page.macroName, "Z")
            // A name the library refuses leaves the old one listed.
            chooseFromMenuOfA(1)
            keyClick("Z")
            keyClick(Qt.Key_Return)
            compare(list.mdItems.get(0).textX, "b")
        }

        function test_captureHint() {
            ui_View.captureHint = "focus only"
            verify(find("captureHint").visible)
            ui_View.captureHint = ""
            verify(!find("captureHint").visible)
        }
    }
}
