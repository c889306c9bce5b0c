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
    function ui_02H_SetCurrentProfile(i) { record("ui_02H_SetCurrentProfile", [i]) }
    function loadProfile(i) { record("loadProfile", [i]) }
    function saveProfile(i) { record("saveProfile", [i]) }
    function resetProfile(i) { record("resetProfile", [i]) }
}
