import QtQuick
import "controls.js" as Controls
import "../basic/keycodes.js" as KeyCodes

// A key-capture box: click to arm it, the next key event names the key.
Item {
    id: _keyInput

    property bool isSelect: false
    property int tmpKeycodeUSB: 0
    property string tmpKeyString: ""

    // What assistive tools call the box; they read the captured key as its value.
    property string label: ""

    signal inputComplete(int usbCode)

    Accessible.role: Accessible.Button
    Accessible.name: label
    Accessible.description: Controls.keyBoxText(tmpKeyString)
    Accessible.onPressAction: toggle()

    // A click empties the box and arms it, or disarms it.
    function toggle() {
        tmpKeycodeUSB = 0
        tmpKeyString = ""
        isSelect = !isSelect
    }

    function detectKeyboard(isDown, usbCode) {
        if (!isSelect)
            return
        setKeycodeUSB(usbCode)
        inputComplete(usbCode)
    }

    // Only codes the key table can name are kept; anything else leaves the box empty.
    function setKeycodeUSB(code) {
        isSelect = false
        var name = code < 0 ? undefined : KeyCodes.keycodeTostr(code)
        if (name === undefined) {
            tmpKeycodeUSB = 0
            tmpKeyString = ""
        } else {
            tmpKeycodeUSB = code
            tmpKeyString = name
        }
    }

    width: 150
    height: 20
    opacity: enabled ? 1.0 : 0.2

    Rectangle {
        anchors.fill: parent
        color: "#a0101318"
        border.width: 1
        border.color: _keyInput.isSelect ? _mainIten.globalSetting_color : "#40ffffff"
        SequentialAnimation on border.width {
            running: _keyInput.isSelect
            loops: Animation.Infinite
            alwaysRunToEnd: true
            NumberAnimation { from: 1; to: 2; duration: 300 }
            NumberAnimation { from: 2; to: 1; duration: 300 }
        }
    }

    Text {
        objectName: "keyText"
        anchors.centerIn: parent
        text: Controls.keyBoxText(_keyInput.tmpKeyString)
        color: _keyInput.isSelect || _area.containsMouse ? _mainIten.globalSetting_color
                                                         : _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: _keyInput.toggle()
    }
}
