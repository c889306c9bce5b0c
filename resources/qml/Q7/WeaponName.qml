import QtQuick

// A weapon's name; an empty one shows a grey hint. The page hears of the text on Enter or when
// the focus goes elsewhere.
Item {
    id: _name

    property alias text: _input.text
    property alias textFocus: _input.focus
    property string label: ""
    readonly property string hint: "Type name"

    signal edited(string text)

    width: 300
    height: 22

    // Framed like the drop-down box: the short field's picture does not stretch this wide.
    Rectangle {
        anchors.fill: parent
        color: "#a0101318"
        border.width: 1
        border.color: _input.activeFocus ? _mainIten.globalSetting_color : "#40ffffff"
    }

    MouseArea {
        anchors.fill: parent
        onClicked: _input.forceActiveFocus()
    }

    Text {
        objectName: "nameHint"
        anchors.fill: _input
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
        visible: _input.text === "" && !_input.activeFocus
        text: _name.hint
        color: "#777777"
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: 11
    }

    TextInput {
        id: _input
        objectName: "nameText"
        Accessible.name: _name.label
        anchors.fill: parent
        anchors.leftMargin: 6
        anchors.rightMargin: 6
        verticalAlignment: TextInput.AlignVCenter
        horizontalAlignment: TextInput.AlignHCenter
        maximumLength: 20
        selectByMouse: true
        clip: true
        color: activeFocus ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        selectionColor: _mainIten.globalSetting_color
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: 11

        Keys.onReturnPressed: focus = false
        Keys.onEnterPressed: focus = false
        onActiveFocusChanged: {
            if (!activeFocus)
                _name.edited(text)
        }
    }

    Connections {
        target: _mainIten
        function onEmptyAreaPressed() {
            _input.focus = false
        }
    }
}
