import QtQuick

// Four side-by-side choice buttons; the current one stays lit.
Item {
    id: _group

    property var valueForIndex: [0, 1, 2, 3]
    property int currentIndex: 0
    // The group's name, for assistive tools: each button is called by it and its position.
    property string label: ""

    signal clicked(int index)

    function setCurIndex(index) {
        currentIndex = index
    }

    function getCurIndex() {
        return currentIndex
    }

    function choose(index) {
        currentIndex = index
        clicked(index)
    }

    width: 312
    height: 30
    opacity: enabled ? 1.0 : 0.2

    Image {
        anchors.fill: parent
        source: _mainIten.sourceBtnGroup_4_BASE
    }

    Repeater {
        model: 4
        Item {
            id: _button
            objectName: "choice" + index
            x: 3 + 77 * index
            y: 4
            width: 74
            height: 22

            Accessible.role: Accessible.RadioButton
            Accessible.name: _group.label + " " + (index + 1)
            Accessible.description: _text.text
            Accessible.checkable: true
            Accessible.checked: _group.currentIndex === index
            Accessible.onPressAction: if (enabled) _group.choose(index)

            Image {
                anchors.fill: parent
                source: _area.containsMouse || _group.currentIndex === index
                        ? _mainIten.sourceBtnGroup_FILLER_1 : _mainIten.sourceBtnGroup_FILLER_0
            }
            Text {
                id: _text
                anchors.centerIn: parent
                text: _group.valueForIndex[index] === undefined ? "" : _group.valueForIndex[index]
                color: _mainIten.globalSetting_color
                font.bold: true
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: 11
            }
            MouseArea {
                id: _area
                anchors.fill: parent
                hoverEnabled: true
                onClicked: _group.choose(index)
            }
        }
    }
}
