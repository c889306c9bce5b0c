import QtQuick

// The scene's root. The native side calls initUI, run, setProtectUI, detectKeyboard and
// detectMouse by name; their parameters stay untyped so those calls keep matching.
Item {
    id: _root
    width: 1000
    height: 600
    visible: false
    clip: true

    // 0 loaded, 1 initialised, 2 running, 3 closing
    property int startStage: 0
    property int busyTime: 0
    property string productName: "Q7"

    function initUI() {
        if (startStage === 0)
            startStage = 1
    }

    function run() {
        if (startStage !== 1)
            console.warn("run before initUI")
        startStage = 2
        ui_View.playMedia_Index(1)
        _root.visible = true
        _opening.start()
    }

    function setProtectUI(busyTime) {
        _root.busyTime = busyTime
    }

    function detectKeyboard(isDown, usbCode) {
    }

    function detectMouse(isDown, vornCode, x, y) {
    }

    function close() {
        if (startStage === 3)
            return
        startStage = 3
        _closing.start()
    }

    Rectangle {
        id: _frame
        anchors.fill: parent
        radius: 14
        color: "#14161b"
        border.color: "#2b2f38"
        border.width: 1
        opacity: 0

        Rectangle {
            id: _titleBar
            anchors { left: parent.left; right: parent.right; top: parent.top }
            height: 48
            radius: 14
            color: "#1b1e25"

            Rectangle {
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: 2
                color: "#00c2ff"
            }

            Text {
                anchors { left: parent.left; leftMargin: 22; verticalCenter: parent.verticalCenter }
                text: _root.productName
                color: "#e8ecf3"
                font.pixelSize: 20
                font.bold: true
                font.letterSpacing: 3
            }

            MouseArea {
                id: _drag
                anchors.fill: parent
                property point pressed
                onPressed: function (mouse) { pressed = Qt.point(mouse.x, mouse.y) }
                onPositionChanged: function (mouse) {
                    ui_Ctl.onXChanged(mouse.x - pressed.x)
                    ui_Ctl.onYChanged(mouse.y - pressed.y)
                }
            }

            Rectangle {
                id: _closeButton
                anchors { right: parent.right; rightMargin: 14; verticalCenter: parent.verticalCenter }
                width: 28
                height: 28
                radius: 14
                color: _closeArea.containsMouse ? "#e5484d" : "#2b2f38"
                Text {
                    anchors.centerIn: parent
                    text: "\u2715"
                    color: "#e8ecf3"
                    font.pixelSize: 14
                }
                MouseArea {
                    id: _closeArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: _root.close()
                }
            }
        }

        Text {
            anchors.centerIn: parent
            text: "Q7"
            color: "#2b2f38"
            font.pixelSize: 160
            font.bold: true
        }
    }

    // Input is ignored while the device is busy.
    MouseArea {
        anchors.fill: parent
        visible: _root.busyTime > 0
        hoverEnabled: true
    }

    ParallelAnimation {
        id: _opening
        NumberAnimation { target: _frame; property: "opacity"; from: 0; to: 1; duration: 600; easing.type: Easing.OutCubic }
        NumberAnimation { target: _frame; property: "scale"; from: 0.94; to: 1; duration: 600; easing.type: Easing.OutCubic }
    }

    SequentialAnimation {
        id: _closing
        NumberAnimation { target: _root; property: "height"; from: 600; to: 0; duration: 400; easing.type: Easing.InCubic }
        ScriptAction { script: ui_Ctl.onMinimize() }
    }
}
