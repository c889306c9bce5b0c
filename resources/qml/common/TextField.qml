import QtQuick

// A one-line text field framed like the drop-down boxes. `accepted` comes with Enter.
Item {
    id: _field

    property alias text: _input.text
    property alias textFocus: _input.focus
    property alias maximumLength: _input.maximumLength
    // What assistive tools call the field.
    property string label: ""

    signal accepted(string text)

    width: 140
    height: 20
    opacity: enabled ? 1.0 : 0.2

    Rectangle {
        anchors.fill: parent
        color: "#a0101318"
        border.width: 1
        border.color: _input.activeFocus || _area.containsMouse ? _mainIten.globalSetting_color
                                                                : "#40ffffff"
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.IBeamCursor
        onClicked: _input.forceActiveFocus()
    }

    TextInput {
        id: _input
        objectName: "fieldText"
        Accessible.role: Accessible.EditableText
        Accessible.name: _field.label
        anchors.fill: parent
        anchors.leftMargin: 6
        anchors.rightMargin: 6
        verticalAlignment: TextInput.AlignVCenter
        clip: true
        selectByMouse: true
        maximumLength: 255
        color: activeFocus ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        selectionColor: _mainIten.globalSetting_color
        selectedTextColor: "#000000"
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size

        Keys.onReturnPressed: _field.accepted(text)
        Keys.onEnterPressed: _field.accepted(text)
    }

    Connections {
        target: _mainIten
        function onEmptyAreaPressed() {
            _input.focus = false
        }
    }
}
