import QtQuick
import "../common"
import "lighting.js" as Lighting

// Colour page: LEDs on or off, the effect with its brightness and speed, and the eight colours.
// Colours go to the mouse as they change; the effect goes with Apply.
Item {
    id: _page

    property int maxStage: 8
    readonly property int effectCode: Lighting.effectCode(_effects.defaultIndex)
    readonly property bool ledOn: _ledPower.isSelect

    function initUI(deviceApConfig) {
        if (deviceApConfig && deviceApConfig.length > 0)
            maxStage = Number(deviceApConfig[0])
        refreshUI()
    }

    function refreshUI() {
        var colours = Lighting.coloursFrom24(ui_View.ui_90H_GetLED8StageColor(0))
        if (colours) {
            _colours.setColours(colours)
            _colours.select(_colours.currentIndex)
        }
        showRecord(Lighting.readRecord(ui_View.ui_8DH_GetRGBLedEffect()))
    }

    function showRecord(record) {
        if (!record)
            return
        _effects.setCurIndex(record.effectIndex)
        _brightness.setCurIndex(record.brightness)
        _speed.setCurIndex(record.speed)
        _ledPower.isSelect = record.ledOn
    }

    function pageApply() {
        _colours.dropFocus()
        // Switching the LEDs off keeps the chosen effect in the list and in the record, so
        // switching them on again brings that effect back.
        var record = Lighting.effectRecord(_effects.defaultIndex, _brightness.currentIndex,
                                           _speed.currentIndex, ledOn)
        var message = Lighting.effectMessage(ledOn, _effects.defaultIndex, _brightness.currentIndex,
                                             _speed.currentIndex)
        ui_View.ui_0DH_SetRGBLedEffect(message[0], message[1], message[2], record)
    }

    function pageReset() {
        _colours.dropFocus()
        var defaults = Lighting.readDefaults(ui_View.loadDefaultProfile(2))
        if (defaults.colours) {
            _colours.setColours(defaults.colours)
            sendColours()
            _colours.select(_colours.currentIndex)
        }
        showRecord(defaults.record)
    }

    function sendColours() {
        ui_View.ui_10H_SetLED8StageColor(0, _colours.src24())
    }

    function translateStrings() {
        var strings = _mainIten.globalSetting_stringList
        for (var i = 0; i < _effectModel.count; ++i)
            _effectModel.setProperty(i, "textX", Lighting.effectName(i, strings))
    }

    function detectKeyboard(isDown, usbCode) {
    }

    ListModel {
        id: _effectModel
        Component.onCompleted: {
            for (var i = 0; i < Lighting.effects.length; ++i)
                append({ textX: Lighting.effects[i].name })
        }
    }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFnColorBackground
    }

    Model_Color_Q7 {
        id: _model
        x: 30
        y: 18
        lit: _page.ledOn
        glow: _colours.currentColour
    }

    Checkbox {
        id: _ledPower
        objectName: "ledPower"
        x: 340
        y: 30
        isSelect: true
        chkStr: _mainIten.globalSetting_stringList[87]
    }

    Item {
        id: _settings
        x: 340
        y: 64
        width: 360
        height: 300
        // Each control greys itself when disabled.
        enabled: _page.ledOn

        PageLabel { y: 0; text: _mainIten.globalSetting_stringList[7] }

        PageLabel { y: 52; text: _mainIten.globalSetting_stringList[4] }
        Slider {
            id: _brightness
            objectName: "brightness"
            y: 70
            currentIndex: 7
            label: _mainIten.globalSetting_stringList[4]
            enabled: Lighting.brightnessEnabled(_page.effectCode)
        }

        PageLabel { y: 100; text: _mainIten.globalSetting_stringList[3] }
        Slider {
            id: _speed
            objectName: "speed"
            y: 118
            currentIndex: 4
            label: _mainIten.globalSetting_stringList[3]
            enabled: Lighting.speedEnabled(_page.effectCode)
        }

        PageLabel { y: 150; text: _mainIten.globalSetting_stringList[35] }
        ColorGroup_8 {
            id: _colours
            objectName: "colours"
            y: 168
            maxStage: _page.maxStage
            label: _mainIten.globalSetting_stringList[35]
            enabled: Lighting.paletteEnabled(_page.effectCode)
            onClicked: _page.sendColours()
        }

        // Last, so the open list lies over the controls below it.
        DropdownList {
            id: _effects
            objectName: "effects"
            y: 18
            width: 200
            mdItems: _effectModel
            defaultIndex: 0
            label: _mainIten.globalSetting_stringList[7]
        }
    }

    PageButtons {
        x: 640
        y: 330
        onResetClicked: {
            _mainIten.setProtectUI(800)
            _page.pageReset()
        }
        onApplyClicked: {
            _mainIten.setProtectUI(800)
            _page.pageApply()
        }
    }
}
