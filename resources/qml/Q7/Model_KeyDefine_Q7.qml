import QtQuick
import "keydefine.js" as Keys

// The sixteen key records the page edits (key id order) and the defaults Reset returns to.
QtObject {
    property var keyCode: Keys.copyRecords(Keys.builtInDefaults)
    property var keyCode_Default: Keys.copyRecords(Keys.builtInDefaults)
    // Key id of the selected position; -1 with none.
    property int curKeyMatrix: -1

    function record(keyId) {
        return keyCode[keyId].slice()
    }

    function setRecord(keyId, r) {
        var all = Keys.copyRecords(keyCode)
        all[keyId] = r.slice()
        keyCode = all
    }

    function setDefaults(flat) {
        var d = Keys.recordsFrom(flat)
        if (d)
            keyCode_Default = d
    }

    // Stored records by key id; a key with none stored takes its default.
    function withDefaults(stored) {
        var all = []
        for (var i = 0; i < Keys.keyCount; ++i)
            all.push(Keys.recordFrom(stored[i]) || keyCode_Default[i].slice())
        return all
    }

    function load(stored) {
        keyCode = withDefaults(stored)
    }

    function resetKey(keyId) {
        setRecord(keyId, keyCode_Default[keyId])
    }

    function resetAll() {
        keyCode = Keys.copyRecords(keyCode_Default)
    }

    function flat() {
        return Keys.flatten(keyCode)
    }
}
