import QtQuick
import "basic"

// The scene's root. The native side calls initUI, run, setProtectUI, detectKeyboard,
// detectMouse and showOutsideChange by name; their parameters stay untyped so those calls keep matching.
Item {
    id: _mainIten
    width: 1000
    height: 600
    visible: false
    clip: true

    // 0 loaded, 1 initialised, 2 running, 3 closing
    property int startStage: 0
    // The last busy-lock interval, in ms.
    property int busyTime: 0
    // The settings panel is open (the top bar's settings button).
    property bool globalSettingSelected: false
    // The opening's progress for the frame: the surroundings fade in, then the menus come in.
    property real surroundOpacity: 0
    property real menusIn: 0
    // The language the strings were last set in, and the profile an outside change last showed:
    // a frame built later starts from them.
    property string languageCode: ""
    property int outsideProfile: -1
    readonly property bool frameBuilt: _frame.status === Loader.Ready

    // The global look, owned by the settings panel and read by every page.
    property int globalSetting_size: _Page_Globalsetting._Size
    property color globalSetting_color: _Page_Globalsetting._Color
    property color globalSetting_color_enable: _Page_Globalsetting._ColorEnable
    property color globalSetting_color_disable: _Page_Globalsetting._ColorDisable
    property int animation_speed: _Page_Globalsetting._AnimationSpeed
    property var globalSetting_stringList: _Page_Globalsetting._StringList
    property string globalSetting_fontFamily: _Page_Globalsetting._FontFamily
    property string globalSetting_url: _Page_Globalsetting._Url
    property int skin_No: _Page_Globalsetting.skin_No
    property bool isCustomBackground: _Page_Globalsetting.isCustomBackground
    property url sourceCustomBackground: ""

    // Every image comes from the current skin's folder beside the program, through the provider
    // that keeps no decoded copy beside the texture.
    readonly property string skinPath: "modules/img/skin" + skin_No + "/"
    readonly property string skinFolder: "image://skin/" + skinPath
    readonly property string skinCommon: skinFolder + "common/"
    property url sourceBackground: skinFolder + "background.png"
    property url sourceFrameBackground: skinFolder + "frame/frameBackground.png"
    property url sourceDecoration1: skinFolder + "frame/decoration1.png"
    property url sourceDecoration2: skinFolder + "frame/decoration2.png"
    property url sourceWeb0: skinFolder + "frame/web_0.png"
    property url sourceWeb1: skinFolder + "frame/web_1.png"
    property url sourceSlider: skinCommon + "slider_BASE.png"
    property url sourceLine: skinCommon + "draw_line.png"
    property url sourceFilelist: skinCommon + "filelist_BASE.png"
    property url sourceInputValue: skinCommon + "draw_inputValue.png"
    property url sourcePaletteIndex: skinCommon + "draw_paletteIndex.png"
    property url sourceCHK0: skinCommon + "checkbox_0.png"
    property url sourceCHK1: skinCommon + "checkbox_1.png"
    property url sourcePalette: skinCommon + "draw_palette.png"
    property url sourceReset0: skinCommon + "reset_0.png"
    property url sourceReset1: skinCommon + "reset_1.png"
    property url sourceApply0: skinCommon + "apply_0.png"
    property url sourceApply1: skinCommon + "apply_1.png"
    property url sourceFram2btn: skinCommon + "fram_2btn.png"
    property url sourceAdd0: skinCommon + "add_0.png"
    property url sourceAdd1: skinCommon + "add_1.png"
    property url sourceImport0: skinCommon + "import_0.png"
    property url sourceImport1: skinCommon + "import_1.png"
    property url sourceDelete0: skinCommon + "delete_0.png"
    property url sourceDelete1: skinCommon + "delete_1.png"
    property url sourceRecord0: skinCommon + "record_0.png"
    property url sourceRecord1: skinCommon + "record_1.png"
    property url sourceStop0: skinCommon + "stop_0.png"
    property url sourceStop1: skinCommon + "stop_1.png"
    property url sourceSolidDelete0: skinCommon + "solid-delete_0.png"
    property url sourceSolidDelete1: skinCommon + "solid-delete_1.png"
    property url sourceSolidCut0: skinCommon + "solid-cut_0.png"
    property url sourceSolidCut1: skinCommon + "solid-cut_1.png"
    property url sourceSolidPaste0: skinCommon + "solid-paste_0.png"
    property url sourceSolidPaste1: skinCommon + "solid-paste_1.png"
    property url sourceSolidCopy0: skinCommon + "solid-copy_0.png"
    property url sourceSolidCopy1: skinCommon + "solid-copy_1.png"
    property url sourceSliderFiller0: skinCommon + "slider_FILLER_0.png"
    property url sourceSliderFiller1: skinCommon + "slider_FILLER_1.png"
    property url sourceBtnGroup_4_BASE: skinCommon + "btnGroup_4_BASE.png"
    property url sourceBtnGroup_8_BASE: skinCommon + "btnGroup_8_BASE.png"
    property url sourceBtnGroup_FILLER_0: skinCommon + "btnGroup_FILLER_0.png"
    property url sourceBtnGroup_FILLER_1: skinCommon + "btnGroup_FILLER_1.png"
    property url sourceBtnGroup2_FILLER_0: skinCommon + "btnGroup2_FILLER_0.png"
    property url sourceBtnGroup2_FILLER_1: skinCommon + "btnGroup2_FILLER_1.png"
    property url sourceSlider_11_BASE: skinCommon + "slider_11_BASE.png"
    property url sourceSlider_11_FILLER_0: skinCommon + "slider_11_FILLER_0.png"
    property url sourceSlider_11_FILLER_1: skinCommon + "slider_11_FILLER_1.png"
    property url sourceBtnFileListFrame: skinCommon + "btnFileListFrame.png"
    property url sourceBtnFrame: skinCommon + "btnFrame.png"
    property url sourceAS0: skinFolder + "list_up/applicationSetting_0.png"
    property url sourceAS1: skinFolder + "list_up/applicationSetting_1.png"
    property url sourceAM0: skinFolder + "list_up/applicationMinimize_0.png"
    property url sourceAM1: skinFolder + "list_up/applicationMinimize_1.png"
    property url sourceListUpContainer: skinFolder + "list_up/listUpContainer.png"
    property url sourceListDnContainer: skinFolder + "list_dn/listDnContainer.png"
    property url sourceListPfContainer: skinFolder + "list_pf/listPfContainer.png"
    property url sourceFW0: skinFolder + "list_pf/profileFW_0.png"
    property url sourceFW1: skinFolder + "list_pf/profileFW_1.png"
    property url sourceListFnBtn_0: skinFolder + "list_fn/listFnBtn_0.png"
    property url sourceListFnBtn_1: skinFolder + "list_fn/listFnBtn_1.png"
    readonly property string sourceListFnFolder: skinFolder + "list_fn/"
    property url sourceGlobalsettingBackground: skinFolder + "list_center/globalsettingBackground.png"
    property url sourceFnColorBackground: skinFolder + "list_center/fnColorBackground.png"
    property url sourceFnKeydefineBackground: skinFolder + "list_center/fnKeydefineBackground.png"
    property url sourceFnMacroBackground: skinFolder + "list_center/fnMacroBackground.png"
    property url sourceFnCommonBackground: skinFolder + "list_center/fnCommonBackground.png"
    property url sourceModel_Q7_Color: skinFolder + "model_ms/model_Q7_Color.png"
    property url sourceModel_Q7_KeyDefine: skinFolder + "model_ms/model_Q7_KeyDefine.png"
    property url sourcegunlist: skinFolder + "gun/gunlist.png"
    property url sourceApply_gun0: skinFolder + "gun/apply_gun0.png"
    property url sourceApply_gun1: skinFolder + "gun/apply_gun1.png"
    property url sourcegunFrame: skinFolder + "gun/gunFrame.png"
    property url sourcegunFrame_S: skinFolder + "gun/gunFrame_s.png"

    signal msg_KB(bool isDown, int usbCode)
    signal emptyAreaPressed

    onGlobalSettingSelectedChanged: _Page_Globalsetting.slide(globalSettingSelected)

    function initUI() {
        // The panel loads the strings the pages are built with: it goes first.
        _Page_Globalsetting.initUI()
        if (_frame.item)
            _frame.item.initUI()
        if (startStage === 0)
            startStage = 1
    }

    function run() {
        if (startStage !== 1)
            console.warn("run before initUI")
        startStage = 2
        _opening.restart()
        // After the opening's start: building the frame would otherwise hold its first step back.
        _frame.active = true
    }

    // The window shown again after its closing animation (the program ran on without it).
    function reopen() {
        _closing.stop()
        height = 600
    }

    function setProtectUI(interval) {
        busyTime = interval
        _BusyIndicator.setBusy(true)
        ui_View.setEnabled(false)
        _protectTimer.interval = interval
        _protectTimer.restart()
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, vornCode, x, y) {
    }

    // A slot called from outside the window changed what the pages may show.
    function showOutsideChange(slot, profile) {
        if (_frame.item)
            _frame.item.showOutsideChange(slot, profile)
        else
            outsideProfile = profile
    }

    function setSkin() {
        if (_frame.item)
            _frame.item.setSkin()
    }

    function translateStrings(code) {
        languageCode = code
        _Page_Globalsetting.translateStrings()
        if (_frame.item)
            _frame.item.translateStrings(code)
    }

    // The frame, finished now if it is still being built.
    function builtFrame() {
        _frame.asynchronous = false
        _frame.active = true
        return _frame.item
    }

    function close() {
        if (startStage === 3)
            return
        startStage = 3
        _closing.start()
    }

    Timer {
        id: _protectTimer
        interval: 1000
        onTriggered: {
            ui_View.setEnabled(true)
            _BusyIndicator.setBusy(false)
        }
    }

    MouseArea {
        id: _dragArea
        anchors.fill: parent
        property point pressPoint
        // Whether the window system moves the window for this press (asked at the press, so the
        // window follows the whole drag). Where it refuses, the window follows the offsets.
        property bool systemMove: false
        onPressed: function (mouse) {
            _mainIten.emptyAreaPressed()
            pressPoint = Qt.point(mouse.x, mouse.y)
            systemMove = ui_Ctl.startSystemMove()
        }
        onPositionChanged: function (mouse) {
            if (systemMove)
                return
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
    }

    BusyIndicator {
        id: _BusyIndicator
        objectName: "busyIndicator"
        z: 99
        anchors.centerIn: parent
    }

    // The rest of the window, built while the logo fades in: none of it shows before the logo has
    // risen, and the opening waits for it only where it is not built by then. A window that starts
    // hidden builds it when it first opens.
    Loader {
        id: _frame
        objectName: "frameLoader"
        width: 1000
        height: 600
        active: false
        asynchronous: true
        source: "WindowFrame.qml"
        onLoaded: {
            // initUI ran first: the frame catches up in the same order.
            if (_mainIten.startStage >= 1) {
                item.setSkin()
                if (_mainIten.languageCode !== "")
                    item.translateStrings(_mainIten.languageCode)
                item.initUI()
            }
            if (_mainIten.outsideProfile >= 0)
                item.showOutsideChange("", _mainIten.outsideProfile)
        }
    }

    Logo {
        id: _Logo
        anchors.horizontalCenter: parent.horizontalCenter
        y: 270
        opacity: 0
    }

    Page_Globalsetting {
        id: _Page_Globalsetting
        objectName: "globalSetting"
        x: 5
        y: 27
    }

    SequentialAnimation {
        id: _opening
        ScriptAction {
            script: {
                ui_View.playMedia_Index(1)
                _mainIten.visible = true
            }
        }
        NumberAnimation {
            target: _Logo; property: "opacity"; from: 0; to: 1
            duration: _mainIten.animation_speed; easing.type: Easing.InCirc
        }
        NumberAnimation {
            target: _Logo; property: "y"; from: 270; to: 4
            duration: 1.5 * _mainIten.animation_speed; easing.type: Easing.OutExpo
        }
        ScriptAction { script: _mainIten.builtFrame() }
        NumberAnimation {
            target: _mainIten; property: "surroundOpacity"; from: 0; to: 1
            duration: _mainIten.animation_speed; easing.type: Easing.OutCirc
        }
        ParallelAnimation {
            NumberAnimation {
                target: _mainIten; property: "menusIn"; from: 0; to: 1
                duration: _mainIten.animation_speed; easing.type: Easing.OutElastic
            }
            ScriptAction { script: _frame.item.playOnPowerOn() }
        }
    }

    SequentialAnimation {
        id: _closing
        NumberAnimation {
            target: _mainIten; property: "height"; from: 600; to: 0
            duration: _mainIten.animation_speed; easing.type: Easing.InOutCubic
        }
        ScriptAction { script: ui_Ctl.onMinimize() }
    }
}
