import QtQuick
import QtTest
import "../../resources/qml/Q7"
import "support"

// The colour and sensor pages against the recording view.
FakeMain {
    id: _mainIten
    width: 800
    height: 420
    globalSetting_stringList: numberedStrings()

    ViewMock { id: ui_View }

    Page_Color { id: _color; width: 759; height: 396; visible: false }
    Page_Sensor { id: _sensor; width: 759; height: 396; visible: false }

    FindingTestCase {
        name: "Pages"
        when: windowShown

        function init() {
            ui_View.clear()
            ui_View.colours = {}
            ui_View.ledEffect = []
            ui_View.defaults = {}
            ui_View.sensorType = 0
            ui_View.logoLedWork = false
            ui_View.stageCount = 8
            ui_View.reportRate = 2
            ui_View.dpiStage = 2
            ui_View.dpiSet = [500, 1000, 1500, 2000, 0, 0, 0, 0]
            _color.visible = false
            _sensor.visible = false
        }

        function showSensor() {
            _sensor.initUI()
            _sensor.visible = true
            waitForRendering(_sensor)
            ui_View.clear()
        }

        // --- sensor page ---

        function test_sliderEnds() {
            showSensor()
            var slider = find(_sensor, "cursorSpeed")
            mouseClick(slider, 3, slider.height / 2)
            compare(slider.currentIndex, 0)
            // The track's last pixel, then a release far right of it.
            mouseClick(slider, 3 + 308, slider.height / 2)
            compare(slider.currentIndex, 10)
            mouseClick(slider, 3, slider.height / 2)
            mousePress(slider, 100, 10)
            mouseRelease(slider, slider.width + 40, 10)
            compare(slider.currentIndex, 10)
            // The release is what counts, wherever the press began.
            mousePress(slider, 100, 10)
            mouseRelease(slider, -30, 10)
            compare(slider.currentIndex, 0)
        }

        // A menu pick sending the sensor's codes is the AT-SPI DPI step's; "×" switches the stage
        // off, and it can no longer be made current.
        function test_stageSwitchedOffCannotBeMadeCurrent() {
            ui_View.sensorType = 3
            ui_View.dpiSet = [1000, 2000, 4000, 8000, 0, 0, 0, 0]
            showSensor()
            var dpi = find(_sensor, "dpiStages")
            mouseClick(find(dpi, "mark2"))
            mouseClick(find(dpi, "menuEntry0"))
            compare(ui_View.lastCall("ui_11H_SetDPISet")[1], [0x09, 0x13, 0x80, 0x67, 0x80, 0x80, 0x80, 0x80])
            mouseClick(find(dpi, "stage2"), 10, 8)
            compare(dpi.currentIndex, 1)
            mouseClick(find(dpi, "stage0"), 10, 8)
            compare(dpi.currentIndex, 0)
        }

        function test_markClosesItsOwnMenu() {
            showSensor()
            var dpi = find(_sensor, "dpiStages")
            mouseClick(find(dpi, "mark0"))
            compare(dpi.currentMenuIndex, 0)
            mouseClick(find(dpi, "mark0"))
            compare(dpi.currentMenuIndex, -1)
            tryCompare(find(dpi, "valueMenu"), "visible", false)
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
        }

        function test_fourStages() {
            ui_View.stageCount = 4
            ui_View.dpiSet = [500, 1000, 1500, 2000, 2500, 3000, 3500, 4000]
            showSensor()
            var dpi = find(_sensor, "dpiStages")
            mouseClick(find(dpi, "stage5"), 10, 8)
            compare(dpi.currentIndex, 1)
            verify(!find(dpi, "mark5").visible)
            mouseClick(find(dpi, "mark5"))
            compare(dpi.currentMenuIndex, -1)
            verify(find(dpi, "mark3").visible)
            var colours = find(_sensor, "indicatorColours")
            compare(find(colours, "entry4").opacity, 0)
            verify(!find(colours, "entry4").enabled)
            compare(find(colours, "entry3").opacity, 1)
        }

        function test_shortDpiListShowsOffStages() {
            ui_View.dpiSet = [800, 1600]
            showSensor()
            var dpi = find(_sensor, "dpiStages")
            compare(dpi.valueForIndex, [800, 1600])
            mouseClick(find(dpi, "mark0"))
            mouseClick(find(dpi, "menuEntry2"))
            compare(ui_View.lastCall("ui_11H_SetDPISet")[1], [0x02, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80])
        }

        function test_indicatorColours() {
            var rgb = []
            for (var i = 0; i < 24; ++i)
                rgb.push(i)
            ui_View.colours = { 1: rgb, 2: [7, 6, 5, 4, 3, 2, 1, 0] }
            showSensor()
            var colours = find(_sensor, "indicatorColours")
            colours.pick(10, 20, 30)
            var args = ui_View.lastCall("ui_10H_SetLED8StageColor")
            compare(args[0], 1)
            // The entry of the current stage (2) changed.
            compare(args[1].slice(0, 9), [0, 1, 2, 10, 20, 30, 6, 7, 8])
        }

        function test_logoPalette() {
            ui_View.logoLedWork = true
            ui_View.colours = { 2: [0, 1, 2, 3, 4, 5, 6, 7] }
            showSensor()
            verify(find(_sensor, "logoPalette").visible)
            verify(!find(find(_sensor, "indicatorColours"), "colourBar").visible)
            mouseClick(find(_sensor, "paletteColour7"))
            compare(ui_View.lastCall("ui_10H_SetLED8StageColor"), [2, [0, 7, 2, 3, 4, 5, 6, 7]])
        }

        function test_sensorReset() {
            ui_View.sensorType = 0
            var d = [8, 6, 3, 7, 250, 500, 750, 1000, 2500, 0, 0, 0, 4]
            for (var i = 0; i < 24; ++i)
                d.push(100 + i)
            d.push(0, 1, 2, 3, 4, 5, 6, 7)
            ui_View.defaults = { 3: d.map(String) }
            showSensor()
            mouseClick(find(_sensor, "pageReset"))
            compare(_mainIten.busyTime, 800)
            compare(find(_sensor, "pollingRate").currentIndex, 0)
            compare(find(_sensor, "doubleClickSpeed").currentIndex, 7)
            compare(find(_sensor, "dpiStages").currentIndex, 3)
            compare(ui_View.lastCall("ui_11H_SetDPISet"),
                    [8, [0x01, 0x02, 0x03, 0x04, 0x45, 0x80, 0x80, 0x80], [250, 500, 750, 1000, 2500, 0, 0, 0]])
            var colour = ui_View.lastCall("ui_10H_SetLED8StageColor")
            compare(colour[0], 1)
            compare(colour[1][23], 123)
            // The polling rate and the pointer settings wait for Apply.
            compare(ui_View.callsOf("ui_01H_SetReportRate").length, 0)
            compare(ui_View.callsOf("setCursorSpeed").length, 0)

            // Without a factory file nothing is shown or sent.
            ui_View.defaults = {}
            ui_View.clear()
            _sensor.pageReset()
            compare(ui_View.callsOf("ui_11H_SetDPISet").length, 0)
            compare(find(_sensor, "dpiStages").valueForIndex, [250, 500, 750, 1000, 2500, 0, 0, 0])
        }

        // --- colour page ---

        function showColor(maxStage) {
            _color.initUI([maxStage])
            _color.visible = true
            waitForRendering(_color)
            ui_View.clear()
        }

        function test_colourPicksAreSent() {
            ui_View.ledEffect = [0, 7, 4]
            showColor(4)
            var colours = find(_color, "colours")
            compare(find(colours, "entry5").opacity, 0)
            mouseClick(find(colours, "entry1"))
            var bar = find(colours, "colourBar")
            mouseClick(bar, bar.width - 1, 5)
            var args = ui_View.lastCall("ui_10H_SetLED8StageColor")
            compare(args[0], 0)
            compare(args[1].length, 24)
            compare(args[1].slice(3, 6), [0, 0, 0])
            // Entries past maxStage still go out with their colours.
            compare(args[1].slice(21, 24), [0, 0, 0])
            compare(args[1].slice(18, 21), [255, 255, 255])
        }

        function test_typedColour() {
            ui_View.ledEffect = [0, 7, 4]
            var src = []
            for (var i = 0; i < 24; ++i)
                src.push(i)
            ui_View.colours = { 0: src }
            showColor(8)
            var colours = find(_color, "colours")
            mouseClick(find(colours, "entry2"))
            // The picture glows in the selected entry's colour as soon as it is selected.
            compare(String(colours.currentColour), String(Qt.rgba(6 / 255, 7 / 255, 8 / 255, 1)))
            var field = find(find(colours, "fieldG"), "valueText")
            field.forceActiveFocus()
            field.text = "77"
            keyClick(Qt.Key_Return)
            compare(ui_View.lastCall("ui_10H_SetLED8StageColor")[1].slice(6, 9), [6, 77, 8])
        }

        function test_colourReset() {
            var d = []
            for (var i = 0; i < 24; ++i)
                d.push(String(200 + i))
            ui_View.defaults = { 2: d.concat(["2", "7", "4"]) }
            ui_View.ledEffect = [9, 1, 1, 0]
            showColor(8)
            verify(!find(_color, "ledPower").isSelect)
            _color.pageReset()
            compare(ui_View.lastCall("ui_10H_SetLED8StageColor"), [0, d.map(Number)])
            compare(find(_color, "effects").defaultIndex, 2)
            compare(find(_color, "speed").currentIndex, 4)
            verify(find(_color, "ledPower").isSelect)
            // The effect itself waits for Apply.
            compare(ui_View.callsOf("ui_0DH_SetRGBLedEffect").length, 0)
        }

        function test_badReadsLeaveThePage() {
            ui_View.ledEffect = [3, 2, 1]
            showColor(8)
            var before = find(_color, "colours").colours()
            ui_View.ledEffect = [1, 2]
            ui_View.colours = { 0: [1, 2, 3] }
            _color.refreshUI()
            compare(find(_color, "effects").defaultIndex, 3)
            compare(find(_color, "colours").colours(), before)
        }
    }
}
