import QtQuick

// An image button with a hover image; `mouse` lets a page hang a tool-tip on the hover.
Item {
    id: _button

    property url source0
    property url source1
    property alias mouse: _area

    signal clicked

    implicitWidth: _image.implicitWidth
    implicitHeight: _image.implicitHeight
    opacity: (!enabled || _area.pressed) ? 0.2 : 1.0

    Image {
        id: _image
        anchors.fill: parent
        source: _area.containsMouse ? _button.source1 : _button.source0
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            ui_View.playMedia_Index(4)
            _button.clicked()
        }
    }
}
