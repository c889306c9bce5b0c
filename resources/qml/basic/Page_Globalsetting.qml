import QtQuick
import "../common"
import "../Q7/frame.js" as Frame
import "globalsetting.js" as Settings
import "rules.js" as Rules

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
        _Menu_Up.isGlobalSettingSelect = true
    }

    function leaveRules() {
        if (rulesAlone)
            _Menu_Up.isGlobalSettingSelect = false
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
        _Menu_Up.isGlobalSettingSelect = false
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
        sourceComponent: _panel.part === 1 ? _rulesPart : _controls
        onLoaded: {
            if (_panel.part === 1 && _panel.rulesProfile >= 0)
                item.chooseProfile(_panel.rulesProfile)
        }
    }

    Component {
        id: _rulesPart

        Item {
            width: _panel.width
            height: _panel.height

            function dropInputFocus() {
                _rulesPanel.dropInputFocus()
            }
            function chooseProfile(profile) {
                _rulesPanel.chooseProfile(profile)
            }

            Image {
                anchors.fill: parent
                source: _mainIten.sourceGlobalsettingBackground
            }
            MouseArea {
                anchors.fill: parent
                onPressed: _panel.dropInputFocus()
            }
            RulesPanel {
                id: _rulesPanel
                objectName: "rulesPanel"
                onBack: _panel.leaveRules()
            }
        }
    }

    Component {
        id: _controls

        Item {
            width: _panel.width
            height: _panel.height

            // Switched from outside (q7ctl, D-Bus) while the panel is open.
            Connections {
                target: ui_View
                function onRulesChanged() {
                    _panel.ruleOptions = ui_View.getRuleOptions()
                }
            }

            function dropInputFocus() {
                _inputR.textFocus = false
                _inputG.textFocus = false
                _inputB.textFocus = false
            }

            Image {
                anchors.fill: parent
                source: _mainIten.sourceGlobalsettingBackground
            }

            // Clicks on the panel's empty parts must not reach the drag area below.
            MouseArea {
                anchors.fill: parent
                onPressed: _panel.dropInputFocus()
            }

            Item {
                id: _rows
                y: 42
                width: _panel.width
                height: 140
                z: 2

                SettingRow {
                    id: _skinRow
                    y: 0
                    visible: _panel.skinShown
                    label: _panel._StringList[26]
                    z: 5
                    DropdownList {
                        id: _skinChooser
                        objectName: "skinChooser"
                        label: _panel._StringList[26]
                        Binding on defaultIndex { value: _panel.skin_No - 1 }
                        mdItems: _skinModel
                        onListElementClicked: function (index) {
                            _panel.skin_No = index + 1
                            _mainIten.setSkin()
                        }
                    }
                }
                SettingRow {
                    y: 27 + _panel.rowShift
                    label: _panel._StringList[27]
                    z: 4
                    DropdownList {
                        id: _soundChooser
                        objectName: "soundChooser"
                        label: _panel._StringList[27]
                        Binding on defaultIndex { value: _panel.soundIndex }
                        mdItems: _soundModel
                        onListElementClicked: function (index) {
                            _panel.chooseSound(index)
                        }
                    }
                }
                SettingRow {
                    y: 54 + _panel.rowShift
                    label: _panel._StringList[28]
                    z: 3
                    DropdownList {
                        id: _animationChooser
                        objectName: "animationChooser"
                        label: _panel._StringList[28]
                        Binding on defaultIndex { value: _panel.animationIndex }
                        mdItems: _animationModel
                        onListElementClicked: function (index) {
                            _panel.animationIndex = index
                            _panel._AnimationSpeed = Settings.animationTime(index)
                        }
                    }
                }
                SettingRow {
                    y: 81 + _panel.rowShift
                    label: _panel._StringList[29]
                    z: 2
                    DropdownList {
                        id: _languageChooser
                        objectName: "languageChooser"
                        label: _panel._StringList[29]
                        Binding on defaultIndex { value: _panel.languageIndex }
                        mdItems: _languageModel
                        onListElementClicked: function (index) {
                            _panel.languageIndex = index
                            _panel.setLanguage(index)
                        }
                    }
                }
                SettingRow {
                    y: 108 + _panel.rowShift
                    label: _panel._StringList[30]
                    z: 1
                    Text {
                        objectName: "backgroundSwitch"
                        Accessible.role: Accessible.CheckBox
                        Accessible.name: _panel._StringList[30]
                        Accessible.description: text
                        Accessible.checkable: true
                        Accessible.checked: _panel.isCustomBackground
                        Accessible.onPressAction: if (enabled) _panel.toggleCustomBackground()
                        Accessible.onToggleAction: if (enabled) _panel.toggleCustomBackground()
                        height: 20
                        verticalAlignment: Text.AlignVCenter
                        text: "【 " + _panel._StringList[_panel.isCustomBackground ? 31 : 32] + " 】"
                        color: _backgroundArea.containsMouse ? _mainIten.globalSetting_color
                                                             : _mainIten.globalSetting_color_enable
                        font.family: _mainIten.globalSetting_fontFamily
                        font.pixelSize: _mainIten.globalSetting_size
                        MouseArea {
                            id: _backgroundArea
                            anchors.fill: parent
                            hoverEnabled: true
                            onClicked: _panel.toggleCustomBackground()
                        }
                    }
                }
            }

            TextBox {
                id: _textBox
                x: 27
                y: 190
                title: _panel._StringList[33]

                Text {
                    x: 12
                    y: 18
                    text: _panel._StringList[34]
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
                Row {
                    x: 88
                    y: 18
                    spacing: 10
                    RadioButton {
                        objectName: "sizeNormal"
                        index: 0
                        chkStr: _panel._StringList[37]
                        isSelect: _panel.sizeChoice === 0
                        onClicked: function (index) { _panel.sizeChoice = index; _panel._Size = Settings.textSize(index) }
                    }
                    RadioButton {
                        objectName: "sizeLarger"
                        index: 1
                        chkStr: _panel._StringList[38]
                        isSelect: _panel.sizeChoice === 1
                        onClicked: function (index) { _panel.sizeChoice = index; _panel._Size = Settings.textSize(index) }
                    }
                }

                Text {
                    x: 12
                    y: 52
                    text: _panel._StringList[35]
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
                Row {
                    x: 88
                    y: 44
                    spacing: 2
                    Repeater {
                        model: 7
                        ColorSwatch {
                            objectName: "swatch" + index
                            label: _panel._StringList[35] + " " + (index + 1)
                            swatchColor: Settings.rgbString(_panel.colors[index][0], _panel.colors[index][1],
                                                            _panel.colors[index][2])
                            selected: _panel.selectedColor === index
                            onClicked: {
                                _panel.selectedColor = index
                                var c = _panel.colors[index]
                                _panel.setRGB(3, c[0], c[1], c[2])
                            }
                        }
                    }
                }
                PaletteStrip {
                    id: _strip
                    objectName: "paletteStrip"
                    label: _panel._StringList[35]
                    x: 246
                    y: 16
                    onPicked: function (r, g, b) { _panel.setRGB(1, r, g, b) }
                }

                Row {
                    x: 12
                    y: 92
                    spacing: 6
                    ChannelLabel { text: "R " }
                    ValueInput {
                        id: _inputR
                        objectName: "inputR"
                        label: _panel._StringList[35] + " R"
                        Binding on inputValue { value: _panel.inputR }
                        onValueChange: _panel.typedRGB(_inputR.inputValue, _inputG.inputValue,
                                                       _inputB.inputValue)
                    }
                    ChannelLabel { text: "G " }
                    ValueInput {
                        id: _inputG
                        objectName: "inputG"
                        label: _panel._StringList[35] + " G"
                        Binding on inputValue { value: _panel.inputG }
                        onValueChange: _panel.typedRGB(_inputR.inputValue, _inputG.inputValue,
                                                       _inputB.inputValue)
                    }
                    ChannelLabel { text: "B " }
                    ValueInput {
                        id: _inputB
                        objectName: "inputB"
                        label: _panel._StringList[35] + " B"
                        Binding on inputValue { value: _panel.inputB }
                        onValueChange: _panel.typedRGB(_inputR.inputValue, _inputG.inputValue,
                                                       _inputB.inputValue)
                    }
                }

                Text {
                    x: 12
                    y: 136
                    text: _panel._StringList[36]
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
                Slider {
                    id: _brightness
                    objectName: "brightnessSlider"
                    label: _panel._StringList[36]
                    x: 88
                    y: 134
                    Binding on currentIndex { value: _panel.brightnessIndex }
                    onSliderClicked: function (index) { _panel.setBrightness(index) }
                }
            }

            TextBox {
                x: 27
                y: 382
                height: 96
                title: Rules.text(_panel._StringList, "title")

                Column {
                    x: 12
                    y: 14
                    spacing: 5
                    Repeater {
                        model: Rules.switches
                        Checkbox {
                            objectName: "ruleSwitch_" + modelData
                            chkStr: Rules.text(_panel._StringList, modelData)
                            Binding on isSelect { value: _panel.ruleOptions[modelData] === true }
                            onClicked: function (select) {
                                _panel.setRuleSwitch(modelData, select)
                                isSelect = _panel.ruleOptions[modelData] === true
                            }
                        }
                    }
                }
                Text {
                    objectName: "editRules"
                    x: parent.width - implicitWidth - 10
                    y: 12
                    height: 20
                    verticalAlignment: Text.AlignVCenter
                    Accessible.role: Accessible.Button
                    Accessible.name: Rules.text(_panel._StringList, "title")
                    Accessible.onPressAction: if (enabled) _panel.showRules(-1, false)
                    text: "【 " + Rules.text(_panel._StringList, "edit") + " 】"
                    color: _editArea.containsMouse ? _mainIten.globalSetting_color
                                                   : _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                    MouseArea {
                        id: _editArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: _panel.showRules(-1, false)
                    }
                }
            }

            Image {
                x: 190
                y: 479
                width: 96
                height: 36
                source: _mainIten.sourceFram2btn
                Button_2state {
                    objectName: "resetButton"
                    x: 12
                    y: 3
                    width: 30
                    height: 30
                    source0: _mainIten.sourceReset0
                    source1: _mainIten.sourceReset1
                    tip: _panel._StringList[106]
                    onClicked: _panel.resetApconfig()
                }
                Button_2state {
                    objectName: "applyButton"
                    x: 54
                    y: 3
                    width: 30
                    height: 30
                    source0: _mainIten.sourceApply0
                    source1: _mainIten.sourceApply1
                    tip: _panel._StringList[107]
                    onClicked: _panel.apply()
                }
            }
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
