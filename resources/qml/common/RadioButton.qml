import QtQuick

// One choice of a group. It only reports the click: the owning page decides the selection.
Item {
    id: _radio

    property bool isSelect: false
    property string chkStr: ""
    property int index: 0

    signal clicked(int index)

    width: 20 + _label.implicitWidth
    height: Math.max(14, _label.implicitHeight)
    opacity: (!enabled || _area.pressed) ? 0.2 : 1.0

    Accessible.role: Accessible.RadioButton
    Accessible.name: chkStr
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.onPressAction: if (enabled) press()

    function press() {
        ui_View.playMedia_Index(4)
        clicked(index)
    }

    Rectangle {
        id: _ring
        width: 14
        height: 14
        radius: 7
        anchors.verticalCenter: parent.verticalCenter
        color: "transparent"
        border.width: 1
        border.color: _radio.isSelect || _area.containsMouse ? _mainIten.globalSetting_color
                                                              : _mainIten.globalSetting_color_enable
        Rectangle {
            anchors.centerIn: parent
            width: 6
            height: 6
            radius: 3
            visible: _radio.isSelect
            color: _mainIten.globalSetting_color
        }
    }

    Text {
        id: _label
        x: 20
        anchors.verticalCenter: parent.verticalCenter
        text: _radio.chkStr
        color: _radio.isSelect || _area.containsMouse ? _mainIten.globalSetting_color
                                                      : _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: _radio.press()
    }
}
