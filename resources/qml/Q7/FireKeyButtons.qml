import QtQuick

// The fire-key choice: numbered buttons of which one is lit; a press picks that key.
Item {
    id: _group

    property int count: 3
    property int currentIndex: 0
    // What assistive tools call each button, with its number after it.
    property string label: ""

    signal clicked(int index)

    function choose(index) {
        ui_View.playMedia_Index(4)
        currentIndex = index
        clicked(index)
    }

    width: _row.width
    height: 26
    opacity: enabled ? 1.0 : 0.2

    Row {
        id: _row
        spacing: 6
        Repeater {
            model: _group.count
            Item {
                objectName: "fireKey" + index
                width: 44
                height: 26

                Accessible.role: Accessible.RadioButton
                Accessible.name: _group.label + " " + (index + 1)
                Accessible.checkable: true
                Accessible.checked: _group.currentIndex === index
                Accessible.onPressAction: if (enabled) _group.choose(index)

                Image {
                    anchors.fill: parent
                    source: _area.containsMouse || _group.currentIndex === index
                            ? _mainIten.sourceBtnGroup_FILLER_1 : _mainIten.sourceBtnGroup_FILLER_0
                }
                Text {
                    anchors.centerIn: parent
                    text: index + 1
                    color: _mainIten.globalSetting_color
                    font.bold: true
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: 12
                }
                MouseArea {
                    id: _area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: _group.choose(index)
                }
            }
        }
    }
}
