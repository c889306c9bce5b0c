import QtQuick
import "../common"

// A page's small image button; its tip shows above it while hovered.
Button_2state {
    id: _button

    width: 24
    height: 24

    Text {
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.top; bottomMargin: 4 }
        visible: _button.mouse.containsMouse
        text: _button.tip
        color: _mainIten.globalSetting_color
        font.bold: true
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
}
