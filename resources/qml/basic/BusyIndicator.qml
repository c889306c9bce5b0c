import QtQuick

// "LOADING ......", pulsing while the scene is locked.
Item {
    id: _busy

    property bool isBusy: false
    readonly property string text: "LOADING ......"

    function setBusy(busy) {
        isBusy = busy
        if (busy)
            _text.active = true
    }

    width: _text.item ? _text.item.implicitWidth : 0
    height: _text.item ? _text.item.implicitHeight : 0
    visible: isBusy

    // Tools driving the window wait while it shows. QAccessible::Animation by its number, as the
    // logo's role, for the first frame's sake.
    readonly property int animationRole: 0x36
    Accessible.role: animationRole
    Accessible.name: text

    // Made the first time it shows: the first text of the scene loads the fonts, which the
    // first frame, showing none, should not wait for.
    Loader {
        id: _text
        active: false
        sourceComponent: Text {
            text: _busy.text
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
}
