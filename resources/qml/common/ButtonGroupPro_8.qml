import QtQuick
import "../Q7/sensor.js" as Sensor

// Eight DPI stages in two rows of four. A stage with a value can be made current; the ▼ mark of
// each shown stage opens a menu of values for it.
Item {
    id: _group

    property var valueForIndex: [0, 0, 0, 0, 0, 0, 0, 0]
    property int currentIndex: 0
    property int maxStage: 8
    property var valueForMenuIndex: []
    property int menuCounter: 18
    // The stage whose menu is open; -1 when none is.
    property int currentMenuIndex: -1
    property string label: ""
    readonly property bool menuShown: _menu.visible

    signal clicked(int index)
    signal valueChanged(int index, int value)

    function setCurIndex(index) {
        currentIndex = index
    }

    function getCurIndex() {
        return currentIndex
    }

    function stageShown(index) {
        return index < maxStage
    }

    function stageTakesClicks(index) {
        return stageShown(index) && Number(valueForIndex[index]) > 0
    }

    function choose(index) {
        if (!stageTakesClicks(index))
            return
        currentIndex = index
        clicked(index)
    }

    // The mark of stage `index` was pressed at (x, y) in the group: the menu opens centred under
    // the pointer, 5 px below the stage.
    function toggleMenu(index, x, y) {
        if (!stageShown(index))
            return
        if (currentMenuIndex === index) {
            currentMenuIndex = -1
            showMenu(false, x, y)
            return
        }
        currentMenuIndex = index
        var b = _buttons.itemAt(index)
        showMenu(true, x, b.y + b.height + 5)
    }

    function showMenu(isOpen, x, y) {
        if (isOpen) {
            if (_fadeIn.running)
                _fadeIn.complete()
            if (_fadeOut.running)
                _fadeOut.complete()
            _menu.x = x - _menu.width / 2
            _menu.y = y
            _menu.visible = true
            _fadeIn.restart()
        } else {
            if (_fadeIn.running)
                _fadeIn.complete()
            if (_fadeOut.running)
                _fadeOut.complete()
            if (_menu.visible)
                _fadeOut.restart()
        }
    }

    function chooseMenuValue(menuIndex) {
        if (currentMenuIndex < 0)
            return
        var index = currentMenuIndex
        var value = valueForMenuIndex[menuIndex]
        var values = valueForIndex.slice()
        while (values.length < 8)
            values.push(0)
        values[index] = value
        valueForIndex = values
        currentMenuIndex = -1
        showMenu(false, 0, 0)
        valueChanged(index, value)
    }

    width: 312
    height: 50
    opacity: enabled ? 1.0 : 0.2
    // The open menu hangs below the group: keep it over the neighbours.
    z: _menu.visible ? 40 : 0

    Image {
        anchors.fill: parent
        source: _mainIten.sourceBtnGroup_8_BASE
    }

    Repeater {
        id: _buttons
        model: 8
        Item {
            id: _button
            objectName: "stage" + index
            readonly property bool shown: _group.stageShown(index)
            x: 3 + 77 * (index % 4)
            y: index < 4 ? 8 : 27
            width: 74
            height: 17

            Accessible.role: Accessible.RadioButton
            Accessible.name: _group.label + " " + (index + 1)
            Accessible.description: _text.text
            Accessible.checkable: true
            Accessible.checked: _group.currentIndex === index
            Accessible.ignored: !shown
            Accessible.onPressAction: if (enabled) _group.choose(index)

            Image {
                anchors.fill: parent
                visible: _button.shown
                source: _area.containsMouse || _group.currentIndex === index
                        ? _mainIten.sourceBtnGroup_FILLER_1 : _mainIten.sourceBtnGroup_FILLER_0
            }
            Text {
                id: _text
                anchors { verticalCenter: parent.verticalCenter; horizontalCenter: parent.horizontalCenter
                          horizontalCenterOffset: -6 }
                visible: _button.shown
                text: Sensor.stageText(_group.valueForIndex[index])
                color: _mainIten.globalSetting_color
                font.bold: true
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: 11
            }
            MouseArea {
                id: _area
                anchors { left: parent.left; top: parent.top; bottom: parent.bottom; right: _markArea.left }
                enabled: _group.stageTakesClicks(index)
                hoverEnabled: true
                onClicked: _group.choose(index)
            }
            Item {
                id: _markArea
                objectName: "mark" + index
                anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
                width: 16
                visible: _button.shown

                Accessible.role: Accessible.ButtonMenu
                Accessible.name: _group.label + " " + (index + 1) + " ▼"
                Accessible.ignored: !_button.shown
                Accessible.onPressAction: {
                    if (!enabled)
                        return
                    var p = _markArea.mapToItem(_group, _markArea.width / 2, _markArea.height / 2)
                    _group.toggleMenu(index, p.x, p.y)
                }

                Text {
                    anchors.centerIn: parent
                    text: "▼"
                    font.family: "Arial"
                    font.bold: true
                    font.pixelSize: 8
                    color: _markMouse.containsMouse || _group.currentMenuIndex === index
                           ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                }
                MouseArea {
                    id: _markMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: function (mouse) {
                        var p = mapToItem(_group, mouse.x, mouse.y)
                        _group.toggleMenu(index, p.x, p.y)
                    }
                }
            }
        }
    }

    Grid {
        id: _menu
        objectName: "valueMenu"
        columns: 3
        spacing: 2
        visible: false
        opacity: 0

        Accessible.role: Accessible.PopupMenu
        Accessible.name: _group.label

        Repeater {
            model: _group.menuCounter
            ButtonGroupPro_8_Menu {
                objectName: "menuEntry" + index
                value: Number(_group.valueForMenuIndex[index]) || 0
                onClicked: _group.chooseMenuValue(index)
            }
        }
    }

    NumberAnimation {
        id: _fadeIn
        target: _menu; property: "opacity"; from: 0; to: 1
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
