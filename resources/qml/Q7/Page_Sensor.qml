import QtQuick
import "../common"
import "sensor.js" as Sensor

// Sensor page: polling rate, the desktop's pointer settings, the eight DPI stages and their
// indicator colours. DPI values and colours go out as they change; the rest with Apply.
Item {
    id: _page

    property int sensorType: 0
    property bool isLogoLedWork: false
    property int dpiMAXStage: 8
    readonly property var dpiTable: Sensor.dpiTable(sensorType)

    function initUI() {
        sensorType = Number(ui_View.getSensorType())
        isLogoLedWork = ui_View.chkIsLogoLedWork()
        dpiMAXStage = Number(ui_View.ui_91H_SyncDPI())

        _rate.setCurIndex(Sensor.rateIndex(ui_View.ui_81H_GetReportRate()))
        _cursor.setCurIndex(Number(ui_View.getCursorSpeed()))
        _scroll.setCurIndex(Number(ui_View.getVerticalScrollLines()))
        _doubleClick.setCurIndex(Number(ui_View.getDoubleClickSpeed()))
        _dpi.setCurIndex(Sensor.stageIndex(ui_View.ui_8BH_GetCurrentDPIStage()))
        _dpi.valueForIndex = Sensor.numbers(ui_View.ui_91H_GetDPISet())

        _colours.setStageColours(Sensor.mergeColours(_colours.stageColours(),
                                                     ui_View.ui_90H_GetLED8StageColor(1),
                                                     ui_View.ui_90H_GetLED8StageColor(2)))
        _colours.select(_dpi.currentIndex)
    }

    function pageApply() {
        _colours.dropFocus()
        ui_View.ui_01H_SetReportRate(Sensor.rateCode(_rate.currentIndex))
        ui_View.setCursorSpeed(_cursor.currentIndex)
        ui_View.setVerticalScrollLines(_scroll.currentIndex)
        ui_View.setDoubleClickSpeed(_doubleClick.currentIndex)
        ui_View.ui_0BH_SetCurrentDPIStage(_dpi.currentIndex + 1)
    }

    // The factory values are shown; DPI stages and colours go out at once, the rest with the
    // next Apply. Without a factory file nothing changes.
    function pageReset() {
        _colours.dropFocus()
        var configs = ui_View.loadDefaultProfile(3)
        if (!configs || configs.length === 0)
            return
        var d = Sensor.readDefaults(configs)
        _rate.setCurIndex(d.rateIndex)
        _cursor.setCurIndex(d.cursorSpeed)
        _scroll.setCurIndex(d.scrollLines)
        _doubleClick.setCurIndex(d.doubleClickSpeed)
        _dpi.valueForIndex = d.dpiValues
        _dpi.setCurIndex(d.dpiIndex)
        sendDpi()
        _colours.setStageColours(Sensor.mergeColours(_colours.stageColours(), d.rgb, d.ids))
        _colours.select(_colours.currentIndex)
        sendColours()
    }

    function sendDpi() {
        ui_View.ui_11H_SetDPISet(dpiMAXStage, Sensor.dpiCodes(sensorType, _dpi.valueForIndex),
                                 _dpi.valueForIndex)
    }

    function sendColours() {
        var m = Sensor.colourMessage(_colours.stageColours(), isLogoLedWork)
        ui_View.ui_10H_SetLED8StageColor(m.type, m.values)
    }

    // A logo-palette swatch gives the selected stage that colour id.
    function choosePaletteColour(id) {
        _colours.setColourId(_colours.currentIndex, id)
        sendColours()
    }

    function translateStrings() {
    }

    // The open DPI menu must lie over the neighbouring pages' content too.
    z: _dpi.menuShown ? 10 : 0

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFnCommonBackground
    }

    PageLabel { x: 45; y: 50; text: _mainIten.globalSetting_stringList[100] }
    ButtonGroup_4 {
        id: _rate
        objectName: "pollingRate"
        x: 45
        y: 68
        valueForIndex: ["125 Hz", "250 Hz", "500 Hz", "1000 Hz"]
        currentIndex: 2
        label: _mainIten.globalSetting_stringList[100]
    }

    PageLabel { x: 45; y: 105; text: _mainIten.globalSetting_stringList[101] }
    Slider_11 {
        id: _cursor
        objectName: "cursorSpeed"
        x: 45
        y: 123
        currentIndex: 5
        label: _mainIten.globalSetting_stringList[101]
    }

    PageLabel { x: 45; y: 160; text: _mainIten.globalSetting_stringList[102] }
    Slider_11 {
        id: _scroll
        objectName: "scrollLines"
        x: 45
        y: 178
        currentIndex: 2
        label: _mainIten.globalSetting_stringList[102]
    }

    PageLabel { x: 45; y: 215; text: _mainIten.globalSetting_stringList[103] }
    Slider_11 {
        id: _doubleClick
        objectName: "doubleClickSpeed"
        x: 45
        y: 233
        currentIndex: 5
        label: _mainIten.globalSetting_stringList[103]
    }

    // What the desktop cannot take of the three settings above, or did not take at the last Apply.
    Text {
        objectName: "pointerNote"
        x: 45
        y: 258
        width: 315
        visible: text !== ""
        text: ui_View.pointerNote || ""
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        wrapMode: Text.WordWrap
        maximumLineCount: 3
        elide: Text.ElideRight
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    PageLabel { x: 385; y: 132; text: _mainIten.globalSetting_stringList[105] }
    ColorGroup_8 {
        id: _colours
        objectName: "indicatorColours"
        x: 385
        y: 150
        maxStage: _page.dpiMAXStage
        paletteMode: _page.isLogoLedWork
        label: _mainIten.globalSetting_stringList[105]
        onClicked: _page.sendColours()
    }

    Row {
        id: _logoPalette
        objectName: "logoPalette"
        x: 385
        y: 132 + 83
        width: 240
        visible: _page.isLogoLedWork
        Repeater {
            model: 8
            Item {
                objectName: "paletteColour" + index
                width: 30
                height: 40
                Accessible.role: Accessible.Button
                Accessible.name: _mainIten.globalSetting_stringList[105] + " " + (index + 1)
                Accessible.ignored: !_logoPalette.visible
                Accessible.onPressAction: if (enabled) _page.choosePaletteColour(index)
                Rectangle {
                    anchors.fill: parent
                    color: "transparent"
                    border.width: 1
                    border.color: _mainIten.globalSetting_color_enable
                    visible: _swatchArea.containsMouse
                }
                Rectangle {
                    x: 5
                    y: 10
                    width: 20
                    height: 20
                    color: {
                        var c = Sensor.paletteColour(index)
                        return Qt.rgba(c[0] / 255, c[1] / 255, c[2] / 255, 1)
                    }
                }
                MouseArea {
                    id: _swatchArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: _page.choosePaletteColour(index)
                }
            }
        }
    }

    PageButtons {
        x: 654
        y: 230
        onResetClicked: {
            _mainIten.setProtectUI(800)
            _page.pageReset()
        }
        onApplyClicked: {
            _mainIten.setProtectUI(1600)
            _page.pageApply()
        }
    }

    // Declared last: its value menu opens over everything else on the page.
    PageLabel { x: 385; y: 50; text: _mainIten.globalSetting_stringList[104] }
    ButtonGroupPro_8 {
        id: _dpi
        objectName: "dpiStages"
        x: 385
        y: 68
        maxStage: _page.dpiMAXStage
        currentIndex: 1
        valueForIndex: _page.dpiTable.valueForIndex
        valueForMenuIndex: _page.dpiTable.valueForMenuIndex
        menuCounter: _page.dpiTable.menuCounter
        label: _mainIten.globalSetting_stringList[104]
        onValueChanged: _page.sendDpi()
        onClicked: function (index) { _colours.select(index) }
    }
}
