import QtQuick
import "pressgun.js" as Gun

// The twelve weapons of a game, four to a row, each with its picture and name.
Item {
    id: _grid

    property int game: 0
    property int currentIndex: 0
    // The weapons' names, by index.
    property var names: []

    signal picked(int index)

    width: 400
    height: 300

    Image {
        anchors.fill: parent
        source: _mainIten.sourcegunlist
    }

    Repeater {
        model: Gun.weaponCount
        Item {
            id: _cell
            objectName: "weapon" + index
            x: 10 + (index % 4) * 96
            y: 12 + Math.floor(index / 4) * 94
            width: 92
            height: 88

            readonly property string name: _grid.names[index] === undefined ? ""
                                                                             : _grid.names[index]

            Accessible.role: Accessible.Button
            Accessible.name: "WEAPON " + (index + 1)
            Accessible.description: name
            Accessible.ignored: !_grid.visible
            Accessible.onPressAction: if (enabled) _grid.picked(index)

            Image {
                id: _frame
                x: 1
                y: 6
                width: 90
                height: 45
                source: _mainIten.sourcegunFrame_S
                opacity: _area.containsMouse || index === _grid.currentIndex ? 1.0 : 0.55
            }
            Image {
                anchors.centerIn: _frame
                width: 84
                height: 33
                fillMode: Image.PreserveAspectFit
                source: Gun.picture(_mainIten.skinFolder, _grid.game, index)
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: _frame.bottom
                anchors.topMargin: 6
                width: parent.width - 6
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                text: _cell.name === "" ? String(index + 1) : _cell.name
                color: _area.containsMouse || index === _grid.currentIndex
                       ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: 11
            }
            MouseArea {
                id: _area
                anchors.fill: parent
                hoverEnabled: true
                onClicked: _grid.picked(index)
            }
        }
    }
}
