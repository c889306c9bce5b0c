import QtQuick
import "frame.js" as Frame
import "../basic/globalsetting.js" as Settings

// LOAD / SAVE / RESET / RULES / CANCEL for one profile entry.
Rectangle {
    id: _menu

    property int entry: -1

    signal itemChosen(int item, int entry)

    Accessible.role: Accessible.PopupMenu
    Accessible.name: Frame.profileLabel(entry)

    function open(px, py, forEntry) {
        _Page_Globalsetting.warmTypes()
        entry = forEntry
        x = px
        y = py
        _fadeOut.stop()
        visible = true
        _fadeIn.restart()
    }

    function close() {
        if (!visible)
            return
        _fadeIn.stop()
        _fadeOut.restart()
    }

    width: 45
    height: Frame.profileMenuStrings.length * 20
    color: "#20000000"
    visible: false
    opacity: 0

    Column {
        Repeater {
            model: Frame.profileMenuStrings
            Item {
                objectName: "profileMenuItem" + index
                width: 45
                height: 20

                Accessible.role: Accessible.MenuItem
                Accessible.name: _text.text
                Accessible.onPressAction: if (enabled && _menu.visible) _area.choose()

                Text {
                    id: _text
                    anchors.centerIn: parent
                    text: Settings.stringAt(_mainIten.globalSetting_stringList, modelData)
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                    color: _area.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                }
                MouseArea {
                    id: _area
                    anchors.fill: parent
                    hoverEnabled: true
                    function choose() {
                        _menu.close()
                        _menu.itemChosen(index, _menu.entry)
                    }
                    onClicked: choose()
                }
            }
        }
    }

    NumberAnimation {
        id: _fadeIn
        target: _menu; property: "opacity"; to: 1
        duration: 1.5 * _mainIten.animation_speed; easing.type: Easing.OutExpo
    }

    SequentialAnimation {
        id: _fadeOut
        NumberAnimation {
            target: _menu; property: "opacity"; to: 0
            duration: _mainIten.animation_speed; easing.type: Easing.OutExpo
        }
        PropertyAction { target: _menu; property: "visible"; value: false }
    }
}
