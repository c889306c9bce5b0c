import QtQuick
import "controls.js" as Controls

// A closed box that drops a list of the model's textX entries below itself.
Item {
    id: _dropdown

    property ListModel mdItems: ListModel {}
    property int defaultIndex: -1
    property bool isSelect: false
    readonly property int rowHeight: 20
    readonly property int fullHeight: mdItems.count * rowHeight

    property string label: ""

    signal listElementClicked(int index)

    Accessible.role: Accessible.ComboBox
    Accessible.name: label
    Accessible.description: Controls.dropdownText(mdItems, defaultIndex, "")
    Accessible.onPressAction: if (enabled) isSelect ? closeList() : showList()
    signal listOpened
    signal listClosed

    function setCurIndex(index) {
        defaultIndex = index
    }

    function getCurIndex() {
        return defaultIndex
    }

    function showList() {
        if (_opening.running) {
            finishOpening()
            return
        }
        if (_closing.running)
            finishClosing()
        isSelect = true
        _drop.visible = true
        _opening.duration = Controls.dropdownDuration(_mainIten.animation_speed, mdItems.count)
        _opening.start()
        listOpened()
    }

    function closeList() {
        if (_closing.running) {
            finishClosing()
            return
        }
        if (_opening.running)
            finishOpening()
        if (!isSelect && !_drop.visible)
            return
        isSelect = false
        _closing.duration = Controls.dropdownDuration(_mainIten.animation_speed, mdItems.count)
        _closing.start()
    }

    // Stopping never emits `finished`, so the end of each slide is applied by hand.
    function finishOpening() {
        _opening.stop()
        _drop.height = fullHeight
    }

    function finishClosing() {
        _closing.stop()
        _drop.height = 0
        _drop.visible = false
        listClosed()
    }

    width: 140
    height: 20
    z: isSelect || _drop.visible ? 50 : 0
    opacity: enabled ? 1.0 : 0.2

    Rectangle {
        id: _box
        anchors.fill: parent
        color: "#a0101318"
        border.width: 1
        border.color: _boxArea.containsMouse || _dropdown.isSelect ? _mainIten.globalSetting_color
                                                                     : "#40ffffff"
        Text {
            objectName: "boxText"
            anchors { left: parent.left; leftMargin: 6; right: _mark.left; verticalCenter: parent.verticalCenter }
            elide: Text.ElideRight
            text: Controls.dropdownText(_dropdown.mdItems, _dropdown.defaultIndex,
                                        _mainIten.globalSetting_stringList[1])
            color: _boxArea.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
            font.family: _mainIten.globalSetting_fontFamily
            font.pixelSize: _mainIten.globalSetting_size
        }
        Text {
            id: _mark
            anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
            text: "▼"
            color: _mainIten.globalSetting_color
            font.pixelSize: 8
            rotation: _dropdown.isSelect ? 180 : 0
        }
        MouseArea {
            id: _boxArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: _dropdown.isSelect ? _dropdown.closeList() : _dropdown.showList()
        }
    }

    Rectangle {
        id: _drop
        objectName: "dropList"
        y: _dropdown.height
        width: _dropdown.width
        height: 0
        visible: false
        clip: true
        color: "#f0101318"
        border.width: 1
        border.color: "#40ffffff"

        Column {
            width: parent.width
            Repeater {
                model: _dropdown.mdItems
                Item {
                    width: _drop.width
                    height: _dropdown.rowHeight
                    Rectangle {
                        anchors.fill: parent
                        anchors.margins: 1
                        color: _mainIten.globalSetting_color
                        opacity: _rowArea.containsMouse ? 0.18 : 0
                    }
                    Text {
                        anchors { left: parent.left; leftMargin: 6; verticalCenter: parent.verticalCenter }
                        text: textX
                        color: _rowArea.containsMouse || index === _dropdown.defaultIndex
                               ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                        font.family: _mainIten.globalSetting_fontFamily
                        font.pixelSize: _mainIten.globalSetting_size
                    }
                    Accessible.role: Accessible.ListItem
                    Accessible.name: textX
                    Accessible.onPressAction: if (enabled) _rowArea.choose()
                    MouseArea {
                        id: _rowArea
                        function choose() {
                            _dropdown.defaultIndex = index
                            _dropdown.closeList()
                            _dropdown.listElementClicked(index)
                        }
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: choose()
                    }
                }
            }
        }
    }

    NumberAnimation {
        id: _opening
        target: _drop
        property: "height"
        from: 0
        to: _dropdown.fullHeight
        easing.type: Easing.OutCubic
    }

    NumberAnimation {
        id: _closing
        target: _drop
        property: "height"
        to: 0
        easing.type: Easing.InCubic
        onFinished: {
            _drop.visible = false
            _dropdown.listClosed()
        }
    }
}
