import QtQuick

// One of the seven text colours of the settings panel.
Item {
    id: _swatch

    property color swatchColor: "black"
    property bool selected: false
    // Group label and 1-based position, for assistive tools.
    property string label: ""

    signal clicked

    width: 19
    height: 31

    Accessible.role: Accessible.RadioButton
    Accessible.name: label
    Accessible.checkable: true
    Accessible.checked: selected
    Accessible.onPressAction: if (enabled) clicked()

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: _mainIten.globalSetting_color_enable
        visible: _area.containsMouse
    }

    Rectangle {
        x: 2
        y: 4
        width: 15
        height: 15
        color: _swatch.swatchColor
        border.width: 1
        border.color: "#60000000"
    }

    Rectangle {
        y: parent.height - 5
        width: 19
        height: 3
        color: _mainIten.globalSetting_color
        visible: _swatch.selected
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: _swatch.clicked()
    }
}
