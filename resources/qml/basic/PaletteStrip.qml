import QtQuick
import "globalsetting.js" as Settings

// The vertical colour strip; a press or drag picks the colour under the pointer.
Item {
    id: _strip

    property string label: ""

    signal picked(int r, int g, int b)

    // Picked with the pointer only: a colour chooser without actions.
    Accessible.role: Accessible.ColorChooser
    Accessible.name: label

    function pickAt(y) {
        var rgb = Settings.stripPick(Math.max(0, Math.min(y, height - 1)), height)
        picked(rgb[0], rgb[1], rgb[2])
    }

    width: 14
    height: 129

    Image {
        anchors.fill: parent
        source: _mainIten.sourcePalette
    }

    Image {
        id: _marker
        x: -3
        y: _area.lastY - height / 2
        width: _strip.width + 6
        source: _mainIten.sourcePaletteIndex
        visible: _area.lastY >= 0
    }

    MouseArea {
        id: _area
        property real lastY: -1
        anchors.fill: parent
        onPressed: function (mouse) {
            lastY = mouse.y
            _strip.pickAt(mouse.y)
        }
        onPositionChanged: function (mouse) {
            lastY = Math.max(0, Math.min(mouse.y, _strip.height - 1))
            _strip.pickAt(mouse.y)
        }
    }
}
