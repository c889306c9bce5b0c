import QtQuick

// A check box with its label; the click flips the state before the page hears of it.
Item {
    id: _checkbox

    property bool isSelect: false
    property string chkStr: ""

    signal clicked(bool select)

    width: _box.width + 6 + _label.implicitWidth
    height: Math.max(_box.height, _label.implicitHeight)
    opacity: (!enabled || _area.pressed) ? 0.2 : 1.0

    Accessible.role: Accessible.CheckBox
    Accessible.name: chkStr
    Accessible.checkable: true
    Accessible.checked: isSelect
    Accessible.onPressAction: if (enabled) toggle()
    Accessible.onToggleAction: if (enabled) toggle()

    function toggle() {
        ui_View.playMedia_Index(4)
        isSelect = !isSelect
        clicked(isSelect)
    }

    Image {
        id: _box
        width: 14
        height: 14
        anchors.verticalCenter: parent.verticalCenter
        source: _checkbox.isSelect ? _mainIten.sourceCHK1 : _mainIten.sourceCHK0
    }

    Text {
        id: _label
        x: _box.width + 6
        anchors.verticalCenter: parent.verticalCenter
        text: _checkbox.chkStr
        color: _area.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: _checkbox.toggle()
    }
}
