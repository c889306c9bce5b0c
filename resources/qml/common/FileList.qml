import QtQuick
import "controls.js" as Controls

// A scrolling list of one-line entries (textX, with textR right-aligned) that can rename one
// entry in place.
Item {
    id: _fileList

    property ListModel mdItems: ListModel {}
    property alias lvItems: _list
    property int currentIndex: -1
    property int editIndex: -1
    readonly property int rowHeight: 20

    // What assistive tools call the list.
    property string label: ""

    Accessible.role: Accessible.List
    Accessible.name: label

    signal listElementClicked(int index)
    signal listElementRightBtnClicked(int index)
    signal editFileName_start(int tarIndex)
    signal editFileName_completed(string oldName, string newName)

    function editFileName(index) {
        if (index < 0 || index >= mdItems.count)
            return
        _list.positionViewAtIndex(index, ListView.Contain)
        editIndex = index
        _editor.begin()
        editFileName_start(index)
    }

    width: 200
    height: 200
    opacity: enabled ? 1.0 : 0.2

    Connections {
        target: _fileList.mdItems
        function onCountChanged() {
            if (_fileList.mdItems.count === 0)
                _fileList.currentIndex = -1
        }
    }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFilelist
    }

    ListView {
        id: _list
        anchors.fill: parent
        anchors.margins: 2
        anchors.rightMargin: 8
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: _fileList.mdItems
        currentIndex: _fileList.currentIndex
        highlightFollowsCurrentItem: false

        delegate: Item {
            id: _row
            width: _list.width
            height: _fileList.rowHeight
            readonly property bool editing: index >= 0 && _fileList.editIndex === index

            Accessible.role: Accessible.ListItem
            // The right-hand text tells a press line from a release line.
            Accessible.name: textR.trim() === "" ? textX : textX + " " + textR.trim()
            Accessible.selectable: true
            Accessible.selected: index === _fileList.currentIndex
            Accessible.onPressAction: _rowArea.choose()

            Rectangle {
                anchors.fill: parent
                color: _mainIten.globalSetting_color
                opacity: index === _fileList.currentIndex ? 0.25 : (_rowArea.containsMouse ? 0.1 : 0)
            }
            Text {
                anchors { left: parent.left; leftMargin: 6; verticalCenter: parent.verticalCenter }
                visible: !_row.editing
                text: textX
                color: index === _fileList.currentIndex || _rowArea.containsMouse
                       ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: _mainIten.globalSetting_size
            }
            Text {
                anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
                text: typeof textR === "undefined" ? "" : textR
                color: _mainIten.globalSetting_color_disable
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: _mainIten.globalSetting_size
            }
            MouseArea {
                id: _rowArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: function (mouse) {
                    // A delegate of removed rows lingers until deleted; it answers nothing.
                    if (index < 0)
                        return
                    if (mouse.button === Qt.RightButton) {
                        _fileList.listElementRightBtnClicked(index)
                        return
                    }
                    choose()
                }
                function choose() {
                    if (index < 0)
                        return
                    _fileList.currentIndex = Controls.toggledIndex(_fileList.currentIndex, index)
                    _fileList.listElementClicked(_fileList.currentIndex)
                }
            }
        }
    }

    // One editor over the row being renamed; kept outside the list so the view's focus handling
    // does not take the keys away from it.
    TextInput {
        id: _editor
        property bool committed: false
        x: _list.x + 6
        y: _list.y + _fileList.editIndex * _fileList.rowHeight - _list.contentY
        width: _list.width - 6
        height: _fileList.rowHeight
        verticalAlignment: TextInput.AlignVCenter
        visible: false
        color: _mainIten.globalSetting_color
        selectionColor: _mainIten.globalSetting_color
        selectedTextColor: "#000000"
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size

        function begin() {
            committed = false
            text = _fileList.mdItems.get(_fileList.editIndex).textX
            visible = true
            forceActiveFocus()
            selectAll()
        }
        function commit() {
            var index = _fileList.editIndex
            var oldName = _fileList.mdItems.get(index).textX
            committed = true
            _fileList.mdItems.setProperty(index, "textX", text)
            end()
            _fileList.editFileName_completed(oldName, text)
        }
        function end() {
            _fileList.editIndex = -1
            visible = false
            focus = false
        }

        Keys.onReturnPressed: commit()
        Keys.onEnterPressed: commit()
        // Leaving without Return keeps the stored name.
        onActiveFocusChanged: {
            if (!activeFocus && !committed && _fileList.editIndex >= 0)
                end()
        }
    }

    Rectangle {
        id: _scrollBar
        readonly property real ratio: _list.contentHeight > 0 ? _list.height / _list.contentHeight : 1
        visible: ratio < 1
        x: parent.width - 6
        y: 2 + (_list.contentHeight > 0 ? _list.contentY / _list.contentHeight * (_fileList.height - 4) : 0)
        width: 3
        height: Math.max(12, ratio * (_fileList.height - 4))
        radius: 1.5
        color: _mainIten.globalSetting_color
        opacity: _barArea.pressed || _barArea.containsMouse ? 0.9 : 0.5

        MouseArea {
            id: _barArea
            anchors.fill: parent
            anchors.margins: -3
            hoverEnabled: true
            property real grabY: 0
            property real grabContentY: 0
            onPressed: function (mouse) {
                grabY = mapToItem(_fileList, mouse.x, mouse.y).y
                grabContentY = _list.contentY
            }
            onPositionChanged: function (mouse) {
                if (!pressed)
                    return
                var dy = mapToItem(_fileList, mouse.x, mouse.y).y - grabY
                var maxY = Math.max(0, _list.contentHeight - _list.height)
                var moved = grabContentY + dy * _list.contentHeight / (_fileList.height - 4)
                _list.contentY = Math.min(Math.max(moved, 0), maxY)
            }
        }
    }
}
