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

    // Pages not built yet read their state when they are first shown (pageBuilt).
    function initUI() {
        deviceApConfig = ui_View.loadDeviceApConfig()
        _Page_Keydefine.callPage("initUI")
        _Page_Macro.callPage("initUI")
        _Page_Color.callPage("initUI", [deviceApConfig])
        _Page_Sensor.callPage("initUI")
        _Page_pressGun.callPage("initUI")
    }

    // A page just built: it gets its state and the current strings.
    function pageBuilt(page, index) {
        if (index === 2)
            page.initUI(deviceApConfig)
        else
            page.initUI()
        if (page.translateStrings)
            page.translateStrings()
    }

    // The bottom bar's ALL SAVE and ALL RESET reach every page that has an Apply and a Reset,
    // opened or not: a page not shown yet is built for it and reads its state first.
    function applyAll() {
        _Page_Keydefine.build().pageApply()
        _Page_Color.build().pageApply()
        _Page_Sensor.build().pageApply()
    }

    function resetAll() {
        _Page_Keydefine.build().resetAll()
        _Page_Color.build().pageReset()
        _Page_Sensor.build().pageReset()
    }

    // q7ctl or the D-Bus interface ran `slot`: the profile menu shows the current profile and
    // the pages that show what the slot changes read it again, as after a profile switch.
    function showOutsideChange(slot, profile) {
        _Menu_Prof.currentIndex = profile
        var pages = Frame.pagesShowing(slot)
        var slots = [_Page_Keydefine, _Page_Macro, _Page_Color, _Page_Sensor, _Page_pressGun]
        pages.forEach(function (index) {
            slots[index].callPage(index === 2 ? "refreshUI" : "initUI")
        })
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
        _Page_Keydefine.callPage("translateStrings")
        _Page_Macro.callPage("translateStrings")
        _Page_Color.callPage("translateStrings")
        _Menu_Func.translateStrings()
        _Menu_Prof.translateStrings()
        _Page_pressGun.callPage("translateStrings")
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
            _Page_Keydefine.callPage("detectKeyboard", [isDown, usbCode])
            _Page_Macro.callPage("detectKeyboard", [isDown, usbCode])
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

            PageLoader {
                id: _Page_Keydefine
                pageIndex: 0
                currentPage: _fkPage.curID
                source: "Page_Keydefine.qml"
                onLoaded: {
                    item.layoutStrings = Qt.binding(function () {
                        return _main_Q7._ProductLayoutStringList
                    })
                    _main_Q7.pageBuilt(item, pageIndex)
                }
            }
            PageLoader {
                id: _Page_Macro
                pageIndex: 1
                currentPage: _fkPage.curID
                source: "Page_Macro.qml"
                onLoaded: _main_Q7.pageBuilt(item, pageIndex)
            }
            PageLoader {
                id: _Page_Color
                pageIndex: 2
                currentPage: _fkPage.curID
                source: "Page_Color.qml"
                onLoaded: _main_Q7.pageBuilt(item, pageIndex)
            }
            PageLoader {
                id: _Page_Sensor
                pageIndex: 3
                currentPage: _fkPage.curID
                source: "Page_Sensor.qml"
                onLoaded: _main_Q7.pageBuilt(item, pageIndex)
            }
            PageLoader {
                id: _Page_pressGun
                pageIndex: 4
                currentPage: _fkPage.curID
                source: "Page_pressGun.qml"
                onLoaded: {
                    // The key table is reset even when its page was never opened.
                    item.resetKeyMatrix.connect(function () {
                        _Page_Keydefine.build().resetKeymatrix.apply()
                    })
                    _main_Q7.pageBuilt(item, pageIndex)
                }
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
            // With "apply on switch" the mouse takes the profile too, not only the pages.
            if (ui_View.getRuleOptions().applyOnSwitch)
                ui_View.applyProfile(currentIndex)
            else
                ui_View.ui_02H_SetCurrentProfile(currentIndex)
            _Page_Keydefine.callPage("initUI")
            _Page_Color.callPage("refreshUI")
            _Page_Sensor.callPage("initUI")
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
            // A function chosen while the menus came in has brought its page already.
            if (Frame.openingPageWanted(_fkPage.curID, _slideIn.running, _slideOut.running, _pages.x)) {
                _slideOut.nextPage = _fkPage.curID
                _slideIn.restart()
            }
        }
    }
}
