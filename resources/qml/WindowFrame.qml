import QtQuick
import "basic"
import "Q7"
import "Q7/frame.js" as Frame

// The window's surroundings, its bars and the product frame with its menus and pages. The scene's
// root drives them: the opening's progress, the settings panel's state, the calls from outside.
Item {
    id: _windowFrame

    width: 1000
    height: 600

    function initUI() {
        _main_Q7.initUI()
    }

    function setSkin() {
        _Menu_Down.setSkin()
        _main_Q7.setSkin()
    }

    function translateStrings(code) {
        _main_Q7.translateStrings(code)
    }

    function showOutsideChange(slot, profile) {
        _main_Q7.showOutsideChange(slot, profile)
    }

    function playOnPowerOn() {
        _main_Q7.playOnPowerOn()
    }

    Environment {
        opacity: _mainIten.surroundOpacity
    }

    Main_Q7 {
        id: _main_Q7
        objectName: "main_Q7"
        globalSettingSelected: _mainIten.globalSettingSelected
    }

    Environment_Decoration {
        opacity: _mainIten.surroundOpacity
    }

    Menu_Down {
        id: _Menu_Down
        objectName: "menuDown"
        y: 600 - height * _mainIten.menusIn
        enabled: Frame.frameEnabled(_mainIten.globalSettingSelected)
        opacity: Frame.partOpacity(enabled)
        onBtnTotalApplyClicked: _main_Q7.applyAll()
        onBtnTotalResetClicked: _main_Q7.resetAll()
    }

    Menu_Up {
        objectName: "menuUp"
        y: -600 * (1 - _mainIten.menusIn)
        onBtnClicked: function (btnIndex) {
            if (btnIndex === 0)
                _mainIten.globalSettingSelected = !_mainIten.globalSettingSelected
            else if (btnIndex === 1)
                _mainIten.close()
        }
    }
}
