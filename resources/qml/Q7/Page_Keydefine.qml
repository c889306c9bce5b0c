import QtQuick
import "../common"
import "keydefine.js" as Keys

// Key-definition page: what each of the mouse's keys does. Records change in memory; Apply sends
// all sixteen. Binding a macro stores its slot in the macro file and sends the macro at once.
Item {
    id: _page

    // The product's key names by key id (an empty name: the position is not offered).
    property var layoutStrings: []
    readonly property var keyList: Keys.keyList(layoutStrings)
    readonly property var listedIds: keyList.map(function (k) { return k.keyId })
    readonly property int keyId: _model.curKeyMatrix
    readonly property var strings: _mainIten.globalSetting_stringList
    // The function whose controls are shown (-1: none).
    property int shownFunction: Keys.fnNone
    // The last macro binding found all twelve slots taken.
    property bool slotsFull: false
    property alias model: _model

    // Sends the key tables again as last applied, so that tables 2 to 4 carry the fire keys'
    // new timing; edits not applied yet stay on the page.
    property QtObject resetKeymatrix: QtObject {
        function apply() {
            ui_View.ui_12H_SetKeyMatrix(Keys.flatten(_model.withDefaults(_page.storedRecords())))
        }
    }

    function storedRecords() {
        var stored = []
        for (var i = 0; i < Keys.keyCount; ++i)
            stored.push(ui_View.getKeydefine(i))
        return stored
    }

    function initUI() {
        _model.setDefaults(ui_View.loadDefaultProfile(0))
        _model.load(storedRecords())
        if (_model.curKeyMatrix < 0 || listedIds.indexOf(_model.curKeyMatrix) < 0)
            selectListEntry(Math.min(3, keyList.length - 1))
        else
            showKey()
    }

    function translateStrings() {
        fillMenus()
        showKey()
    }

    onKeyListChanged: {
        _keyNames.clear()
        keyList.forEach(function (k) {
            _keyNames.append({ textX: (k.keyId + 1) + "  " + k.name, textR: "" })
        })
        var at = listedIds.indexOf(_model.curKeyMatrix)
        _keys.currentIndex = at
        if (at < 0 && keyList.length > 0)
            selectListEntry(Math.min(3, keyList.length - 1))
    }

    function selectListEntry(index) {
        _keys.currentIndex = index
        _model.curKeyMatrix = index >= 0 && index < keyList.length ? keyList[index].keyId : -1
        showKey()
    }

    function selectKey(id) {
        endInput()
        selectListEntry(listedIds.indexOf(id))
    }

    function endInput() {
        _macroTimes.textFocus = false
        _fireTimes.textFocus = false
    }

    function record() {
        return keyId >= 0 ? _model.record(keyId) : Keys.zero()
    }

    function write(r) {
        if (keyId >= 0)
            _model.setRecord(keyId, r)
    }

    // Asks before the only listed left button becomes something else.
    function mayChange(newRecord) {
        if (keyId < 0)
            return false
        if (newRecord && Keys.same(newRecord, record()))
            return true
        if (!Keys.asksBeforeChange(_model.keyCode, keyId, listedIds))
            return true
        return ui_View.getMsgAns_FoolProofing()
    }

    function fillMenus() {
        var fnTexts = [46, 47, 48, 49, 50, 93].map(function (i) { return strings[i] })
        fnTexts.push("GUN KEY")
        fill(_fnModel, fnTexts)
        fill(_mouseModel, Keys.mouseEntries.map(function (e) { return Keys.entryText(e, strings) }))
        fill(_mediaModel, Keys.mediaUsages.map(function (u, i) { return strings[Keys.firstMediaString + i] }))
        fill(_modifierModel, Keys.modifierTexts)
        fill(_fireButtonModel, [51, 52, 53, 54, 55].map(function (i) { return strings[i] }))
        fill(_gunModel, Keys.gunTexts)
    }

    function fill(model, texts) {
        if (model.count === texts.length) {
            for (var i = 0; i < texts.length; ++i)
                model.setProperty(i, "textX", String(texts[i]))
            return
        }
        model.clear()
        texts.forEach(function (t) { model.append({ textX: String(t), textR: "" }) })
    }

    function fillMacroList() {
        var names = ui_View.getMacroIniNames().map(function (f) { return String(f).slice(0, -4) })
        _macroModel.clear()
        names.forEach(function (n) { _macroModel.append({ textX: n, textR: "" }) })
    }

    function clearSecondLevel() {
        _kbKey.setKeycodeUSB(-1)
        _mouse.setCurIndex(-1)
        _media.currentIndex = -1
        _modifier.setCurIndex(-1)
        _combo1.setKeycodeUSB(-1)
        _combo2.setKeycodeUSB(-1)
        _macros.currentIndex = -1
        _playMode.mode = Keys.playNormal
        _macroTimes.inputValue = "1"
        _fire.choice = -1
        _fireButton.setCurIndex(-1)
        _fireKey.setKeycodeUSB(-1)
        _fireSpeed.setCurIndex(Keys.fastestSpeed)
        _fireTimes.inputValue = String(Keys.defaultFireTimes)
        _gun.setCurIndex(-1)
        slotsFull = false
    }

    function showKey() {
        clearSecondLevel()
        var v = keyId >= 0 ? Keys.show(record()) : Keys.blankView()
        shownFunction = v.fn
        _fn.setCurIndex(v.fn)
        switch (v.fn) {
        case Keys.fnKeyboard:
            _kbKey.setKeycodeUSB(v.key)
            break
        case Keys.fnMouse:
            _mouse.setCurIndex(v.mouse)
            break
        case Keys.fnMedia:
            _media.currentIndex = v.media
            break
        case Keys.fnCombo:
            _modifier.setCurIndex(v.modifier)
            _combo1.setKeycodeUSB(v.key1)
            _combo2.setKeycodeUSB(v.key2)
            break
        case Keys.fnMacro:
            _playMode.mode = v.playMode
            fillMacroList()
            for (var i = 0; i < _macroModel.count; ++i) {
                var config = ui_View.loadMacroIniConfig(_macroModel.get(i).textX)
                if (config.length > 1 && Number(config[0]) === v.macroSlot) {
                    _macros.currentIndex = i
                    _macroTimes.inputValue = String(config[1])
                    break
                }
            }
            break
        case Keys.fnFire:
            _fire.choice = v.fireButton >= 0 ? 0 : 1
            _fireButton.setCurIndex(v.fireButton)
            _fireKey.setKeycodeUSB(v.fireButton >= 0 ? -1 : v.fireKey)
            _fireSpeed.setCurIndex(v.fireSpeed)
            _fireTimes.inputValue = String(v.fireTimes)
            break
        case Keys.fnGun:
            _gun.setCurIndex(v.gunOption)
            break
        }
    }

    function chooseFunction(index) {
        if (index !== shownFunction && !mayChange(null)) {
            _fn.setCurIndex(Keys.fnMouse)
            return
        }
        clearSecondLevel()
        shownFunction = index
        if (Keys.isMacroRecord(record())) {
            write(Keys.zero())
            refreshBindings()
        }
        if (index === Keys.fnMacro)
            fillMacroList()
    }

    function chooseMouse(entry) {
        var r = Keys.mouseRecord(entry)
        if (!mayChange(r)) {
            _mouse.setCurIndex(Keys.mouseLeft)
            return
        }
        write(r)
    }

    function writeCombo() {
        write(Keys.comboRecord(Math.max(_modifier.defaultIndex, 0), _combo1.tmpKeycodeUSB,
                               _combo2.tmpKeycodeUSB))
    }

    function writeFire() {
        if (_fire.choice === 0 && _fireButton.defaultIndex < 0)
            return
        if (_fire.choice < 0)
            return
        write(Keys.fireRecord(_fire.choice === 0 ? _fireButton.defaultIndex : -1,
                              _fireKey.tmpKeycodeUSB, _fireSpeed.currentIndex,
                              Number(_fireTimes.inputValue)))
    }

    // Binds the chosen macro with the chosen play mode; the key's old record goes first.
    function bindMacro() {
        write(Keys.zero())
        slotsFull = false
        if (_macros.currentIndex < 0) {
            refreshBindings()
            return
        }
        var name = _macroModel.get(_macros.currentIndex).textX
        var config = ui_View.loadMacroIniConfig(name)
        // The file went away behind the page: show the library as it is.
        if (config.length === 0) {
            fillMacroList()
            return
        }
        var b = Keys.binding(_model.keyCode, keyId, config, _playMode.mode,
                             Number(_macroTimes.inputValue))
        if (b.slot < 0) {
            slotsFull = true
            return
        }
        ui_View.setMacroIniConfig(name, b.config)
        ui_View.ui_13H_SetMacroKey(b.slot + 1, name)
        write(b.record)
    }

    // Macros whose slot no record holds any more lose it.
    function refreshBindings() {
        var configs = ui_View.getMacroIniNames().map(function (f) {
            var name = String(f).slice(0, -4)
            var c = ui_View.loadMacroIniConfig(name)
            return { name: name, index: c.length > 0 ? Number(c[0]) : -1 }
        })
        Keys.staleMacros(configs, _model.keyCode).forEach(function (name) {
            ui_View.setMacroIniConfig(name, [-1, 1])
        })
    }

    function pageApply() {
        endInput()
        ui_View.ui_12H_SetKeyMatrix(_model.flat())
    }

    // The selected key goes back to its default.
    function pageReset() {
        endInput()
        if (keyId < 0 || !mayChange(_model.keyCode_Default[keyId]))
            return
        var wasMacro = Keys.isMacroRecord(record())
        _model.resetKey(keyId)
        if (wasMacro)
            refreshBindings()
        showKey()
    }

    function resetAll() {
        endInput()
        _model.resetAll()
        refreshBindings()
        showKey()
    }

    function detectKeyboard(isDown, usbCode) {
        _kbKey.detectKeyboard(isDown, usbCode)
        _combo1.detectKeyboard(isDown, usbCode)
        _combo2.detectKeyboard(isDown, usbCode)
        _fireKey.detectKeyboard(isDown, usbCode)
    }

    Component.onCompleted: fillMenus()

    Model_KeyDefine_Q7 { id: _model }
    ListModel { id: _fnModel }
    ListModel { id: _mouseModel }
    ListModel { id: _mediaModel }
    ListModel { id: _modifierModel }
    ListModel { id: _macroModel }
    ListModel { id: _fireButtonModel }
    ListModel { id: _gunModel }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFnKeydefineBackground
    }

    // The mouse with its keys numbered; the selected key is lit.
    Image {
        id: _picture
        objectName: "mousePicture"
        x: 8
        y: 14
        width: 260
        height: 360
        source: _mainIten.sourceModel_Q7_KeyDefine

        Repeater {
            model: _page.keyList
            Item {
                id: _marker
                readonly property int keyId: modelData.keyId
                readonly property bool lit: _page.keyId === keyId
                objectName: "keyMarker" + keyId
                x: Keys.keyPositions[keyId][0] - width / 2
                y: Keys.keyPositions[keyId][1] - height / 2
                width: 20
                height: 20
                Accessible.role: Accessible.Button
                Accessible.name: "KEY " + (keyId + 1)
                Accessible.description: modelData.name
                Accessible.onPressAction: _page.selectKey(keyId)

                Rectangle {
                    anchors.fill: parent
                    radius: width / 2
                    color: _marker.lit ? _mainIten.globalSetting_color : "#c0101318"
                    border.width: _markerArea.containsMouse || _marker.lit ? 2 : 1
                    border.color: _mainIten.globalSetting_color
                }
                Text {
                    anchors.centerIn: parent
                    text: _marker.keyId + 1
                    color: _marker.lit ? "#000000" : _mainIten.globalSetting_color
                    font.bold: true
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: 10
                }
                MouseArea {
                    id: _markerArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: _page.selectKey(_marker.keyId)
                }
                // The key's name while hovered, as its tip.
                Text {
                    anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.top; bottomMargin: 2 }
                    visible: _markerArea.containsMouse
                    text: "KEY " + (_marker.keyId + 1) + "  " + modelData.name
                    color: _mainIten.globalSetting_color
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
            }
        }
    }

    PageLabel { x: 285; y: 16; text: _page.strings[74] }
    FileList {
        id: _keys
        objectName: "keyList"
        x: 285
        y: 36
        width: 160
        height: 290
        label: _page.strings[74]
        mdItems: ListModel {
            id: _keyNames
        }
        onListElementClicked: function (index) {
            _page.endInput()
            _page.selectListEntry(index)
        }
    }

    // Every function's controls, for the selected key.
    Item {
        id: _functions
        x: 465
        y: 16
        width: 284
        height: 320
        enabled: _page.keyId >= 0

        PageLabel { text: _page.strings[45] }

        // KEYBOARD
        KeyInput_2 {
            id: _kbKey
            objectName: "keyboardKey"
            y: 60
            width: 200
            visible: _page.shownFunction === Keys.fnKeyboard
            label: _page.strings[46]
            onInputComplete: function (code) { _page.write(Keys.keyboardRecord(code)) }
        }

        // MEDIA
        FileList {
            id: _media
            objectName: "mediaList"
            y: 60
            width: 200
            height: 250
            visible: _page.shownFunction === Keys.fnMedia
            label: _page.strings[48]
            mdItems: _mediaModel
            onListElementClicked: function (index) {
                if (index >= 0)
                    _page.write(Keys.mediaRecord(index))
            }
        }

        // COMBO KEY
        Column {
            y: 80
            spacing: 10
            visible: _page.shownFunction === Keys.fnCombo
            z: 2
            KeyInput_2 {
                id: _combo1
                objectName: "comboKey1"
                width: 200
                label: _page.strings[49] + " 1"
                onInputComplete: _page.writeCombo()
            }
            KeyInput_2 {
                id: _combo2
                objectName: "comboKey2"
                width: 200
                label: _page.strings[49] + " 2"
                onInputComplete: _page.writeCombo()
            }
        }
        DropdownList {
            id: _modifier
            objectName: "comboModifier"
            y: 50
            width: 200
            visible: _page.shownFunction === Keys.fnCombo
            z: isSelect ? 60 : 3
            label: _page.strings[49]
            mdItems: _modifierModel
            onListElementClicked: _page.writeCombo()
        }

        // MACRO
        Item {
            id: _macroPanel
            y: 50
            width: parent.width
            height: 270
            visible: _page.shownFunction === Keys.fnMacro

            FileList {
                id: _macros
                objectName: "macroList"
                width: 200
                height: 160
                label: _page.strings[50]
                mdItems: _macroModel
                onListElementClicked: _page.bindMacro()
            }
            Column {
                id: _playMode
                property int mode: Keys.playNormal
                y: 170
                spacing: 8
                Repeater {
                    model: [96, 98, 99]
                    RadioButton {
                        objectName: "playMode" + index
                        index: model.index
                        chkStr: _page.strings[modelData]
                        isSelect: _playMode.mode === index
                        onClicked: function (i) {
                            _playMode.mode = i
                            _page.bindMacro()
                        }
                    }
                }
            }
            ValueInput {
                id: _macroTimes
                objectName: "macroTimes"
                x: 130
                y: 168
                width: 52
                maxValue: 65535
                maxLength: 5
                label: _page.strings[97]
                onValueChange: {
                    if (_playMode.mode === Keys.playNormal)
                        _page.bindMacro()
                }
            }
            Text {
                x: 188
                y: 170
                text: _page.strings[97]
                color: _mainIten.globalSetting_color_enable
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: _mainIten.globalSetting_size
            }
            Text {
                objectName: "slotsFull"
                y: 256
                width: parent.width
                visible: _page.slotsFull
                wrapMode: Text.Wrap
                text: "All twelve macro slots of the mouse are in use."
                color: _mainIten.globalSetting_color
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: _mainIten.globalSetting_size
            }
        }

        // FIRE KEY
        Item {
            id: _fire
            // 0 a mouse button, 1 a keyboard key, -1 not chosen.
            property int choice: -1
            y: 50
            width: parent.width
            height: 270
            visible: _page.shownFunction === Keys.fnFire

            RadioButton {
                objectName: "fireByButton"
                y: 4
                index: 0
                chkStr: _page.strings[47]
                isSelect: _fire.choice === 0
                onClicked: function (i) { _fire.choice = i; _page.writeFire() }
            }
            RadioButton {
                objectName: "fireByKey"
                y: 34
                index: 1
                chkStr: _page.strings[46]
                isSelect: _fire.choice === 1
                onClicked: function (i) { _fire.choice = i; _page.writeFire() }
            }
            KeyInput_2 {
                id: _fireKey
                objectName: "fireKey"
                x: 100
                y: 34
                enabled: _fire.choice === 1
                label: _page.strings[93]
                onInputComplete: _page.writeFire()
            }
            PageLabel { y: 70; text: _page.strings[3] }
            Slider {
                id: _fireSpeed
                objectName: "fireSpeed"
                y: 90
                label: _page.strings[3]
                onSliderClicked: _page.writeFire()
            }
            Row {
                y: 124
                spacing: 4
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: "FIRE【"
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
                ValueInput {
                    id: _fireTimes
                    objectName: "fireTimes"
                    label: "FIRE times"
                    onValueChange: _page.writeFire()
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: "】times"
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
            }
            // Declared last: its list opens over the rows below.
            DropdownList {
                id: _fireButton
                objectName: "fireButton"
                x: 100
                y: 0
                enabled: _fire.choice === 0
                label: _page.strings[93]
                mdItems: _fireButtonModel
                onListElementClicked: _page.writeFire()
            }
        }

        // GUN KEY
        DropdownList {
            id: _gun
            objectName: "gunOption"
            y: 50
            width: 200
            visible: _page.shownFunction === Keys.fnGun
            label: "GUN KEY"
            mdItems: _gunModel
            onListElementClicked: function (index) { _page.write(Keys.gunRecord(index)) }
        }

        // MOUSE
        DropdownList {
            id: _mouse
            objectName: "mouseFunction"
            y: 50
            width: 200
            visible: _page.shownFunction === Keys.fnMouse
            label: _page.strings[47]
            mdItems: _mouseModel
            onListElementClicked: function (index) { _page.chooseMouse(index) }
        }

        // Declared last: the function menu opens over every panel.
        DropdownList {
            id: _fn
            objectName: "functionMenu"
            y: 18
            width: 200
            label: _page.strings[45]
            mdItems: _fnModel
            onListElementClicked: function (index) { _page.chooseFunction(index) }
        }
    }

    PageButtons {
        x: 654
        y: 340
        onResetClicked: {
            _mainIten.setProtectUI(800)
            _page.pageReset()
        }
        onApplyClicked: {
            _mainIten.setProtectUI(800)
            _page.pageApply()
        }
    }

    Text {
        objectName: "captureHint"
        x: 285
        y: 340
        width: 360
        visible: text !== ""
        text: ui_View.captureHint || ""
        wrapMode: Text.WordWrap
        maximumLineCount: 2
        elide: Text.ElideRight
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
}
