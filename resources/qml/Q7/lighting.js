.pragma library
.import "../basic/globalsetting.js" as Settings

// The colour page's effect list, formulas and stored records; nothing here draws or talks to
// the device.

// In list order; the code the device takes is list index + 1 (0 switches the LEDs off). Each
// name is replaced by its interface string when a language is applied.
var effects = [
    { name: "STATIC", stringIndex: 13 },
    { name: "TWINKLING", stringIndex: 88 },
    { name: "BREATHING", stringIndex: 14 },
    { name: "NEON", stringIndex: 20 },
    { name: "WAVE", stringIndex: 15 },
    { name: "GLIDING", stringIndex: 89 },
    { name: "FINGER MOVING", stringIndex: 90 },
    { name: "VERTICAL FLIPPING", stringIndex: 91 },
    { name: "YO-YO", stringIndex: 92 },
    { name: "SPOTLIGHT", stringIndex: 24 }
]

var ledOff = 0

function effectCode(listIndex) {
    return listIndex + 1
}

function effectName(listIndex, strings) {
    var e = effects[listIndex]
    return Settings.stringOr(strings, e.stringIndex, e.name)
}

// Which controls the effect uses, by effect code.
function speedEnabled(code) {
    return [3, 4, 5, 8, 9, 10].indexOf(code) >= 0
}

function brightnessEnabled(code) {
    return [1, 2, 5, 7, 8, 9, 10].indexOf(code) >= 0
}

function paletteEnabled(code) {
    return [1, 3, 9, 10].indexOf(code) >= 0
}

// Brightness slider 0–7 → the byte: 0 stays dark, 1–7 give 45 … 255.
function brightnessOption(step) {
    return step === 0 ? 0 : 10 + 35 * step
}

// Speed slider 0–7 → the effect's own step count; further right is faster, so smaller.
function speedOption(code, step) {
    var slower = 7 - step
    if (code >= 3 && code <= 5)
        return 1 + Math.round(slower * 9 / 7)
    if (code === 8)
        return 10 + Math.round(slower * 10 / 7)
    if (code === 9)
        return 5 + Math.round(slower * 10 / 7)
    if (code === 10)
        return 20 + Math.round(slower * 10 / 7)
    return 0
}

// The stored effect record: [effect list index, brightness step, speed step, LEDs on (1/0)].
// The first three are what the device's factory files hold; the fourth keeps the power switch
// apart from the effect, so neither a static effect nor a switched-off one is mistaken for the
// other when it is read back.
function effectRecord(listIndex, brightness, speed, ledOn) {
    return [listIndex, brightness, speed, ledOn ? 1 : 0]
}

// [code, option1, option2] for ui_0DH_SetRGBLedEffect. With the LEDs off the effect is 0 and
// so are both options; the chosen effect stays in the record.
function effectMessage(ledOn, listIndex, brightness, speed) {
    if (!ledOn)
        return [ledOff, 0, 0]
    var code = effectCode(listIndex)
    return [code, brightnessEnabled(code) ? brightnessOption(brightness) : 0,
            speedEnabled(code) ? speedOption(code, speed) : 0]
}

// A stored record → {effectIndex, brightness, speed, ledOn}; null when it is not one. A record
// without the power flag (the factory files, older profiles) means the LEDs are on.
function readRecord(list) {
    if (!list || (list.length !== 3 && list.length !== 4))
        return null
    return { effectIndex: clampStep(list[0], effects.length - 1), brightness: clampStep(list[1], 7),
             speed: clampStep(list[2], 7), ledOn: list.length === 3 || Number(list[3]) !== 0 }
}

function clampStep(v, top) {
    var n = Math.floor(Number(v))
    return isNaN(n) ? 0 : Math.min(top, Math.max(0, n))
}

// The eight entries of the colour table before anything is read.
var defaultColours = [
    [255, 0, 0], [0, 0, 255], [0, 255, 0], [255, 0, 255],
    [255, 255, 0], [0, 255, 255], [255, 255, 255], [0, 0, 0]
]

// src24 (entry i at 3i, 3i + 1, 3i + 2) → eight [r, g, b]; null unless exactly 24 values.
function coloursFrom24(src24) {
    if (!src24 || src24.length !== 24)
        return null
    var out = []
    for (var i = 0; i < 8; ++i)
        out.push([Number(src24[3 * i]), Number(src24[3 * i + 1]), Number(src24[3 * i + 2])])
    return out
}

function coloursTo24(colours) {
    var out = []
    for (var i = 0; i < 8; ++i)
        out.push(colours[i][0], colours[i][1], colours[i][2])
    return out
}

// The factory lighting as loadDefaultProfile(2) lists it: 24 colour values, then the stored
// effect record.
function readDefaults(configs) {
    var record = readRecord(configs.slice(24))
    return { colours: coloursFrom24(configs.slice(0, 24)), record: record }
}
