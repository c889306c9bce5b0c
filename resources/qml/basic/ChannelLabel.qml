import QtQuick

// "R ", "G ", "B " before the colour fields.
Text {
    height: 20
    verticalAlignment: Text.AlignVCenter
    color: _mainIten.globalSetting_color_disable
    font.pixelSize: 11
}
