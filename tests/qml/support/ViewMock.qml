import QtQuick

// Records the scene's calls into the native view; answers the reads with what a test sets.
QtObject {
    property var calls: []
    property var apConfig: []
    property var languages: ({})
    property var strings: ({})
    property bool skinShow: true
    property string customFilePath: ""
    property bool enabled: true

    function record(name, args) {
        var list = calls.slice()
        list.push({ "name": name, "args": args })
        calls = list
    }
    function callsOf(name) {
        return calls.filter(function (c) { return c.name === name })
    }
    // The arguments of the last call to `name`; null when there was none.
    function lastCall(name) {
        var list = callsOf(name)
        return list.length > 0 ? list[list.length - 1].args : null
    }
    function clear() { calls = [] }

    function setEnabled(on) { enabled = on; record("setEnabled", [on]) }
    function playMedia_Index(i) { record("playMedia_Index", [i]) }
    function setEnableAudio(on) { record("setEnableAudio", [on]) }
    function clearAllMedia() { record("clearAllMedia", []) }
    function loadApConfig() { record("loadApConfig", []); return apConfig }
    function saveApConfig(items) { record("saveApConfig", [items]) }
    function resetApconfig() { record("resetApconfig", []) }
    function getIsSkinShow() { return skinShow }
    function chkLanguages() { return languages }
    function getGlobalStrings(code) { record("getGlobalStrings", [code]); return strings[code] || [""] }
    function getCustomFilePath() { return customFilePath }
    function loadDeviceApConfig() { return [8] }
    function getProductLayoutStrings_Q7(code) { return [] }
    // The device and profile as the colour and sensor pages read them.
    property var colours: ({})
    property var ledEffect: []
    property var defaults: ({})
    property int sensorType: 0
    property bool logoLedWork: false
    property int stageCount: 8
    property int reportRate: 2
    property var pointer: [5, 2, 5]
    property string pointerNote: ""
    property int dpiStage: 2
    property var dpiSet: []

    function ui_90H_GetLED8StageColor(type) { return colours[type] || [] }
    function ui_8DH_GetRGBLedEffect() { record("ui_8DH_GetRGBLedEffect", []); return ledEffect }
    function loadDefaultProfile(page) { record("loadDefaultProfile", [page]); return defaults[page] || [] }
    function ui_10H_SetLED8StageColor(type, values) { record("ui_10H_SetLED8StageColor", [type, values]) }
    function ui_0DH_SetRGBLedEffect(effect, o1, o2, configs) {
        record("ui_0DH_SetRGBLedEffect", [effect, o1, o2, configs])
    }
    function getSensorType() { return sensorType }
    function chkIsLogoLedWork() { return logoLedWork }
    function ui_91H_SyncDPI() { return stageCount }
    function ui_81H_GetReportRate() { return reportRate }
    function getCursorSpeed() { return pointer[0] }
    function getVerticalScrollLines() { return pointer[1] }
    function getDoubleClickSpeed() { return pointer[2] }
    function ui_8BH_GetCurrentDPIStage() { return dpiStage }
    function ui_91H_GetDPISet() { record("ui_91H_GetDPISet", []); return dpiSet }
    function ui_01H_SetReportRate(code) { record("ui_01H_SetReportRate", [code]) }
    function setCursorSpeed(v) { record("setCursorSpeed", [v]) }
    function setVerticalScrollLines(v) { record("setVerticalScrollLines", [v]) }
    function setDoubleClickSpeed(v) { record("setDoubleClickSpeed", [v]) }
    function ui_0BH_SetCurrentDPIStage(s) { record("ui_0BH_SetCurrentDPIStage", [s]) }
    function ui_11H_SetDPISet(stages, codes, values) { record("ui_11H_SetDPISet", [stages, codes, values]) }

    function ui_02H_SetCurrentProfile(i) { record("ui_02H_SetCurrentProfile", [i]) }
    // The rules (ruleEntries): [{application, profile}], the default (-1 none), the switches; a name in
    // `refusedNames` is refused as the native side refuses one.
    signal rulesChanged
    signal focusStatusChanged
    property var ruleEntries: []
    property int defaultRuleProfile: -1
    property var ruleOptions: ({ rulesOn: true, applyOnSwitch: false, keepInStep: true,
                                 autostart: false, focusState: "watching", focusNote: "" })
    property var refusedNames: []
    property var running: []
    property bool applyOnSwitch: false
    function getRuleOptions() {
        var o = Object.assign({}, ruleOptions)
        o.applyOnSwitch = applyOnSwitch || o.applyOnSwitch
        return o
    }
    function setRuleOption(name, on) {
        record("setRuleOption", [name, on])
        if (refusedNames.indexOf(name) >= 0)
            return false
        var o = Object.assign({}, ruleOptions)
        o[name] = on
        ruleOptions = o
        rulesChanged()
        return true
    }
    function getRules() { return ruleEntries.slice() }
    function setRule(application, profile) {
        record("setRule", [application, profile])
        if (refusedNames.indexOf(application) >= 0)
            return false
        ruleEntries = ruleEntries.filter(function (r) { return r.application !== application })
                                 .concat([{ application: application, profile: profile }])
        rulesChanged()
        return true
    }
    function removeRule(application) {
        record("removeRule", [application])
        ruleEntries = ruleEntries.filter(function (r) { return r.application !== application })
        rulesChanged()
        return true
    }
    function getDefaultRuleProfile() { return defaultRuleProfile }
    function setDefaultRuleProfile(p) {
        record("setDefaultRuleProfile", [p])
        defaultRuleProfile = p
        rulesChanged()
        return true
    }
    function getRunningApplications() { return running.slice() }
    function applyProfile(i) { record("applyProfile", [i]) }
    function loadProfile(i) { record("loadProfile", [i]) }
    function saveProfile(i) { record("saveProfile", [i]) }
    function resetProfile(i) { record("resetProfile", [i]) }

    // The key page's profile records and the last-left-button answer.
    property string captureHint: ""
    property var keydefine: []
    property bool foolProofAnswer: true
    function getKeydefine(i) { return keydefine[i] || [] }
    function getMsgAns_FoolProofing() { record("getMsgAns_FoolProofing", []); return foolProofAnswer }
    function ui_12H_SetKeyMatrix(values) { record("ui_12H_SetKeyMatrix", [values]) }
    function ui_13H_SetMacroKey(id, name) { record("ui_13H_SetMacroKey", [id, name]) }

    // The recoil files: game -> 84 values, fire key -> [game, weapon, fire time, fire period].
    property var gunData: ({})
    property var selGunData: ({})
    function getGundata(game) { return gunData[game] || [] }
    function saveGundata(game, values) {
        record("saveGundata", [game, values])
        var all = Object.assign({}, gunData)
        all[game] = values.map(String)
        gunData = all
    }
    function getSelGundata(k) { return selGunData[k] || [] }
    function saveSelGundata(k, values) {
        record("saveSelGundata", [k, values])
        var all = Object.assign({}, selGunData)
        all[k] = values.map(String)
        selGunData = all
    }
    function q7_0CH_SetPressGun(x, y, times, enable, cursorBack, fireKey) {
        record("q7_0CH_SetPressGun", [x, y, times, enable, cursorBack, fireKey])
    }

    // The macro library: name -> { lines, index, repeat }.
    property var macros: ({})
    property string importName: ""
    function macro(name) { return Object.prototype.hasOwnProperty.call(macros, name) ? macros[name] : null }
    function setMacro(name, m) { var all = Object.assign({}, macros); all[name] = m; macros = all }
    function getMacroIniNames() {
        return Object.keys(macros).sort(function (a, b) {
            return a.toLowerCase() < b.toLowerCase() ? -1 : 1
        }).map(function (n) { return n + ".bin" })
    }
    function loadMacroIni(name) { var m = macro(name); return m ? m.lines.slice() : [] }
    function saveMacroIni(name, lines) {
        record("saveMacroIni", [name, lines])
        var m = macro(name)
        if (!m)
            return false
        setMacro(name, { lines: lines.slice(), index: m.index, repeat: m.repeat })
        return true
    }
    function createMacroIni() {
        for (var n = 1; ; ++n) {
            var name = "Macro. " + ("00" + n).slice(-3)
            if (!macro(name)) {
                setMacro(name, { lines: [], index: -1, repeat: 1 })
                record("createMacroIni", [name])
                return name
            }
        }
    }
    function deleteMacroIni(name) {
        record("deleteMacroIni", [name])
        if (!macro(name))
            return false
        var all = Object.assign({}, macros)
        delete all[name]
        macros = all
        return true
    }
    function loadMacroIniFromFile() {
        record("loadMacroIniFromFile", [])
        if (importName !== "" && !macro(importName))
            setMacro(importName, { lines: [], index: -1, repeat: 1 })
        return importName
    }
    function saveMacroIniToFile(name) { record("saveMacroIniToFile", [name]) }
    function renameMacroIniFile(oldName, newName) {
        record("renameMacroIniFile", [oldName, newName])
        if (!macro(oldName) || macro(newName))
            return
        var m = macro(oldName)
        deleteMacroIni(oldName)
        setMacro(newName, m)
    }
    function loadMacroIniConfig(name) { var m = macro(name); return m ? [m.index, m.repeat] : [] }
    function setMacroIniConfig(name, config) {
        record("setMacroIniConfig", [name, config])
        var m = macro(name)
        if (m)
            setMacro(name, { lines: m.lines, index: config[0], repeat: config[1] })
    }
}
