.pragma library
.import "../basic/keycodes.js" as KeyCodes

// The key-definition page's records: four bytes per mouse key, byte 0 the function type. What a
// record shows on the page and what the page's choices write; nothing here draws or talks to the
// device.

var keyCount = 16
var macroSlots = 12

// Function menu entries.
var fnNone = -1
var fnKeyboard = 0
var fnMouse = 1
var fnMedia = 2
var fnCombo = 3
var fnMacro = 4
var fnFire = 5
var fnGun = 6

// Record types (byte 0).
var typeKey = 0x00
var typeButton = 0x01
var typeMedia = 0x03
var typeScroll = 0x04
var typeDpi = 0x07
var typeGun = 0x08
var typeMacro = 0x09
var typeRepeat = 0x0A
var typeLighting = 0x0B

var firstButton = 0xF0
var buttonCount = 5

var builtInDefaults = [
    [0x01, 0x00, 0xF0, 0x00], [0x01, 0x00, 0xF1, 0x00], [0x01, 0x00, 0xF2, 0x00],
    [0x01, 0x00, 0xF4, 0x00], [0x01, 0x00, 0xF3, 0x00], [0x07, 0x00, 0x03, 0x00],
    [0x0B, 0x00, 0x00, 0x00], [0x07, 0x00, 0x03, 0x00], [0x05, 0x00, 0x03, 0x00],
    [0x03, 0x00, 0x8A, 0x01], [0x03, 0x00, 0x23, 0x02], [0x03, 0x00, 0x94, 0x01],
    [0x00, 0x00, 0x00, 0x00], [0x00, 0x00, 0x00, 0x00], [0x04, 0x00, 0x01, 0x00],
    [0x04, 0x00, 0x02, 0x00]
]

// The MOUSE menu: each entry's record and its text (a string-list index, or a fixed text).
var mouseEntries = [
    { record: [0x01, 0x00, 0xF0, 0x00], string: 51 },
    { record: [0x01, 0x00, 0xF1, 0x00], string: 52 },
    { record: [0x01, 0x00, 0xF2, 0x00], string: 53 },
    { record: [0x01, 0x00, 0xF3, 0x00], string: 54 },
    { record: [0x01, 0x00, 0xF4, 0x00], string: 55 },
    { record: [0x0A, 0xF0, 0x21, 0x03], string: 94 },
    { record: [0x07, 0x00, 0x01, 0x00], text: "DPI +" },
    { record: [0x07, 0x00, 0x02, 0x00], text: "DPI -" },
    { record: [0x07, 0x00, 0x03, 0x00], string: 95 },
    { record: [0x04, 0x00, 0x01, 0x00], string: 109 },
    { record: [0x04, 0x00, 0x02, 0x00], string: 110 }
]
var mouseLeft = 0
var tripleClick = 5
var firstDpiEntry = 5

// MEDIA entries: consumer usages, texts strings 56 … 73.
var mediaUsages = [0x00B5, 0x00B6, 0x00B7, 0x00CD, 0x00E2, 0x00E9, 0x00EA, 0x0183, 0x018A,
                   0x0192, 0x0194, 0x0221, 0x0223, 0x0224, 0x0225, 0x0226, 0x0227, 0x022A]
var firstMediaString = 56

var modifierTexts = ["×", "KEY【 L Ctrl 】", "KEY【 L Shift 】", "KEY【 L Alt 】", "KEY【 L Win 】",
                     "KEY【 R Ctrl 】", "KEY【 R Shift 】", "KEY【 R Alt 】", "KEY【 R Win 】"]

var gunTexts = ["LOOP SWITCH", "TWO GUN LOOP", "THREE GUN LOOP"]
var firstGunOption = 4

// Macro play modes.
var playNormal = 0
var playAlways = 1
var playWhilePressed = 2

var fastestSpeed = 7
var defaultFireTimes = 10

function same(a, b) {
    return a[0] === b[0] && a[1] === b[1] && a[2] === b[2] && a[3] === b[3]
}

function byte(v) {
    return Number(v) & 0xFF
}

