import QtQuick
import QtTest
import "../../resources/qml/Q7/keydefine.js" as Keys

TestCase {
    name: "KeyDefineLogic"

    function records(overrides) {
        var r = Keys.copyRecords(Keys.builtInDefaults)
        for (var k in overrides)
            r[Number(k)] = overrides[k]
        return r
    }

    // Every record a choice writes shows that choice again and writes the same record back.
    function test_roundTrip_data() {
        var rows = [
            { tag: "keyboard A", record: [0x00, 0x00, 0x04, 0x00], fn: Keys.fnKeyboard },
            { tag: "keyboard unnamed usage", record: [0x00, 0x00, 0x31, 0x00], fn: Keys.fnKeyboard },
            { tag: "combo R Alt + A", record: [0x00, 0x40, 0x04, 0x00], fn: Keys.fnCombo },
            { tag: "combo L Ctrl + C + V", record: [0x00, 0x01, 0x06, 0x19], fn: Keys.fnCombo },
            { tag: "combo keys without modifier", record: [0x00, 0x00, 0x04, 0x05], fn: Keys.fnCombo },
            { tag: "macro normal slot 3", record: [0x09, 0x00, 0x03, 0x00], fn: Keys.fnMacro },
            { tag: "macro repeat while pressed", record: [0x09, 0x02, 0x0C, 0x00], fn: Keys.fnMacro },
            { tag: "media first", record: [0x03, 0x00, 0xB5, 0x00], fn: Keys.fnMedia },
            { tag: "media two-byte usage", record: [0x03, 0x00, 0x23, 0x02], fn: Keys.fnMedia },
            { tag: "fire left fastest", record: [0x0A, 0xF0, 10, 10], fn: Keys.fnFire },
            { tag: "fire forward slowest", record: [0x0A, 0xF4, 255, 0], fn: Keys.fnFire },
            { tag: "fire key Space", record: [0x0A, 0x2C, 45, 255], fn: Keys.fnFire }
        ]
        for (var m = 0; m < Keys.mouseEntries.length; ++m)
            rows.push({ tag: "mouse entry " + m, record: Keys.mouseEntries[m].record, fn: Keys.fnMouse })
        for (var i = 0; i < Keys.mediaUsages.length; ++i)
            rows.push({ tag: "media " + Keys.mediaUsages[i].toString(16),
                        record: Keys.mediaRecord(i), fn: Keys.fnMedia })
        for (var g = 0; g < 3; ++g)
            rows.push({ tag: "gun " + g, record: [0x08, 0x00, 0x01, 4 + g], fn: Keys.fnGun })
        return rows
    }

    // The record the page's controls write for a shown state; null without a complete choice.
    function recordOf(v) {
        switch (v.fn) {
        case Keys.fnKeyboard:
            return Keys.keyboardRecord(v.key)
        case Keys.fnMouse:
            return v.mouse >= 0 ? Keys.mouseRecord(v.mouse) : null
        case Keys.fnMedia:
            return v.media >= 0 ? Keys.mediaRecord(v.media) : null
        case Keys.fnCombo:
            return Keys.comboRecord(Math.max(v.modifier, 0), v.key1, v.key2)
        case Keys.fnMacro:
            return v.macroSlot >= 0 ? Keys.macroRecord(v.playMode, v.macroSlot + 1) : null
        case Keys.fnFire:
            return Keys.fireRecord(v.fireButton, v.fireKey, v.fireSpeed, v.fireTimes)
        case Keys.fnGun:
            return v.gunOption >= 0 ? Keys.gunRecord(v.gunOption) : null
        }
        return null
    }

    function test_roundTrip(data) {
        var shown = Keys.show(data.record)
        compare(shown.fn, data.fn)
        compare(recordOf(shown), data.record)
    }

    function test_fireSpeed() {
        // Bytes between the steps go to the nearest; below 10 counts as 10.
        compare([0, 63, 62, 28, 27].map(Keys.fireSpeedStep), [7, 5, 6, 6, 7])
        // No step chosen yet: the default, never a byte past 255.
        compare(Keys.fireSpeedByte(-1), 10)
        compare(Keys.fireSpeedByte(undefined), 10)
        for (var s = 0; s <= 7; ++s)
            compare(Keys.fireSpeedStep(Keys.fireSpeedByte(s)), s)
    }

    function test_showingStoredRecords() {
        // Each modifier entry's bit, and the text beside the bit R Alt sets.
        compare([0, 1, 2, 3, 4, 5, 6, 7, 8].map(Keys.modifierBits),
                [0, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80])
        compare(Keys.modifierTexts[Keys.show([0x00, 0x40, 0x04, 0x00]).modifier], "KEY【 R Alt 】")
        // Two modifier bits show the lowest.
        compare(Keys.show([0x00, 0x05, 0x04, 0x00]).modifier, 1)
        compare(recordOf(Keys.show([0x0B, 0x00, 0x00, 0x00])), null)
        compare(Keys.show([0x08, 0x00, 0x01, 0x03]).gunOption, -1)
        // Next to the triple click's record: a fire button.
        var fire = Keys.show([0x0A, 0xF0, 0x21, 0x04])
        compare([fire.fn, fire.fireButton], [Keys.fnFire, 0])
        // A media usage outside the menu shows MEDIA with nothing chosen.
        var media = Keys.show([0x03, 0x00, 0x01, 0x00])
        compare([media.fn, media.media], [Keys.fnMedia, -1])

        var none = [[0x00, 0x00, 0x00, 0x00], [0x05, 0x00, 0x03, 0x00], [0x01, 0x00, 0xF5, 0x00],
                    [0x01, 0x01, 0xF0, 0x00], [0x07, 0x00, 0x04, 0x00], [0x04, 0x00, 0x03, 0x00],
                    [0x03, 0x00, 0x00, 0x01], [0x0B, 0x01, 0x00, 0x00], [0xFF, 0xFF, 0xFF, 0xFF]]
        none.forEach(function (r) { compare(Keys.show(r).fn, Keys.fnNone, String(r)) })
    }

    function test_flatLists() {
        var flat = Keys.flatten(Keys.builtInDefaults)
        compare(flat.length, 64)
        compare(Keys.recordsFrom(flat.map(String)), Keys.builtInDefaults)
        compare(Keys.recordsFrom(flat.slice(0, 60)), null)
        compare(Keys.recordsFrom([]), null)
        compare(Keys.recordFrom(["1", "0", "240", "0"]), [1, 0, 0xF0, 0])
        compare(Keys.recordFrom([]), null)
        // Unnamed positions are skipped, a short list names only its own.
        compare(Keys.keyList(["A", "", "C"]), [{ keyId: 0, name: "A" }, { keyId: 2, name: "C" }])
        compare(Keys.keyList([]), [])
    }

    // The page binds the lowest free slot and refuses a thirteenth; these are the rows it
    // cannot reach.
    function test_slots() {
        var r = records({ 12: [0x09, 0, 1, 0], 13: [0x09, 2, 2, 0] })
        compare(Keys.usedSlots(r), [0, 1])
        // A record with byte 3 set holds no slot.
        r[5] = [0x09, 0, 3, 1]
        compare(Keys.lowestFreeSlot(r), 2)
        // A macro with a slot keeps it.
        var b = Keys.binding(r, 9, [7, 1], 1, 1)
        compare([b.slot, b.record, b.config], [7, [0x09, 1, 8, 0], [7, 1]])
        // The key's own old binding does not count: rebinding it reuses its slot.
        compare(Keys.binding(r, 12, [-1, 1], 0, 1).slot, 0)
        // A stored slot beyond the twelve counts as none.
        compare(Keys.binding(r, 9, [40, 1], 0, 1).slot, 2)
        var configs = [{ name: "a", index: 2 }, { name: "b", index: 5 }, { name: "c", index: -1 }]
        compare(Keys.staleMacros(configs, records({ 12: [0x09, 0, 3, 0] })), ["b"])
    }

    function test_lastLeftButton() {
        var listed = [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15]
        var r = Keys.copyRecords(Keys.builtInDefaults)
        verify(!Keys.asksBeforeChange(r, 1, listed))
        // A second left button on a position the language does not list does not count.
        r[12] = [0x01, 0x00, 0xF0, 0x00]
        verify(Keys.asksBeforeChange(r, 0, listed))
    }
}
