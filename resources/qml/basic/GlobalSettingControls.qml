import QtQuick
import "../common"
import "globalsetting.js" as Settings
import "rules.js" as Rules

// The settings panel's controls. Built by the panel's content loader the first time the panel
// opens, in the panel's scope: they show and change the panel's values.
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
