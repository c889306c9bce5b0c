.pragma library
.import "../basic/keycodes.js" as KeyCodes

// The sensor page's tables and conversions; nothing here draws or talks to the device.

var stageCount = 8
var menuSlots = 18
// The DPI code of a stage that is switched off.
var stageOff = 0x80

// Per sensor type: how many menu entries are shown, the stage values before anything is
// loaded, and the values of the menu.
var dpiTables = [
    { menuCounter: 13, initial: [500, 1000, 1500, 2000, 0, 0, 0, 0],
      menu: [0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 3000, 3500, 4000] },
    { menuCounter: 12, initial: [1000, 2500, 3500, 7000, 0, 0, 0, 0],
      menu: [0, 500, 1000, 1750, 2000, 2500, 3000, 3500, 4000, 5000, 6000, 7000] },
    { menuCounter: 11, initial: [500, 1000, 1500, 2500, 0, 0, 0, 0],
      menu: [0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 2750] },
    { menuCounter: 18, initial: [1000, 2000, 4000, 8000, 0, 0, 0, 0],
      menu: [0, 600, 800, 1000, 1200, 1600, 2000, 2400, 2800, 3200, 3600, 4000, 4500, 5000,
             6000, 7000, 8000, 10000] }
]

// Stage value → the byte the sensor takes: bits 0–5 a count of the sensor's step, bit 6
// doubles it, bit 7 (0x80) switches the stage off.
var dpiCodeTables = [
    { 250: 0x01, 500: 0x02, 750: 0x03, 1000: 0x04, 1250: 0x05, 1500: 0x06, 1750: 0x07,
      2000: 0x08, 2500: 0x45, 3000: 0x46, 3500: 0x47, 4000: 0x48 },
    { 500: 0x02, 1000: 0x04, 1750: 0x07, 2000: 0x08, 2500: 0x0a, 3000: 0x0c, 3500: 0x0e,
      4000: 0x48, 5000: 0x4a, 6000: 0x4c, 7000: 0x4e },
    { 250: 0x02, 500: 0x04, 750: 0x06, 1000: 0x08, 1250: 0x0a, 1500: 0x46, 1750: 0x47,
      2000: 0x48, 2500: 0x4a, 2750: 0x4b },
    { 600: 0x05, 800: 0x07, 1000: 0x09, 1200: 0x0b, 1600: 0x0f, 2000: 0x13, 2400: 0x17,
      2800: 0x1b, 3200: 0x1f, 3600: 0x23, 4000: 0x27, 4500: 0x2c, 5000: 0x31, 6000: 0x5d,
      7000: 0x62, 8000: 0x67, 10000: 0x71 }
]

function filled(list, length) {
    var out = []
    for (var i = 0; i < length; ++i)
        out.push(i < list.length ? list[i] : 0)
    return out
}

function knownType(type) {
    return type >= 0 && type < dpiTables.length && Math.floor(type) === type
}

// { menuCounter, valueForIndex (8), valueForMenuIndex (18) } of a sensor type; an unknown type
// has no menu and no stages.
function dpiTable(type) {
    if (!knownType(type))
        return { menuCounter: 0, valueForIndex: filled([], stageCount),
                 valueForMenuIndex: filled([], menuSlots) }
    var t = dpiTables[type]
    return { menuCounter: t.menuCounter, valueForIndex: t.initial.slice(),
             valueForMenuIndex: filled(t.menu, menuSlots) }
}

function dpiCode(type, value) {
    if (!knownType(type))
        return stageOff
    var code = dpiCodeTables[type][Number(value)]
    return code === undefined ? stageOff : code
}

// Always eight codes: a stage missing from `values` is off.
function dpiCodes(type, values) {
    var codes = []
    for (var i = 0; i < stageCount; ++i)
        codes.push(i < values.length ? dpiCode(type, values[i]) : stageOff)
    return codes
}

// Polling rate: button index 0–3 (125 … 1000 Hz) ↔ a one-bit code 8, 4, 2, 1.
function rateCode(index) {
    return 1 << (3 - index)
}

function rateIndex(code) {
    var b = KeyCodes.logByte(Number(code) & 0xff)
    return Math.min(3, Math.max(0, 4 - b))
}

// Eleven-step slider: a release at x on a track of width w; the first pixel is step 0, the
// last step 10, and anything outside is held to the ends.
function slider11Index(x, w) {
    var last = w - 1
    var clamped = Math.min(Math.max(x, 0), last)
    return Math.max(0, Math.ceil(11 * clamped / last) - 1)
}

// The device counts stages from 1; the page's buttons from 0.
function stageIndex(stage) {
    return Math.min(stageCount - 1, Math.max(0, Number(stage) - 1))
}

function numbers(list) {
    return list.map(function (v) { return Number(v) })
}

// The eight indicator colours as {r, g, b, id}; `rgb` only counts with exactly 24 values and
// `ids` only with exactly 8, otherwise `previous` stays.
function mergeColours(previous, rgb, ids) {
    var out = previous.map(function (c) { return { r: c.r, g: c.g, b: c.b, id: c.id } })
    if (rgb && rgb.length === 3 * stageCount) {
        for (var i = 0; i < stageCount; ++i) {
            out[i].r = Number(rgb[3 * i])
            out[i].g = Number(rgb[3 * i + 1])
            out[i].b = Number(rgb[3 * i + 2])
        }
    }
    if (ids && ids.length === stageCount) {
        for (var k = 0; k < stageCount; ++k)
            out[k].id = Number(ids[k])
    }
    return out
}

// The factory sensor settings as loadDefaultProfile(3) lists them. A short list shifts the later
// positions; they are read where they are expected all the same, missing ones as 0.
function readDefaults(configs) {
    var at = function (i) { return i < configs.length ? Number(configs[i]) : 0 }
    var dpi = []
    for (var i = 4; i < 12; ++i)
        dpi.push(at(i))
    var rgb = []
    for (var j = 13; j < 37; ++j)
        rgb.push(at(j))
    var ids = []
    for (var k = 37; k < 45; ++k)
        ids.push(at(k))
    return { rateIndex: rateIndex(at(0)), cursorSpeed: at(1), scrollLines: at(2),
             doubleClickSpeed: at(3), dpiValues: dpi, dpiIndex: stageIndex(at(12)), rgb: rgb,
             ids: ids }
}

// What goes to ui_10H_SetLED8StageColor: type 2 with the eight colour ids when the indicator
// takes palette colours, else type 1 with R, G, B of each stage.
function colourMessage(colours, paletteMode) {
    if (paletteMode)
        return { type: 2, values: colours.map(function (c) { return c.id }) }
    var rgb = []
    colours.forEach(function (c) { rgb.push(c.r, c.g, c.b) })
    return { type: 1, values: rgb }
}

// The logo LED's eight palette colours, by colour id.
var logoPalette = [
    [255, 0, 0], [0, 255, 0], [0, 0, 255], [255, 0, 255],
    [0, 255, 255], [255, 255, 0], [255, 255, 255], [255, 127, 0]
]

function paletteColour(id) {
    var c = logoPalette[id]
    return c === undefined ? [0, 0, 0] : c
}

// A stage button shows its value, or "×" for an empty stage.
function stageText(value) {
    return Number(value) > 0 ? String(value) : "×"
}
