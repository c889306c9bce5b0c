import QtQuick

// The mouse as the colour page shows it, its light in the colour of the selected entry.
Item {
    id: _model

    property bool lit: true
    property color glow: "red"

    width: 260
    height: 360

    Image {
        anchors.fill: parent
        source: _mainIten.sourceModel_Q7_Color
    }

    // The light under the shell: a soft strip down the middle and a ring at the foot.
    Rectangle {
        x: parent.width / 2 - 3
        y: parent.height * 0.22
        width: 6
        height: parent.height * 0.5
        radius: 3
        color: _model.glow
        opacity: _model.lit ? 0.75 : 0
        Behavior on opacity { NumberAnimation { duration: 200 } }
    }
    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        y: parent.height * 0.86
        width: parent.width * 0.5
        height: 6
        radius: 3
        color: _model.glow
        opacity: _model.lit ? 0.6 : 0
        Behavior on opacity { NumberAnimation { duration: 200 } }
    }
}
