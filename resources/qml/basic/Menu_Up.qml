import QtQuick
import "../common"

// The top bar: settings (0) and close (1).
Item {
    id: _menuUp

    property bool isGlobalSettingSelect: false

    signal btnClicked(int btnIndex)

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
        MouseArea {
            id: _settingsArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: {
                ui_View.playMedia_Index(2)
                _menuUp.btnClicked(0)
            }
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
        onClicked: _menuUp.btnClicked(1)
    }
}
