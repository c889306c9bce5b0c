import QtQuick
import "frame.js" as Frame

// The product frame: function and profile menus and the page area that slides the five pages.
Item {
    id: _main_Q7

    property var deviceApConfig: []
    property int lastPressKeyCode: 0
    property var _ProductLayoutStringList: []
    property bool globalSettingSelected: false
    readonly property alias curID: _fkPage.curID
    readonly property alias pageSlidingOut: _slideOut.running
    readonly property alias pageSlidingIn: _slideIn.running

    signal msg_KB(bool isDown, int usbCode)

    function initUI() {
        deviceApConfig = ui_View.loadDeviceApConfig()
        _Page_Keydefine.initUI()
        _Page_Macro.initUI()
        _Page_Color.initUI(deviceApConfig)
        _Page_Sensor.initUI()
        _Page_pressGun.initUI()
    }

    // The bottom bar's ALL SAVE and ALL RESET reach every page that has an Apply and a Reset.
    function applyAll() {
        _Page_Color.pageApply()
        _Page_Sensor.pageApply()
    }

    function resetAll() {
        _Page_Color.pageReset()
        _Page_Sensor.pageReset()
    }

    function playOnPowerOn() {
        _Menu_Func.visible = true
        _Menu_Prof.visible = true
        _fkPage.visible = true
        _fkPage.curID = _Menu_Func.currentIndex
        _menusIn.restart()
    }

    function setSkin() {
        _Menu_Func.setSkin()
    }

    function translateStrings(code) {
        _ProductLayoutStringList = ui_View.getProductLayoutStrings_Q7(code)
        _Page_Keydefine.translateStrings()
        _Page_Macro.translateStrings()
        _Page_Color.translateStrings()
        _Menu_Func.translateStrings()
        _Menu_Prof.translateStrings()
        _Page_pressGun.translateStrings()
    }

    // Brings page `index` into the page area (negative: empties it).
    function show(index) {
        ui_View.playMedia_Index(2)
        switch (Frame.pageAction(index, _slideOut.running, _slideIn.running, _slideOut.nextPage)) {
        case "retarget":
            _slideOut.nextPage = index
            _slideOut.stop()
            slideOutDone()
            break
        case "finishIn":
            _fkPage.curID = index
            _slideIn.stop()
            _pages.x = 0
            break
        case "hide":
            _slideOut.nextPage = -1
            _slideOut.restart()
            break
        case "slideIn":
            _slideOut.nextPage = index
            _fkPage.curID = index
            _slideIn.restart()
            break
        case "switch":
            _slideOut.nextPage = index
            _slideOut.restart()
            break
        }
    }

    function slideOutDone() {
        _pages.x = -2 * _fkPage.width
        _fkPage.curID = _slideOut.nextPage
        if (_slideOut.nextPage >= 0)
            _slideIn.restart()
    }

    width: 1000
    height: 600

    Connections {
        target: _mainIten
        function onMsg_KB(isDown, usbCode) {
            if (isDown)
                _main_Q7.lastPressKeyCode = usbCode
            _main_Q7.msg_KB(isDown, usbCode)
        }
    }

    Flickable {
        id: _fkPage
        objectName: "pageArea"

        property int curID: -1

        x: 171
        y: 96
        width: 759
        height: 442
        clip: true
        interactive: false
        visible: false
        enabled: Frame.frameEnabled(_main_Q7.globalSettingSelected)
        opacity: Frame.partOpacity(enabled)

        Item {
            id: _pages
            width: _fkPage.width
            height: _fkPage.height
            x: -2 * _fkPage.width

            Page_Keydefine {
                id: _Page_Keydefine
                y: 46
                width: 759
                height: 396
                visible: _fkPage.curID === 0
            }
            Page_Macro {
                id: _Page_Macro
                y: 46
                width: 759
                height: 396
                visible: _fkPage.curID === 1
            }
            Page_Color {
                id: _Page_Color
                y: 46
                width: 759
                height: 396
                visible: _fkPage.curID === 2
            }
            Page_Sensor {
                id: _Page_Sensor
                y: 46
                width: 759
                height: 396
                visible: _fkPage.curID === 3
            }
            Page_pressGun {
                id: _Page_pressGun
                y: 46
                width: 759
                height: 396
                visible: _fkPage.curID === 4
                onResetKeyMatrix: _Page_Keydefine.resetKeymatrix.apply()
            }
        }
    }

    NumberAnimation {
        id: _slideIn
        target: _pages; property: "x"; from: -2 * _fkPage.width; to: 0
        duration: 0.5 * _mainIten.animation_speed; easing.type: Easing.OutCubic
    }

    NumberAnimation {
        id: _slideOut
        // The page that slides in once this one is out; negative leaves the area empty.
        property int nextPage: -1
        target: _pages; property: "x"; from: 0; to: -2 * _fkPage.width
        duration: 0.5 * _mainIten.animation_speed; easing.type: Easing.InCubic
        onFinished: _main_Q7.slideOutDone()
    }

    Menu_Func {
        id: _Menu_Func
        objectName: "menuFunc"
        x: -150
        y: 180
        visible: false
        currentIndex: -1
        enabled: Frame.frameEnabled(_main_Q7.globalSettingSelected)
        opacity: Frame.partOpacity(enabled)
        onIndexChanged_btn: function (currentIndex) {
            _main_Q7.show(currentIndex)
        }
    }

    Menu_Prof {
        id: _Menu_Prof
        objectName: "menuProf"
        x: 1000
        y: 95
        visible: false
        enabled: Frame.profileMenuEnabled(_main_Q7.globalSettingSelected, _fkPage.curID)
        opacity: Frame.partOpacity(enabled)
        onIndexChanged_btn: function (currentIndex) {
            ui_View.ui_02H_SetCurrentProfile(currentIndex)
            _Page_Keydefine.initUI()
            _Page_Color.refreshUI()
            _Page_Sensor.initUI()
        }
    }

    ParallelAnimation {
        id: _menusIn
        NumberAnimation {
            target: _Menu_Prof; property: "x"; from: 1000; to: 1000 - _Menu_Prof.width - 8
            duration: _mainIten.animation_speed; easing.type: Easing.OutElastic
        }
        NumberAnimation {
            target: _Menu_Func; property: "x"; from: -150; to: 8
            duration: _mainIten.animation_speed; easing.type: Easing.OutElastic
        }
        onFinished: {
            if (_fkPage.curID >= 0) {
                _slideOut.nextPage = _fkPage.curID
                _slideIn.restart()
            }
        }
    }
}
