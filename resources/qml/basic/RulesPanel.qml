import QtQuick
import "../common"
import "../Q7"
import "rules.js" as Rules

// The rules that give the mouse a profile when an application gets the focus: the list, the
// profile for every other application, and a rule added by name or picked from the running
// applications. Every change is stored at once; the panel reads the rules again whenever they
// change, here or from outside (q7ctl, D-Bus).
Item {
    id: _rules

    property var strings: _mainIten.globalSetting_stringList
    property var ruleList: []
    property var options: ({})
    property var runningNames: []

    signal back

    function tr(name) {
        return Rules.text(strings, name)
    }

    // Everything from the native side again; the typed name and chosen profile stay. The running
    // applications first: asking for them starts the focus watch, whose state the options tell.
    function refresh() {
        runningNames = ui_View.getRunningApplications()
        ruleList = ui_View.getRules()
        options = ui_View.getRuleOptions()
        var selected = _list.currentIndex >= 0 ? _ruleModel.get(_list.currentIndex).textX : ""
        fill(_ruleModel, Rules.ruleRows(ruleList))
        fill(_runningModel, Rules.runningRows(runningNames, ruleList))
        _list.currentIndex = -1
        for (var i = 0; i < _ruleModel.count; ++i) {
            if (_ruleModel.get(i).textX === selected)
                _list.currentIndex = i
        }
        _default.defaultIndex = Rules.defaultChoiceIndex(ui_View.getDefaultRuleProfile())
    }

    function fill(model, rows) {
        model.clear()
        rows.forEach(function (r) { model.append(r) })
    }

    function fillChoices() {
        fill(_defaultModel, Rules.defaultChoices(strings).map(function (t) { return { textX: t } }))
        fill(_profileModel, Rules.profileChoices().map(function (t) { return { textX: t } }))
    }

    // A rule or a running application chosen: its name (and rule's profile) go into the fields.
    function pick(name, profile) {
        _application.text = name
        if (profile >= 0)
            _profile.defaultIndex = profile
    }

    function dropInputFocus() {
        _application.textFocus = false
    }

    function chooseProfile(profile) {
        _profile.defaultIndex = profile
    }

    function addRule() {
        var name = _application.text
        if (!Rules.canAdd(name) || _profile.defaultIndex < 0)
            return
        if (ui_View.setRule(name, _profile.defaultIndex))
            _application.text = ""
    }

    function removeSelected() {
        if (_list.currentIndex < 0)
            return
        ui_View.removeRule(_ruleModel.get(_list.currentIndex).textX)
    }

    width: 340
    height: 516

    onStringsChanged: fillChoices()
    Component.onCompleted: {
        fillChoices()
        _profile.defaultIndex = 0
        refresh()
    }

    Connections {
        target: ui_View
        function onRulesChanged() {
            _rules.refresh()
        }
        function onFocusStatusChanged() {
            _rules.refresh()
        }
    }

    ListModel { id: _ruleModel }
    ListModel { id: _runningModel }
    ListModel { id: _defaultModel }
    ListModel { id: _profileModel }

    PageLabel {
        x: 27
        y: 16
        text: _rules.tr("title")
    }

    Text {
        x: 27
        y: 42
        width: 140
        // The larger text size: smaller type before the ellipsis.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        elide: Text.ElideRight
        text: _rules.tr("otherApplications")
        font.bold: true
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
    DropdownList {
        id: _default
        objectName: "defaultProfile"
        x: 173
        y: 40
        z: 3
        label: _rules.tr("otherApplications")
        mdItems: _defaultModel
        onListElementClicked: function (index) {
            if (!ui_View.setDefaultRuleProfile(Rules.defaultProfileOf(index)))
                _rules.refresh()
        }
    }

    FileList {
        id: _list
        objectName: "ruleList"
        x: 27
        y: 68
        width: 286
        height: 144
        label: _rules.tr("rules")
        mdItems: _ruleModel
        onListElementClicked: function (index) {
            if (index >= 0)
                _rules.pick(_ruleModel.get(index).textX, _ruleModel.get(index).profile)
        }
    }
    IconButton {
        objectName: "removeRule"
        x: 289
        y: 218
        tip: _rules.tr("remove")
        enabled: _list.currentIndex >= 0
        source0: _mainIten.sourceDelete0
        source1: _mainIten.sourceDelete1
        onClicked: _rules.removeSelected()
    }

    Text {
        x: 27
        y: 250
        width: 96
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        elide: Text.ElideRight
        text: _rules.tr("application")
        font.bold: true
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
    TextField {
        id: _application
        objectName: "ruleApplication"
        x: 127
        y: 248
        width: 186
        label: _rules.tr("application")
        onAccepted: _rules.addRule()
    }
    Text {
        x: 27
        y: 278
        width: 96
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        elide: Text.ElideRight
        text: _rules.tr("profile")
        font.bold: true
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
    DropdownList {
        id: _profile
        objectName: "ruleProfile"
        x: 127
        y: 276
        z: 2
        width: 100
        label: _rules.tr("profile")
        mdItems: _profileModel
    }
    IconButton {
        objectName: "addRule"
        x: 289
        y: 274
        tip: _rules.tr("add")
        enabled: Rules.canAdd(_application.text)
        source0: _mainIten.sourceAdd0
        source1: _mainIten.sourceAdd1
        onClicked: _rules.addRule()
    }

    Text {
        x: 27
        y: 308
        text: _rules.tr("running")
        font.bold: true
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
    FileList {
        id: _running
        objectName: "runningList"
        x: 27
        y: 326
        width: 286
        height: 84
        label: _rules.tr("running")
        mdItems: _runningModel
        onListElementClicked: function (index) {
            if (index < 0)
                return
            var name = _runningModel.get(index).textX
            _rules.pick(name, Rules.profileOf(_rules.ruleList, name))
        }
    }

    Text {
        objectName: "focusNote"
        // Nothing to tell: not there, for the eye or a screen reader.
        visible: text !== ""
        x: 27
        y: 418
        width: 286
        wrapMode: Text.WordWrap
        maximumLineCount: 3
        elide: Text.ElideRight
        text: Rules.focusNote(_rules.options, _rules.strings)
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        Accessible.description: _rules.options.focusNote || ""
        color: _mainIten.globalSetting_color
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    IconButton {
        objectName: "rulesBack"
        x: 289
        y: 478
        tip: _rules.tr("back")
        source0: _mainIten.sourceApply0
        source1: _mainIten.sourceApply1
        onClicked: _rules.back()
    }
}
