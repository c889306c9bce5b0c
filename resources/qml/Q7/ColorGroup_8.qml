import QtQuick
import "../common"
import "../basic"
import "../basic/globalsetting.js" as Settings
import "lighting.js" as Lighting
import "sensor.js" as Sensor

// Eight colour entries with a colour bar and R, G, B fields for the selected one. In palette
// mode each entry is one of the eight palette colours (its colour id) and the bar and fields
// give way to the page's palette row.
Item {
    id: _group

    property int currentIndex: 0
    property int maxStage: 8
    property bool paletteMode: false
    property string label: ""
    property alias entries: _entries
    // The selected entry's colour as shown.
    property color currentColour: "black"

    // An entry's colour changed and wants sending.
    signal clicked(int index)

    function setCurIndex(index) {
        select(index)
    }

    function getCurIndex() {
        return currentIndex
    }

    // Selecting copies the entry's colour into the fields; nothing is sent.
    function select(index) {
        var e = _entries.get(index)
        if (index < 0 || index >= 8 || !e)
            return
        currentIndex = index
        _r.inputValue = String(e.clrR)
        _g.inputValue = String(e.clrG)
        _b.inputValue = String(e.clrB)
        showCurrent()
    }

    function setRgb(index, r, g, b) {
        if (index < 0 || index >= 8)
            return
        _entries.setProperty(index, "clrR", r)
        _entries.setProperty(index, "clrG", g)
        _entries.setProperty(index, "clrB", b)
        showCurrent()
    }

    function setColourId(index, id) {
        if (index >= 0 && index < 8)
            _entries.setProperty(index, "color8_Id", id)
        showCurrent()
    }

    function showCurrent() {
        var e = _entries.get(currentIndex)
        if (e)
            currentColour = entryColour(e.clrR, e.clrG, e.clrB, e.color8_Id, paletteMode)
    }

    // Eight [r, g, b].
    function colours() {
        var out = []
        for (var i = 0; i < 8; ++i) {
            var e = _entries.get(i)
            out.push([e.clrR, e.clrG, e.clrB])
        }
        return out
    }

    function setColours(list) {
        for (var i = 0; i < 8; ++i)
            setRgb(i, list[i][0], list[i][1], list[i][2])
    }

    // Eight {r, g, b, id}, as the sensor page keeps them.
    function stageColours() {
        var out = []
        for (var i = 0; i < 8; ++i) {
            var e = _entries.get(i)
            out.push({ r: e.clrR, g: e.clrG, b: e.clrB, id: e.color8_Id })
        }
        return out
    }

    function setStageColours(list) {
        for (var i = 0; i < 8; ++i) {
            setRgb(i, list[i].r, list[i].g, list[i].b)
            setColourId(i, list[i].id)
        }
    }

    function src24() {
        return Lighting.coloursTo24(colours())
    }

    // Commits a field being edited (its value goes out as a change).
    function dropFocus() {
        _r.textFocus = false
        _g.textFocus = false
        _b.textFocus = false
    }

    function pick(r, g, b) {
        _r.inputValue = String(r)
        _g.inputValue = String(g)
        _b.inputValue = String(b)
        setRgb(currentIndex, r, g, b)
        clicked(currentIndex)
    }

    function typed() {
        setRgb(currentIndex, Number(_r.inputValue), Number(_g.inputValue), Number(_b.inputValue))
        clicked(currentIndex)
    }

    function entryColour(r, g, b, id, palette) {
        var c = palette ? Sensor.paletteColour(id) : [r, g, b]
        return Qt.rgba(c[0] / 255, c[1] / 255, c[2] / 255, 1)
    }

    width: 304
    height: paletteMode ? 44 : 92
    onPaletteModeChanged: showCurrent()

    ListModel {
        id: _entries
        Component.onCompleted: {
            for (var i = 0; i < 8; ++i) {
                var c = Lighting.defaultColours[i]
                append({ clrR: c[0], clrG: c[1], clrB: c[2], color8_Id: i })
            }
            _group.select(_group.currentIndex)
        }
    }

    Row {
        spacing: 8
        Repeater {
            model: _entries
            Item {
                id: _swatch
                objectName: "entry" + index
                readonly property bool usable: index < _group.maxStage
                width: 30
                height: 40
                enabled: usable
                opacity: usable ? 1.0 : 0

                Accessible.role: Accessible.RadioButton
                Accessible.name: _group.label + " " + (index + 1)
                Accessible.checkable: true
                Accessible.checked: _group.currentIndex === index
                Accessible.ignored: !usable
                Accessible.onPressAction: if (enabled) _group.select(index)

                Image {
                    anchors.fill: parent
                    source: _mainIten.sourceBtnGroup2_FILLER_0
                    visible: !_area.containsMouse && _group.currentIndex !== index
                }
                Image {
                    anchors.fill: parent
                    source: _mainIten.sourceBtnGroup2_FILLER_1
                    visible: _area.containsMouse || _group.currentIndex === index
                }
                Rectangle {
                    x: 5
                    y: 5
                    width: 20
                    height: 20
                    color: _group.entryColour(clrR, clrG, clrB, color8_Id, _group.paletteMode)
                    border.width: 1
                    border.color: "#60ffffff"
                }
                Text {
                    anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 2 }
                    text: index + 1
                    color: _group.currentIndex === index ? _mainIten.globalSetting_color
                                                         : _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: 10
                }
                MouseArea {
                    id: _area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: _group.select(index)
                }
            }
        }
    }

    Rectangle {
        id: _bar
        objectName: "colourBar"
        // Picked with the pointer only: a colour chooser without actions.
        Accessible.role: Accessible.ColorChooser
        Accessible.name: _group.label
        Accessible.ignored: !visible
        y: 50
        width: 302
        height: 12
        visible: !_group.paletteMode
        border.width: 1
        border.color: "#40ffffff"
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.0; color: "black" }
            GradientStop { position: 0.125; color: "red" }
            GradientStop { position: 0.25; color: "yellow" }
            GradientStop { position: 0.375; color: "lime" }
            GradientStop { position: 0.5; color: "cyan" }
            GradientStop { position: 0.625; color: "blue" }
            GradientStop { position: 0.75; color: "magenta" }
            GradientStop { position: 0.875; color: "white" }
            GradientStop { position: 1.0; color: "black" }
        }
        MouseArea {
            anchors.fill: parent
            function pickAt(x) {
                var rgb = Settings.stripPick(Math.max(0, Math.min(x, _bar.width - 1)), _bar.width)
                _group.pick(rgb[0], rgb[1], rgb[2])
            }
            onPressed: function (mouse) { pickAt(mouse.x) }
            onPositionChanged: function (mouse) { pickAt(mouse.x) }
        }
    }

    Row {
        y: 70
        spacing: 14
        visible: !_group.paletteMode
        Row {
            ChannelLabel { text: "R " }
            ValueInput { id: _r; objectName: "fieldR"; label: _group.label + " R"; onValueChange: _group.typed() }
        }
        Row {
            ChannelLabel { text: "G " }
            ValueInput { id: _g; objectName: "fieldG"; label: _group.label + " G"; onValueChange: _group.typed() }
        }
        Row {
            ChannelLabel { text: "B " }
            ValueInput { id: _b; objectName: "fieldB"; label: _group.label + " B"; onValueChange: _group.typed() }
        }
    }

}
