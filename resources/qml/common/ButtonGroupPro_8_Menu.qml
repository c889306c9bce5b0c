import QtQuick
import "../Q7/sensor.js" as Sensor

// One entry of the DPI value menu.
Rectangle {
    id: _entry

    property int value: 0
    property string label: ""

    signal clicked

    width: 46
    height: 16
    radius: 3
    color: "black"
    border.width: 1
    border.color: _area.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable

    Accessible.role: Accessible.MenuItem
    Accessible.name: _text.text
    Accessible.onPressAction: if (enabled) _entry.clicked()

    Text {
        id: _text
        anchors.centerIn: parent
        text: Sensor.stageText(_entry.value)
        color: _area.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: 11
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: _entry.clicked()
    }
}
