import QtQuick
import "../common"
import "macro.js" as Macro

// Macro page: the macro library and the lines of the selected macro. Every change of the lines is
// saved to the macro file at once; nothing here reaches the mouse.
Item {
    id: _page

    property bool isRecordStart: false
    // One whole line; after Copy it pastes any number of times, after Cut once.
    property string scrapbook: ""
    property bool isUnlimitedCopy: false
    property var lines: []
    property int delayValue: Macro.defaultDelay
    readonly property var strings: _mainIten.globalSetting_stringList
    readonly property string macroName: _macroList.currentIndex >= 0
                                        && _macroList.currentIndex < _macroModel.count
                                        ? _macroModel.get(_macroList.currentIndex).textX : ""
    readonly property var can: Macro.enabling({
        macroIndex: _macroList.currentIndex, recording: isRecordStart,
        lineIndex: _lineList.currentIndex, clipboard: scrapbook,
        keyFilled: _keyField.tmpKeyString !== "", mouseEntry: _mouseField.defaultIndex })

    function initUI() {
        var names = Macro.macroNames(ui_View.getMacroIniNames())
        _macroModel.clear()
        names.forEach(function (n) { _macroModel.append({ textX: n, textR: "" }) })
        _macroList.currentIndex = -1
        loadLines()
    }

    function translateStrings() {
        fillMouseEntries()
    }

    function fillMouseEntries() {
        var texts = Macro.buttonStrings.map(function (i) {
            return strings[47] + "【 " + strings[i] + " 】"
        })
        if (_mouseModel.count === texts.length) {
            texts.forEach(function (t, i) { _mouseModel.setProperty(i, "textX", t) })
            return
        }
        _mouseModel.clear()
        texts.forEach(function (t) { _mouseModel.append({ textX: t, textR: "" }) })
    }

    function showLines(list, selected) {
        lines = list
        _lineModel.clear()
        list.forEach(function (l) { _lineModel.append(Macro.splitLine(l)) })
        _lineList.currentIndex = selected
    }

    function loadLines() {
        showLines(macroName === "" ? [] : ui_View.loadMacroIni(macroName).map(String), -1)
    }

    function save() {
        if (macroName === "")
            return
        var ok = ui_View.saveMacroIni(macroName, lines)
        if (ok === false)
            showLines([], -1)
    }

    function edit(result) {
        showLines(result.lines, result.selected)
        save()
    }

    function selectMacro(index) {
        _macroList.currentIndex = index
        loadLines()
    }

    function newMacro() {
        var name = String(ui_View.createMacroIni())
        if (name === "")
            return
        _macroModel.append({ textX: name, textR: "" })
        selectMacro(_macroModel.count - 1)
    }

    function deleteMacro() {
        if (macroName === "" || !ui_View.deleteMacroIni(macroName))
            return
        _macroModel.remove(_macroList.currentIndex)
        selectMacro(-1)
    }

    function importMacro() {
        var name = String(ui_View.loadMacroIniFromFile() || "")
        if (name === "")
            return
        for (var i = 0; i < _macroModel.count; ++i) {
            if (_macroModel.get(i).textX === name) {
                selectMacro(i)
                return
            }
        }
        _macroModel.append({ textX: name, textR: "" })
        selectMacro(_macroModel.count - 1)
    }

    // The list shows what the library holds afterwards: a refused name keeps the old one.
    function rename(oldName, newName) {
        ui_View.renameMacroIniFile(oldName, newName)
        var names = Macro.macroNames(ui_View.getMacroIniNames())
        var keep = names.indexOf(newName) >= 0 ? newName : oldName
        _macroModel.clear()
        names.forEach(function (n) { _macroModel.append({ textX: n, textR: "" }) })
        selectMacro(names.indexOf(keep))
    }

    function startRecording() {
        showLines([], -1)
        if (macroName !== "")
            isRecordStart = true
    }

    function stopRecording() {
        isRecordStart = false
        save()
    }

    function detectKeyboard(isDown, usbCode) {
        if (isRecordStart) {
            var line = Macro.recordedLine(isDown, usbCode)
            if (line !== null) {
                lines = lines.concat([line])
                _lineModel.append(Macro.splitLine(line))
                _lineList.lvItems.positionViewAtEnd()
            }
            return
        }
        _keyField.detectKeyboard(isDown, usbCode)
    }

    function deleteLine() {
        edit(Macro.removed(lines, _lineList.currentIndex))
    }

    function cutLine() {
        var r = Macro.cut(lines, _lineList.currentIndex)
        scrapbook = r.clipboard.line
        isUnlimitedCopy = false
        edit(r)
    }

    function copyLine() {
        var clip = Macro.copy(lines, _lineList.currentIndex, { line: scrapbook, unlimited: isUnlimitedCopy })
        scrapbook = clip.line
        isUnlimitedCopy = clip.unlimited
    }

    function pasteLine() {
        var r = Macro.paste(lines, _lineList.currentIndex, { line: scrapbook, unlimited: isUnlimitedCopy })
        scrapbook = r.clipboard.line
        isUnlimitedCopy = r.clipboard.unlimited
        edit(r)
    }

    function addLines(newLines) {
        edit(Macro.inserted(lines, _lineList.currentIndex, newLines))
    }

    function addKey() {
        if (_keyField.tmpKeyString !== "")
            addLines(Macro.keyStroke(_keyField.tmpKeyString))
    }

    function addMouse() {
        if (_mouseField.defaultIndex >= 0)
            addLines(Macro.keyStroke(Macro.buttonName(_mouseField.defaultIndex)))
    }

    function acceptDelay() {
        delayValue = Macro.delayValue(_delayInput.text, delayValue)
        _delayInput.text = String(delayValue)
        _delayInput.focus = false
    }

    function addDelay() {
        if (_delayInput.activeFocus)
            acceptDelay()
        addLines([Macro.delayLine(delayValue)])
    }

    function openMenu(index) {
        _menu.target = index
        var row = _macroList.lvItems.itemAtIndex(index)
        var at = row ? row.mapToItem(_page, 0, 0) : Qt.point(_macroList.x, _macroList.y)
        _menu.x = _macroList.x + _macroList.width - 20
        _menu.y = Math.min(at.y, _page.height - _menu.height)
        _menu.show()
    }

    Component.onCompleted: fillMouseEntries()

    ListModel { id: _macroModel }
    ListModel { id: _lineModel }
    ListModel { id: _mouseModel }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFnMacroBackground
    }

    // --- the library ---

    PageLabel { x: 20; y: 10; text: _page.strings[44] }
    FileList {
        id: _macroList
        objectName: "macroList"
        x: 20
        y: 30
        width: 200
        height: 290
        enabled: _page.can.list
        label: _page.strings[44]
        mdItems: _macroModel
        onListElementClicked: function (index) { _page.selectMacro(index) }
        onListElementRightBtnClicked: function (index) { _page.openMenu(index) }
        onEditFileName_completed: function (oldName, newName) { _page.rename(oldName, newName) }
    }
    Row {
        x: 20
        y: 326
        spacing: 8
        IconButton {
            objectName: "newMacro"
            tip: "NEW MACRO"
            enabled: _page.can.add
            source0: _mainIten.sourceAdd0
            source1: _mainIten.sourceAdd1
            onClicked: _page.newMacro()
        }
        IconButton {
            objectName: "deleteMacro"
            tip: "DELETE MACRO"
            enabled: _page.can.deleteMacro
            source0: _mainIten.sourceDelete0
            source1: _mainIten.sourceDelete1
            onClicked: _page.deleteMacro()
        }
        IconButton {
            objectName: "importMacro"
            tip: "IMPORT"
            enabled: _page.can.importing
            source0: _mainIten.sourceImport0
            source1: _mainIten.sourceImport1
            onClicked: _page.importMacro()
        }
    }

    // --- the lines ---

    PageLabel { x: 240; y: 10; text: _page.strings[45] }
    FileList {
        id: _lineList
        objectName: "lineList"
        x: 240
        y: 30
        width: 260
        height: 290
        label: _page.strings[45]
        mdItems: _lineModel
    }
    Row {
        x: 240
        y: 326
        spacing: 8
        IconButton {
            objectName: "deleteLine"
            tip: _page.strings[80]
            enabled: _page.can.deleteLine
            source0: _mainIten.sourceSolidDelete0
            source1: _mainIten.sourceSolidDelete1
            onClicked: _page.deleteLine()
        }
        IconButton {
            objectName: "cutLine"
            tip: _page.strings[81]
            enabled: _page.can.cut
            source0: _mainIten.sourceSolidCut0
            source1: _mainIten.sourceSolidCut1
            onClicked: _page.cutLine()
        }
        IconButton {
            objectName: "pasteLine"
            tip: _page.strings[82]
            enabled: _page.can.paste
            source0: _mainIten.sourceSolidPaste0
            source1: _mainIten.sourceSolidPaste1
            onClicked: _page.pasteLine()
        }
        IconButton {
            objectName: "copyLine"
            tip: _page.strings[83]
            enabled: _page.can.copy
            source0: _mainIten.sourceSolidCopy0
            source1: _mainIten.sourceSolidCopy1
            onClicked: _page.copyLine()
        }
        Item { width: 24; height: 24 }
        IconButton {
            objectName: "record"
            tip: "RECORD"
            enabled: _page.can.record
            source0: _mainIten.sourceRecord0
            source1: _mainIten.sourceRecord1
            onClicked: _page.startRecording()
        }
        IconButton {
            objectName: "stop"
            tip: "STOP"
            enabled: _page.can.stop
            source0: _mainIten.sourceStop0
            source1: _mainIten.sourceStop1
            onClicked: _page.stopRecording()
        }
    }

    // --- the adders ---

    Item {
        x: 520
        y: 30
        width: 230
        height: 120

        KeyInput_2 {
            id: _keyField
            objectName: "keyField"
            width: 170
            enabled: !_page.isRecordStart
            label: _page.strings[74]
        }
        IconButton {
            objectName: "addKey"
            x: 180
            y: -2
            tip: "ADD KEY"
            enabled: _page.can.addKey
            source0: _mainIten.sourceAdd0
            source1: _mainIten.sourceAdd1
            onClicked: _page.addKey()
        }

        Rectangle {
            id: _delayBox
            y: 80
            width: 170
            height: 20
            color: "#a0101318"
            border.width: 1
            border.color: _delayInput.activeFocus ? _mainIten.globalSetting_color : "#40ffffff"
            opacity: enabled ? 1.0 : 0.2
            enabled: !_page.isRecordStart
            Row {
                anchors.centerIn: parent
                Text {
                    text: "【 "
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
                TextInput {
                    id: _delayInput
                    objectName: "delayInput"
                    width: 44
                    horizontalAlignment: TextInput.AlignHCenter
                    text: String(_page.delayValue)
                    maximumLength: Macro.delayDigits
                    selectByMouse: true
                    Accessible.name: "DELAY"
                    color: activeFocus ? _mainIten.globalSetting_color : _mainIten.globalSetting_color_enable
                    selectionColor: _mainIten.globalSetting_color
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                    property string lastAccepted: text
                    onTextEdited: {
                        if (Macro.delayAccepts(text))
                            lastAccepted = text
                        else
                            text = lastAccepted
                    }
                    Keys.onReturnPressed: _page.acceptDelay()
                    Keys.onEnterPressed: _page.acceptDelay()
                    // Leaving without Return keeps the value accepted before.
                    onActiveFocusChanged: {
                        if (!activeFocus)
                            text = String(_page.delayValue)
                    }
                }
                Text {
                    text: " 】 ms"
                    color: _mainIten.globalSetting_color_enable
                    font.family: _mainIten.globalSetting_fontFamily
                    font.pixelSize: _mainIten.globalSetting_size
                }
            }
        }
        IconButton {
            objectName: "addDelay"
            x: 180
            y: 78
            tip: "ADD DELAY"
            enabled: _page.can.addDelay
            source0: _mainIten.sourceAdd0
            source1: _mainIten.sourceAdd1
            onClicked: _page.addDelay()
        }

        // Declared after the delay row: its list opens over it.
        DropdownList {
            id: _mouseField
            objectName: "mouseField"
            y: 40
            width: 170
            defaultIndex: 0
            enabled: !_page.isRecordStart
            label: _page.strings[47]
            mdItems: _mouseModel
        }
        IconButton {
            objectName: "addMouse"
            x: 180
            y: 38
            tip: "ADD MOUSE"
            enabled: _page.can.addMouse
            source0: _mainIten.sourceAdd0
            source1: _mainIten.sourceAdd1
            onClicked: _page.addMouse()
        }
    }

    Text {
        objectName: "captureHint"
        x: 20
        y: 360
        width: 720
        visible: text !== ""
        text: ui_View.captureHint || ""
        wrapMode: Text.WordWrap
        maximumLineCount: 2
        elide: Text.ElideRight
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    // Export, rename, cancel for the right-clicked macro.
    Rectangle {
        id: _menu
        objectName: "macroMenu"
        property int target: -1
        function show() {
            visible = true
            _fadeOut.stop()
            _fadeIn.restart()
        }
        function close() {
            _fadeIn.stop()
            _fadeOut.restart()
        }
        width: 70
        height: 3 * 20
        color: "#e0101318"
        border.width: 1
        border.color: "#40ffffff"
        visible: false
        opacity: 0
        z: 20
        Column {
            Repeater {
                model: [85, 112, 78]
                Item {
                    objectName: "macroMenu" + index
                    width: _menu.width
                    height: 20
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: _page.strings[modelData]
                    Accessible.onPressAction: _itemArea.choose()
                    Text {
                        anchors.centerIn: parent
                        text: _page.strings[modelData]
                        color: _itemArea.containsMouse ? _mainIten.globalSetting_color
                                                       : _mainIten.globalSetting_color_enable
                        font.family: _mainIten.globalSetting_fontFamily
                        font.pixelSize: _mainIten.globalSetting_size
                    }
                    MouseArea {
                        id: _itemArea
                        anchors.fill: parent
                        hoverEnabled: true
                        function choose() {
                            var target = _menu.target
                            _menu.close()
                            if (target < 0 || target >= _macroModel.count)
                                return
                            if (index === 0)
                                ui_View.saveMacroIniToFile(_macroModel.get(target).textX)
                            else if (index === 1)
                                _macroList.editFileName(target)
                        }
                        onClicked: choose()
                    }
                }
            }
        }
        NumberAnimation {
            id: _fadeIn
            target: _menu; property: "opacity"; to: 1
            duration: 1.5 * _mainIten.animation_speed; easing.type: Easing.OutExpo
        }
        NumberAnimation {
            id: _fadeOut
            target: _menu; property: "opacity"; to: 0
            duration: _mainIten.animation_speed; easing.type: Easing.OutExpo
            onFinished: _menu.visible = false
        }
    }
}
