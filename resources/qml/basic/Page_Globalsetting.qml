import QtQuick
import "../Q7/frame.js" as Frame
import "globalsetting.js" as Settings

// The global-settings panel: skin, sound, animation, language, background, the text look and the
// switches of the profile rules. It owns the values the whole scene draws with; its controls are
// built when it first opens. The rules panel takes its place when asked for, from here or from
// the profile menu.
Flickable {
    id: _panel

    property int _Size: 11
    property color _Color: "#FF00FFFF"
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property var _StringList: Settings.builtInStrings()
    property string _FontFamily: "Arial"
    property string _Url: ""
    property int skin_No: 1
    property bool isCustomBackground: false

    property var colors: Settings.builtInColors
    property int selectedColor: 0
    property int paletteR: 255
    property int paletteG: 255
    property int paletteB: 255
    property int brightnessIndex: 7
    property real brightnessValue: 255
    property int sizeChoice: 0
    property bool skinShown: true
    // What the controls show, kept here while they are not built.
    property int soundIndex: 0
    property int animationIndex: 0
    property int languageIndex: -1
    property string inputR: "1"
    property string inputG: "1"
    property string inputB: "1"
    // With the skin chooser hidden the rows below it move up.
    readonly property int rowShift: skinShown ? 0 : -11
    // 0 the settings, 1 the rules; rulesAlone: the rules were opened from the profile menu, and
    // leaving them closes the panel.
    property int part: 0
    property bool rulesAlone: false
    property int rulesProfile: -1
    // {rulesOn, applyOnSwitch, keepInStep, autostart, …} as the native side keeps them.
    property var ruleOptions: ({})
    // The parts' components while their types load (warmTypes).
    property var _warmParts: []

    function initUI() {
        var state = Settings.loadState(ui_View.loadApConfig())
        if (state) {
            skin_No = state.skinNo
            _mainIten.setSkin()

            if (state.soundIndex === 0)
                ui_View.setEnableAudio(true)
            else if (state.soundIndex === 1)
                ui_View.setEnableAudio(false)
            soundIndex = state.soundIndex

            _AnimationSpeed = Settings.animationTime(state.animationIndex)
            animationIndex = state.animationIndex

            initLanguage()
            languageIndex = state.languageIndex
            setLanguage(state.languageIndex)

            isCustomBackground = state.customBackground
            _mainIten.sourceCustomBackground = state.customBackgroundPath

            sizeChoice = state.sizeChoice
            _Size = Settings.textSize(sizeChoice)

            colors = state.colors
            selectedColor = state.selectedColor
            brightnessIndex = state.brightnessIndex
            brightnessValue = Settings.brightnessValue(brightnessIndex)
            var c = colors[selectedColor] || [255, 255, 255]
            setRGB(3, c[0], c[1], c[2])
            _Url = state.url
        }
        skinShown = ui_View.getIsSkinShow()
        ruleOptions = ui_View.getRuleOptions()
    }

    // A switch flipped: stored at once (it lives in the rule file, not in the configuration that
    // Apply saves). A refused change shows its box and the switch shows what is stored.
    function setRuleSwitch(name, on) {
        ui_View.setRuleOption(name, on)
        ruleOptions = ui_View.getRuleOptions()
    }

    // The rules panel, from the settings (alone false) or from the profile menu with profile
    // chosen for a new rule.
    function showRules(profile, alone) {
        rulesProfile = profile
        if (visible && !_close.running) {
            showPart(1)
            return
        }
        rulesAlone = alone
        part = 1
        _mainIten.globalSettingSelected = true
    }

    function leaveRules() {
        if (rulesAlone)
            _mainIten.globalSettingSelected = false
        else
            showPart(0)
    }

    // The shown part slides out and the other one in.
    function showPart(which) {
        if (which === part)
            return
        if (_open.running)
            finishOpening()
        _swapTo.value = which
        _swap.restart()
    }

    function translateStrings() {
        _skinModel.setProperty(0, "textX", _StringList[39])
        _skinModel.setProperty(1, "textX", _StringList[40])
        for (var i = 0; i < 2; ++i) {
            _soundModel.setProperty(i, "textX", _StringList[31 + i])
            _animationModel.setProperty(i, "textX", _StringList[31 + i])
        }
    }

    function initLanguage() {
        var map = ui_View.chkLanguages()
        _languageModel.clear()
        for (var name in map)
            _languageModel.append({ "textX": name, "code": String(map[name]) })
    }

    function setLanguage(uiIndex) {
        if (uiIndex < 0 || uiIndex >= _languageModel.count)
            return
        var code = _languageModel.get(uiIndex).code
        _StringList = Settings.padStrings(ui_View.getGlobalStrings(code))
        _mainIten.translateStrings(code)
        _FontFamily = _StringList[0]
    }

    // mode 1: picked on the strip, 2: typed, 3: swatch chosen; see Settings.paletteEffects.
    function setRGB(mode, r, g, b) {
        var effects = Settings.paletteEffects(mode)
        if (effects.inputs) {
            inputR = String(r)
            inputG = String(g)
            inputB = String(b)
        }
        if (effects.swatch && selectedColor >= 0 && selectedColor < 7) {
            var copy = colors.slice()
            copy[selectedColor] = [r, g, b]
            colors = copy
        }
        if (effects.color)
            _Color = Settings.colorWithAlpha(r, g, b, brightnessValue)
        paletteR = r
        paletteG = g
        paletteB = b
    }

    // The boxes' text is kept as typed, so a later pick of the same colour still reaches them.
    function typedRGB(r, g, b) {
        inputR = r
        inputG = g
        inputB = b
        setRGB(2, Number(r), Number(g), Number(b))
    }

    function setBrightness(index) {
        brightnessIndex = index
        brightnessValue = Settings.brightnessValue(index)
        _Color = Settings.colorWithAlpha(paletteR, paletteG, paletteB, brightnessValue)
    }

    function dropInputFocus() {
        if (_content.item)
            _content.item.dropInputFocus()
    }

    function resetApconfig() {
        dropInputFocus()
        chooseSound(1)
        ui_View.resetApconfig()
        initUI()
        ui_View.playMedia_Index(0)
    }

    function apply() {
        dropInputFocus()
        ui_View.saveApConfig(Settings.buildApConfig({
            skinNo: skin_No, soundIndex: soundIndex, animationIndex: animationIndex,
            languageIndex: languageIndex,
            customBackground: isCustomBackground,
            customBackgroundPath: String(_mainIten.sourceCustomBackground),
            sizeChoice: sizeChoice, colors: colors, selectedColor: selectedColor,
            brightnessIndex: brightnessIndex, url: _Url
        }))
        _mainIten.globalSettingSelected = false
    }

    function chooseSound(index) {
        soundIndex = index
        if (index === 0) {
            ui_View.setEnableAudio(true)
            ui_View.playMedia_Index(0)
        } else {
            ui_View.setEnableAudio(false)
            ui_View.clearAllMedia()
        }
    }

    function toggleCustomBackground() {
        if (isCustomBackground) {
            isCustomBackground = false
            _mainIten.sourceCustomBackground = ""
            return
        }
        var path = ui_View.getCustomFilePath()
        if (path !== "") {
            isCustomBackground = true
            _mainIten.sourceCustomBackground = "file:" + path
        } else {
            _mainIten.sourceCustomBackground = ""
        }
    }

    // Loads the types of the panel's parts on the loader's thread, making nothing, so that its
    // first opening only builds them. Called when the pointer comes near a way in (the settings
    // button, the profile menu), not at start: a window nobody opens the panel in never holds them.
    function warmTypes() {
        if (_warmParts.length === 0)
            _warmParts = [Qt.createComponent("GlobalSettingControls.qml", Component.Asynchronous),
                          Qt.createComponent("RulesPart.qml", Component.Asynchronous)]
    }

    // Slides the panel in (true) or out (false), settling any slide already under way.
    function slide(show) {
        var action = Frame.panelAction(show, _open.running, _close.running)
        if (action === "complete" || action === "restart") {
            if (_open.running)
                finishOpening()
            else if (_close.running)
                finishClosing()
        }
        if (action === "complete")
            return
        if (show) {
            _content.active = true
            visible = true
            _open.restart()
        } else {
            _close.restart()
        }
    }

    function finishOpening() {
        _open.stop()
        _content.x = 0
    }

    function finishClosing() {
        _close.stop()
        _content.x = width
        visible = false
        part = 0
        rulesAlone = false
    }

    width: 340
    height: 516
    clip: true
    interactive: false
    visible: false
    contentWidth: width
    contentHeight: height

    ListModel {
        id: _skinModel
        ListElement { textX: "SKIN 1" }
        ListElement { textX: "SKIN 2" }
    }
    ListModel {
        id: _soundModel
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }
    ListModel {
        id: _animationModel
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }
    ListModel {
        id: _languageModel
    }

    Loader {
        id: _content
        objectName: "panelContent"
        width: _panel.width
        height: _panel.height
        x: _panel.width
        active: false
        // By URL: their types load when the pointer nears a way in (warmTypes), else at the first
        // opening; never at start.
        source: _panel.part === 1 ? "RulesPart.qml" : "GlobalSettingControls.qml"
        onLoaded: {
            if (_panel.part === 1 && _panel.rulesProfile >= 0)
                item.chooseProfile(_panel.rulesProfile)
        }
    }

    NumberAnimation {
        id: _open
        target: _content; property: "x"; from: _panel.width; to: 0
        duration: 0.8 * _mainIten.animation_speed; easing.type: Easing.OutCubic
    }

    SequentialAnimation {
        id: _close
        NumberAnimation {
            target: _content; property: "x"; from: 0; to: _panel.width
            duration: 0.8 * _mainIten.animation_speed; easing.type: Easing.OutCubic
        }
        PropertyAction { target: _panel; property: "visible"; value: false }
        ScriptAction { script: { _panel.part = 0; _panel.rulesAlone = false } }
    }

    SequentialAnimation {
        id: _swap
        NumberAnimation {
            target: _content; property: "x"; to: _panel.width
            duration: 0.4 * _mainIten.animation_speed; easing.type: Easing.InCubic
        }
        PropertyAction { id: _swapTo; target: _panel; property: "part" }
        NumberAnimation {
            target: _content; property: "x"; from: _panel.width; to: 0
            duration: 0.4 * _mainIten.animation_speed; easing.type: Easing.OutCubic
        }
    }
}
