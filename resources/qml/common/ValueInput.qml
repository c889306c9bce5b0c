import QtQuick
import "controls.js" as Controls

// A short number field. The value reaches the page once per edit: on Enter (which drops the
// focus) or when the focus goes elsewhere; an emptied field comes back as "1".
Item {
    id: _valueInput

    property int minValue: 0
    property int maxValue: 255
    property alias maxLength: _input.maximumLength
    property alias inputValue: _input.text
    property alias textFocus: _input.focus
    property alias echoMode: _input.echoMode
    // What assistive tools call the field.
    property string label: ""

    signal valueChange(string value)

    width: 39
    height: 20
    opacity: enabled ? 1.0 : 0.2

    Image {
        anchors.fill: parent
        source: _mainIten.sourceInputValue
    }

    MouseArea {
        anchors.fill: parent
        onClicked: _input.forceActiveFocus()
    }

    TextInput {
        id: _input
        objectName: "valueText"
        Accessible.name: _valueInput.label
        anchors.fill: parent
        anchors.leftMargin: 4
        anchors.rightMargin: 4
        verticalAlignment: TextInput.AlignVCenter
        horizontalAlignment: TextInput.AlignHCenter
        text: "1"
        maximumLength: 3
        selectByMouse: true
        validator: IntValidator {
            bottom: _valueInput.minValue
            top: _valueInput.maxValue
        }
        color: activeFocus ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        selectionColor: _mainIten.globalSetting_color
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: 11

        // The validator lets "300" through as unfinished input; a number above the range is
        // refused outright instead.
        property string lastAccepted: text
        onTextEdited: {
            if (Controls.withinMax(text, _valueInput.maxValue))
                lastAccepted = text
            else
                text = lastAccepted
        }

        Keys.onReturnPressed: focus = false
        Keys.onEnterPressed: focus = false
        onActiveFocusChanged: {
            if (activeFocus)
                return
            text = Controls.committedValue(text)
            _valueInput.valueChange(text)
        }
    }

    Connections {
        target: _mainIten
        function onEmptyAreaPressed() {
            _input.focus = false
        }
    }
}
