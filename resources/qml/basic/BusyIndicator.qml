import QtQuick

// "LOADING ......", pulsing while the scene is locked.
Item {
    id: _busy

    property bool isBusy: false

    function setBusy(busy) {
        isBusy = busy
    }

    width: _text.implicitWidth
    height: _text.implicitHeight
    visible: isBusy

    // Tools driving the window wait while it shows.
    Accessible.role: Accessible.Animation
    Accessible.name: _text.text

    Text {
        id: _text
        text: "LOADING ......"
        font.bold: true
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
        color: _mainIten.globalSetting_color

        SequentialAnimation on opacity {
            running: _busy.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
        }
    }
}
