import QtQuick
import "../common"

// The top bar: settings (0) and close (1).
Item {
    id: _menuUp

    readonly property bool isGlobalSettingSelect: _mainIten.globalSettingSelected

    signal btnClicked(int btnIndex)

    // Neither button has a text or a tip in the string list: assistive tools get these names.
    readonly property string settingsName: "SETTINGS"
    readonly property string closeName: "CLOSE"

    width: 1000
    height: 44

    Image {
        anchors.fill: parent
        source: _mainIten.sourceListUpContainer
    }

    Image {
        id: _settings
        objectName: "settingsButton"
        x: 918
        y: 10
        width: 24
        height: 24
        source: _settingsArea.containsMouse || _menuUp.isGlobalSettingSelect ? _mainIten.sourceAS1
                                                                             : _mainIten.sourceAS0

        Accessible.role: Accessible.Button
        Accessible.name: _menuUp.settingsName
        Accessible.checkable: true
        Accessible.checked: _menuUp.isGlobalSettingSelect
        Accessible.onPressAction: if (enabled) press()

        function press() {
            ui_View.playMedia_Index(2)
            _menuUp.btnClicked(0)
        }

        MouseArea {
            id: _settingsArea
            anchors.fill: parent
            hoverEnabled: true
            onContainsMouseChanged: if (containsMouse) _Page_Globalsetting.warmTypes()
            onClicked: _settings.press()
        }
    }

    Button_2state {
        objectName: "closeButton"
        x: 954
        y: 10
        width: 24
        height: 24
        source0: _mainIten.sourceAM0
        source1: _mainIten.sourceAM1
        tip: _menuUp.closeName
        onClicked: _menuUp.btnClicked(1)
    }
}