function zero() {
    return [0, 0, 0, 0]
}

// Sixteen records from a flat list of 64 values; anything shorter gives null (keep what is).
function recordsFrom(flat) {
    if (!flat || flat.length < 4 * keyCount)
        return null
    var out = []
    for (var i = 0; i < keyCount; ++i)
        out.push([byte(flat[4 * i]), byte(flat[4 * i + 1]), byte(flat[4 * i + 2]), byte(flat[4 * i + 3])])
    return out
}

// One stored record; a missing or short one gives null.
function recordFrom(list) {
    if (!list || list.length < 4)
        return null
    return [byte(list[0]), byte(list[1]), byte(list[2]), byte(list[3])]
}

function flatten(records) {
    var out = []
    records.forEach(function (r) { out.push(r[0], r[1], r[2], r[3]) })
    return out
}

function copyRecords(records) {
    return records.map(function (r) { return r.slice() })
}

// The positions a language names, in key-id order: [{ keyId, name }].
function keyList(layoutStrings) {
    var out = []
    for (var i = 0; i < keyCount; ++i) {
        var name = layoutStrings && i < layoutStrings.length ? String(layoutStrings[i]) : ""
        if (name !== "")
            out.push({ keyId: i, name: name })
    }
    return out
}

function entryText(entry, strings) {
    return entry.text !== undefined ? entry.text : String(strings[entry.string])
}

// --- what the choices write ---

function keyboardRecord(usage) {
    return [typeKey, 0, byte(usage), 0]
}

function mouseRecord(entry) {
    return mouseEntries[entry].record.slice()
}

function mediaRecord(entry) {
    var c = mediaUsages[entry]
    return [typeMedia, 0, c & 0xFF, (c >> 8) & 0xFF]
}

function modifierBits(entry) {
    return entry > 0 ? 1 << (entry - 1) : 0
}

function comboRecord(modifierEntry, key1, key2) {
    return [typeKey, modifierBits(modifierEntry), byte(key1), byte(key2)]
}

function macroRecord(playMode, macroId) {
    return [typeMacro, playMode, macroId, 0]
}

// Step 7 is the fastest (10), step 0 the slowest (255). A step not chosen yet counts as the
// default, so a record never carries a wrapped byte.
function fireSpeedByte(step) {
    var s = Number(step)
    if (!(s >= 0 && s <= fastestSpeed))
        s = fastestSpeed
    return (fastestSpeed - Math.floor(s)) * 35 + 10
}

function fireSpeedStep(speedByte) {
    var step = fastestSpeed - Math.round((Math.max(speedByte, 10) - 10) / 35)
    return Math.max(0, Math.min(fastestSpeed, step))
}

// `button` 0 … 4 for a mouse button, else `key` is the keyboard usage.
function fireRecord(button, key, step, times) {
    var b = button >= 0 ? firstButton + button : byte(key)
    return [typeRepeat, b, fireSpeedByte(step), byte(times)]
}

function gunRecord(option) {
    return [typeGun, 0, 1, firstGunOption + option]
}

// --- what a record shows ---

function blankView() {
    return { fn: fnNone, key: 0, mouse: -1, media: -1, modifier: -1, key1: 0, key2: 0,
             macroSlot: -1, playMode: playNormal, fireButton: -1, fireKey: 0, fireSpeed: -1,
             fireTimes: defaultFireTimes, gunOption: -1 }
}

function showAs(fn, fields) {
    var v = blankView()
    v.fn = fn
    for (var k in fields)
        v[k] = fields[k]
    return v
}

