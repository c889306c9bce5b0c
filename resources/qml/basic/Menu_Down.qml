import QtQuick
import "../common"

// The bottom bar with ALL RESET and ALL SAVE; each locks the scene while the pages write.
Item {
    id: _menuDown

    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    // Its images follow the skin through bindings.
    function setSkin() {
    }

    width: 1000
    height: 56

    Image {
        anchors.fill: parent
        source: _mainIten.sourceListDnContainer
    }

    Button_2state {
        id: _reset
        objectName: "allResetButton"
        x: 350
        y: 13
        width: 30
        height: 30
        source0: _mainIten.sourceReset0
        source1: _mainIten.sourceReset1
        tip: _resetLabel.text
        onClicked: {
            _mainIten.setProtectUI(800)
            _menuDown.btnTotalResetClicked()
        }
    }

    Text {
        id: _resetLabel
        anchors { left: _reset.right; leftMargin: 8; verticalCenter: _reset.verticalCenter }
        text: _mainIten.globalSetting_stringList[113]
        color: _reset.mouse.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        font.bold: true
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    Button_2state {
        id: _apply
        objectName: "allSaveButton"
        x: _resetLabel.x + _resetLabel.width + 35
        y: 13
        width: 30
        height: 30
        source0: _mainIten.sourceApply0
        source1: _mainIten.sourceApply1
        tip: _applyLabel.text
        onClicked: {
            _mainIten.setProtectUI(2000)
            _menuDown.btnTotalApplyClicked()
        }
    }

    Text {
        id: _applyLabel
        anchors { left: _apply.right; leftMargin: 8; verticalCenter: _apply.verticalCenter }
        text: _mainIten.globalSetting_stringList[114]
        color: _apply.mouse.containsMouse ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
        font.bold: true
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
}
