import QtQuick
import "frame.js" as Frame

// The ten profiles. A left click switches; a right click offers load, save and reset of the file,
// and the rules that choose profiles.
Item {
    id: _menuProf

    property int currentIndex: 0

    signal indexChanged_btn(int currentIndex)

    // Labels are bound to the string list; kept for the frame's translate pass.
    function translateStrings() {
    }

    function switchTo(index) {
        if (index === currentIndex)
            return
        currentIndex = index
        indexChanged_btn(index)
    }

    function menuItemChosen(item, entry) {
        if (item === 0)
            ui_View.loadProfile(entry)
        else if (item === 1)
            ui_View.saveProfile(entry)
        else if (item === 2)
            ui_View.resetProfile(entry)
        else if (item === Frame.profileMenuRules)
            _Page_Globalsetting.showRules(entry, true)
        if (Frame.profileItemReloads(item, entry, currentIndex))
            indexChanged_btn(currentIndex)
    }

    width: 78
    height: 400

    Image {
        anchors.fill: parent
        source: _mainIten.sourceListPfContainer
    }

    Column {
        x: 23
        y: 97
        Repeater {
            model: 10
            Item {
                objectName: "profile" + index
                width: 49
                height: 26

                Accessible.role: Accessible.RadioButton
                Accessible.name: _label.text
                Accessible.checkable: true
                Accessible.checked: _menuProf.currentIndex === index
                Accessible.onPressAction: if (enabled) _menuProf.switchTo(index)

                Image {
                    anchors.fill: parent
                    source: _menuProf.currentIndex === index || _area.containsMouse ? _mainIten.sourceFW1
                                                                                    : _mainIten.sourceFW0
                }
                Text {
                    id: _label
                    anchors.centerIn: parent
                    text: Frame.profileLabel(index)
                    font.family: "Arial"
                    font.bold: true
                    font.pixelSize: _mainIten.globalSetting_size
                    color: _menuProf.currentIndex === index || _area.containsMouse
                           ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                }
                MouseArea {
                    id: _area
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onClicked: function (mouse) {
                        if (mouse.button === Qt.RightButton) {
                            _contextMenu.open(mouse.x - 45, index * 26 + mouse.y + 85, index)
                            return
                        }
                        _menuProf.switchTo(index)
                    }
                }
            }
        }
    }

    ProfileContextMenu {
        id: _contextMenu
        objectName: "profileMenu"
        z: 10
        onItemChosen: function (item, entry) {
            _menuProf.menuItemChosen(item, entry)
        }
    }
}
