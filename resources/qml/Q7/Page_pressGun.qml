import QtQuick
import "../common"
import "pressgun.js" as Gun

// Press-gun page: per game and weapon the downward pull, and per fire key its weapon and timing.
// Edits stay in the page until Apply saves the tables and sends the chosen fire key's setting.
Item {
    id: _page

    signal resetKeyMatrix

    property var tables: [Gun.defaultTable(0), Gun.defaultTable(1), Gun.defaultTable(2)]
    property int gameNo: 0
    property int gunNo: 0
    property int preset: Gun.presetDefault1
    readonly property int fireKey: _fireKeys.currentIndex
    readonly property var record: tables[gameNo][gunNo]
    readonly property bool userValue: preset === Gun.presetUser
    property var gameTitles: Gun.gameTitles([])
    property var presetTitles: Gun.presetTitles([])
    readonly property string fireTimeText: Gun.title(Gun.fireTimeLabel,
                                                     _mainIten.globalSetting_stringList)
    readonly property string firePeriodText: Gun.title(Gun.firePeriodLabel,
                                                       _mainIten.globalSetting_stringList)

    function initUI() {
        var loaded = []
        for (var g = 0; g < Gun.gameCount; ++g)
            loaded.push(Gun.tableFrom(ui_View.getGundata(g), g))
        tables = loaded
        loadFireKey(0)
    }

    function translateStrings() {
        gameTitles = Gun.gameTitles(_mainIten.globalSetting_stringList)
        presetTitles = Gun.presetTitles(_mainIten.globalSetting_stringList)
    }

    function loadFireKey(k) {
        var r = Gun.readFireKey(ui_View.getSelGundata(k))
        _fireKeys.currentIndex = k
        gameNo = r.game
        gunNo = r.gun
        _fireTime.inputValue = String(r.fireTime)
        _firePeriod.inputValue = String(r.firePeriod)
        updateView()
    }

    function updateView() {
        _grid.visible = false
        _yOffset.inputValue = String(record.yOffset)
        _times.inputValue = String(record.times)
        _name.text = record.textX
    }

    function chooseGame(g) {
        endInput()
        gameNo = g
        updateView()
    }

    function chooseWeapon(i) {
        endInput()
        gunNo = i
        updateView()
    }

    function setFields(changes) {
        var all = tables.slice()
        all[gameNo] = Gun.copyTable(all[gameNo])
        Object.assign(all[gameNo][gunNo], changes)
        tables = all
    }

    // A new offset may lower how many times the cursor may be pulled back.
    function setYOffset(value) {
        var y = Gun.integer(value, 0, Gun.maxOffset, record.yOffset)
        setFields({ yOffset: y, times: Gun.cutTimes(record.times, y, record.cursorBack) })
        updateView()
    }

    function setTimes(value) {
        var t = Gun.integer(value, 0, Gun.maxTimes, record.times)
        setFields({ times: Gun.cutTimes(t, record.yOffset, record.cursorBack) })
        updateView()
    }

    function endInput() {
        _yOffset.textFocus = false
        _times.textFocus = false
        _fireTime.textFocus = false
        _firePeriod.textFocus = false
        _name.textFocus = false
    }

    function pageApply() {
        endInput()
        for (var g = 0; g < Gun.gameCount; ++g)
            ui_View.saveGundata(g, Gun.valuesOf(tables[g]))
        _firePeriod.inputValue = String(Gun.firePeriod(_firePeriod.inputValue))
        ui_View.saveSelGundata(fireKey, Gun.fireKeyRecord(gameNo, gunNo, _fireTime.inputValue,
                                                          _firePeriod.inputValue))
        resetKeyMatrix()
        var v = Gun.pressGunValues(record, preset, gameNo, gunNo, fireKey)
        ui_View.q7_0CH_SetPressGun(v[0], v[1], v[2], v[3], v[4], v[5])
    }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFnCommonBackground
    }

    PageLabel { x: 40; y: 22; text: _mainIten.globalSetting_stringList[119] }
    Row {
        x: 40
        y: 44
        spacing: 26
        Repeater {
            model: Gun.gameCount
            RadioButton {
                objectName: "game" + index
                index: model.index
                chkStr: _page.gameTitles[index]
                isSelect: _page.gameNo === index
                onClicked: function (i) { _page.chooseGame(i) }
            }
        }
    }

    Item {
        id: _picture
        objectName: "weaponPicture"
        x: 40
        y: 72
        width: 300
        height: 140

        Accessible.role: Accessible.Button
        Accessible.name: "WEAPON"
        Accessible.description: _page.record.textX
        Accessible.onPressAction: if (enabled) toggleGrid()

        function toggleGrid() {
            ui_View.playMedia_Index(4)
            _grid.visible = !_grid.visible
        }

        Image {
            anchors.fill: parent
            source: _mainIten.sourcegunFrame
        }
        Image {
            objectName: "weaponImage"
            anchors.centerIn: parent
            width: 280
            height: 110
            source: Gun.picture(_mainIten.skinFolder, _page.gameNo, _page.gunNo)
        }
        Text {
            anchors { right: parent.right; rightMargin: 12; bottom: parent.bottom; bottomMargin: 8 }
            text: _grid.visible ? "▲" : "▼"
            color: _mainIten.globalSetting_color
            font.pixelSize: 9
        }
        MouseArea {
            anchors.fill: parent
            onClicked: _picture.toggleGrid()
        }
    }

    WeaponName {
        id: _name
        objectName: "weaponName"
        x: 40
        y: 226
        label: "WEAPON NAME"
        onEdited: function (text) {
            if (text !== _page.record.textX)
                _page.setFields({ textX: text })
        }
    }

    PageLabel { x: 460; y: 22; text: _mainIten.globalSetting_stringList[121] }
    ValueInput {
        id: _yOffset
        objectName: "yOffset"
        x: 460
        y: 44
        maxValue: Gun.maxOffset
        label: _mainIten.globalSetting_stringList[121]
        echoMode: _page.userValue ? TextInput.Normal : TextInput.Password
        onValueChange: function (value) { _page.setYOffset(value) }
    }
    Column {
        x: 520
        y: 44
        spacing: 8
        Repeater {
            model: Gun.presets.length
            RadioButton {
                objectName: "preset" + index
                index: model.index
                chkStr: _page.presetTitles[index]
                isSelect: _page.preset === index
                onClicked: function (i) { _page.preset = i }
            }
        }
    }

    PageLabel { x: 460; y: 128; text: _mainIten.globalSetting_stringList[122] }
    ValueInput {
        id: _times
        objectName: "times"
        x: 460
        y: 150
        maxValue: Gun.maxTimes
        label: _mainIten.globalSetting_stringList[122]
        enabled: _page.userValue
        onValueChange: function (value) { _page.setTimes(value) }
    }
    Text {
        objectName: "timesRange"
        x: 508
        anchors.verticalCenter: _times.verticalCenter
        visible: _page.record.cursorBack === 1
        text: Gun.rangeText(_page.record.yOffset)
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    PageLabel { x: 460; y: 194; text: _mainIten.globalSetting_stringList[93] }
    FireKeyButtons {
        id: _fireKeys
        objectName: "fireKeys"
        x: 460
        y: 216
        label: _mainIten.globalSetting_stringList[93]
        onClicked: function (k) {
            _page.endInput()
            _page.loadFireKey(k)
        }
    }

    PageLabel { x: 460; y: 262; text: _page.fireTimeText }
    ValueInput {
        id: _fireTime
        objectName: "fireTime"
        x: 460
        y: 284
        maxValue: Gun.maxFireTime
        label: _page.fireTimeText
    }
    PageLabel { x: 570; y: 262; text: _page.firePeriodText }
    ValueInput {
        id: _firePeriod
        objectName: "firePeriod"
        x: 570
        y: 284
        minValue: Gun.minFirePeriod
        maxValue: Gun.maxFirePeriod
        label: _page.firePeriodText
        // Too short a period is refused: the field shows the shortest one instead.
        onValueChange: function (value) { inputValue = String(Gun.firePeriod(value)) }
    }

    PageButtons {
        x: 640
        y: 330
        // Reset has nothing to restore here: its click sound is all.
        onApplyClicked: {
            _mainIten.setProtectUI(800)
            _page.pageApply()
        }
    }

    // Last, so it lies over the fields it covers.
    WeaponGrid {
        id: _grid
        objectName: "weaponGrid"
        x: 40
        y: 72
        visible: false
        game: _page.gameNo
        currentIndex: _page.gunNo
        names: _page.tables[_page.gameNo].map(function (r) { return r.textX })
        onPicked: function (index) { _page.chooseWeapon(index) }
    }
}
