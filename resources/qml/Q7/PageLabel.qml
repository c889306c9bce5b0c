import QtQuick

// A page's bold caption above its control.
Text {
    color: _mainIten.globalSetting_color
    font.bold: true
    font.family: _mainIten.globalSetting_fontFamily
    font.pixelSize: _mainIten.globalSetting_size
}