function show(record) {
    var b0 = record[0], b1 = record[1], b2 = record[2], b3 = record[3]
    switch (b0) {
    case typeKey:
        // An empty record is a key that does nothing: no function shown.
        if (b1 === 0 && b2 === 0 && b3 === 0)
            return blankView()
        if (b1 === 0 && b2 !== 0 && b3 === 0)
            return showAs(fnKeyboard, { key: b2 })
        return showAs(fnCombo, { modifier: KeyCodes.logByte(b1), key1: b2, key2: b3 })
    case typeButton:
        if (b1 === 0 && b2 >= firstButton && b2 < firstButton + buttonCount && b3 === 0)
            return showAs(fnMouse, { mouse: b2 - firstButton })
        break
    case typeMedia:
        if (b1 === 0 && b2 !== 0)
            return showAs(fnMedia, { media: mediaUsages.indexOf(b3 * 256 + b2) })
        break
    case typeScroll:
        if (b1 === 0 && b3 === 0 && (b2 === 1 || b2 === 2))
            return showAs(fnMouse, { mouse: b2 === 1 ? 9 : 10 })
        break
    case typeDpi:
        if (b1 === 0 && b3 === 0 && b2 >= 1 && b2 <= 3)
            return showAs(fnMouse, { mouse: b2 + firstDpiEntry })
        break
    case typeMacro:
        return showAs(fnMacro, { playMode: b1, macroSlot: b2 - 1 })
    case typeRepeat:
        if (same(record, mouseEntries[tripleClick].record))
            return showAs(fnMouse, { mouse: tripleClick })
        var isButton = b1 >= firstButton && b1 < firstButton + buttonCount
        return showAs(fnFire, { fireButton: isButton ? b1 - firstButton : -1,
                                fireKey: isButton ? 0 : b1, fireSpeed: fireSpeedStep(b2),
                                fireTimes: b3 })
    case typeLighting:
        if (b1 === 0 && b2 === 0 && b3 === 0)
            return showAs(fnGun, {})
        break
    case typeGun:
        return showAs(fnGun, { gunOption: b3 > 3 ? b3 - firstGunOption : -1 })
    }
    return blankView()
}

// --- macro slots ---

function isMacroRecord(record) {
    return record[0] === typeMacro
}

// Slots (0 … 11) the records hold.
function usedSlots(records) {
    var used = []
    records.forEach(function (r) {
        if (r[0] === typeMacro && r[3] === 0 && r[2] >= 1)
            used.push(r[2] - 1)
    })
    return used
}

function lowestFreeSlot(records) {
    var used = usedSlots(records)
    for (var i = 0; i < macroSlots; ++i) {
        if (used.indexOf(i) < 0)
            return i
    }
    return -1
}

// Binding a macro to key `keyId`: the key's old record counts as gone. `config` is the macro
// file's [index, repeat]. Gives the slot (-1: all twelve taken, the record stays zero), the record
// and the configuration to store.
function binding(records, keyId, config, playMode, times) {
    var others = copyRecords(records)
    others[keyId] = zero()
    var index = config && config.length > 0 ? Number(config[0]) : -1
    var slot = index >= 0 && index < macroSlots ? index : lowestFreeSlot(others)
    if (slot < 0)
        return { slot: -1, record: zero(), config: null }
    return { slot: slot, record: macroRecord(playMode, slot + 1), config: [slot, Number(times)] }
}

// Names of the macros whose stored slot no record holds any more. `configs` are
// [{ name, index }].
function staleMacros(configs, records) {
    var used = usedSlots(records)
    return configs.filter(function (c) { return c.index >= 0 && used.indexOf(c.index) < 0 })
                  .map(function (c) { return c.name })
}

// --- the last left button ---

var leftButtonRecord = [0x01, 0x00, 0xF0, 0x00]

// True when the user must be asked before key `keyId` changes: it is the only listed key that
// works as the left button.
function asksBeforeChange(records, keyId, listedIds) {
    if (!same(records[keyId], leftButtonRecord))
        return false
    for (var i = 0; i < listedIds.length; ++i) {
        var other = listedIds[i]
        if (other !== keyId && same(records[other], leftButtonRecord))
            return false
    }
    return true
}

// Centre of each key's numbered marker on the 260 × 360 mouse picture, by key id.
var keyPositions = [
    [84, 80], [176, 80], [154, 84], [28, 167], [30, 207], [130, 119], [130, 250], [130, 153],
    [130, 298], [232, 167], [232, 202], [230, 237], [40, 336], [220, 336], [106, 64], [106, 104]
]
