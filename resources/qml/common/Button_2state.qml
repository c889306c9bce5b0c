import QtQuick

// An image button with a hover image; `mouse` lets a page hang a tool-tip on the hover.
Item {
    id: _button

    property url source0
    property url source1
    property alias mouse: _area
    // The hover tip; also the name assistive tools give the button.
    property string tip: ""

    signal clicked

    implicitWidth: _image.implicitWidth
    implicitHeight: _image.implicitHeight
    opacity: (!enabled || _area.pressed) ? 0.2 : 1.0

    Accessible.role: Accessible.Button
    Accessible.name: tip
    Accessible.onPressAction: if (enabled) press()

    function press() {
        ui_View.playMedia_Index(4)
        clicked()
    }

    Image {
        id: _image
        anchors.fill: parent
        source: _area.containsMouse ? _button.source1 : _button.source0
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: _button.press()
    }
}
