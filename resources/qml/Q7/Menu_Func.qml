import QtQuick
import "frame.js" as Frame

// The five functions; clicking the open one closes it again.
Item {
    id: _menuFunc

    property int currentIndex: 0
    readonly property var stringIds: [74, 75, 76, 86, 119]
    readonly property var icons: ["fnKeydefine", "fnMacro", "fnColor", "fnSensor", "fnpressGun"]

    signal indexChanged_btn(int currentIndex)

    // Images and labels follow the skin and the string list through bindings.
    function setSkin() {
    }

    function translateStrings() {
    }

    function choose(index) {
        currentIndex = Frame.toggledEntry(currentIndex, index)
        indexChanged_btn(currentIndex)
    }

    width: 150
    height: _column.height

    Column {
        id: _column
        spacing: 13
        Repeater {
            model: 5
            Item {
                objectName: "fnButton" + index
                width: 150
                height: 37
                readonly property bool current: _menuFunc.currentIndex === index

                Accessible.role: Accessible.PageTab
                Accessible.name: _label.text
                Accessible.checkable: true
                Accessible.checked: current
                Accessible.onPressAction: if (enabled) _menuFunc.choose(index)

                Image {
                    anchors.fill: parent
                    source: _area.containsMouse ? _mainIten.sourceListFnBtn_1 : _mainIten.sourceListFnBtn_0
                }
                Image {
                    id: _icon
                    x: 150 / 15
                    anchors.verticalCenter: parent.verticalCenter
                    source: _mainIten.sourceListFnFolder + _menuFunc.icons[index]
                            + (parent.current ? "_1.png" : "_0.png")
                }
                Text {
                    id: _label
                    anchors { left: _icon.right; leftMargin: 15; verticalCenter: parent.verticalCenter }
                    text: _mainIten.globalSetting_stringList[_menuFunc.stringIds[index]] || ""
                    font.bold: true
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                    color: parent.current || _area.containsMouse ? _mainIten.globalSetting_color
                                                                 : _mainIten.globalSetting_color_enable
                }
                MouseArea {
                    id: _area
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: _menuFunc.choose(index)
                }
            }
        }
    }
}
