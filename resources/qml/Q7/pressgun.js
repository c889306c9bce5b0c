.pragma library
.import "../basic/globalsetting.js" as Settings

// The press-gun page's weapon tables, presets and the values it stores and sends; nothing here
// draws or talks to the device.

var gameCount = 3
var weaponCount = 12
// A weapon record's fields, in the order the recoil files keep them.
var fields = ["textX", "index", "xOffset", "yOffset", "times", "isEnable", "cursorBack"]

var maxOffset = 127
var maxTimes = 127
var maxFireTime = 255
var minFirePeriod = 10
var maxFirePeriod = 100

// Built-in texts; a language's interface string replaces each when it has one.
var games = [
    { name: "绝地求生", stringIndex: 129 },
    { name: "CS", stringIndex: 130 },
    { name: "CF", stringIndex: 131 }
]

var presetDefault1 = 0
var presetDefault2 = 1
var presetUser = 2
var presets = [
    { name: "Default Value 1", stringIndex: 135 },
    { name: "Default Value 2", stringIndex: 136 },
    { name: "User Value", stringIndex: 137 }
]

// Vertical offsets of the two default presets, by weapon; only the first game has its own.
var presetOffsets = [
    [27, 18, 30, 28, 30, 28, 22, 30, 25, 40, 5, 5],
    [27, 18, 30, 28, 36, 34, 25, 34, 25, 40, 5, 5]
]
var otherGamesPresetOffset = 5

var fireTimeLabel = { name: "FIRE TIME", stringIndex: 132 }
var firePeriodLabel = { name: "FIRE PERIOD", stringIndex: 133 }

var firstGameNames = ["VECTOR", "MICRO", "TMX", "UNP9", "AKM", "M16A4", "Mini14", "SCAR-L", "", "",
                      "", ""]

var defaultFireKey = { game: 0, gun: 0, fireTime: 10, firePeriod: 10 }

function title(entry, strings) {
    return Settings.stringOr(strings, entry.stringIndex, entry.name)
}

function gameTitles(strings) {
    return games.map(function (g) { return title(g, strings) })
}

function presetTitles(strings) {
    return presets.map(function (p) { return title(p, strings) })
}

function defaultRecord(game, gun) {
    return { textX: game === 0 ? firstGameNames[gun] : "", index: Math.min(gun, 3), xOffset: 0,
             yOffset: gun < 3 ? 5 + gun : 7, times: 1, isEnable: 1, cursorBack: 1 }
}

function defaultTable(game) {
    var table = []
    for (var i = 0; i < weaponCount; ++i)
        table.push(defaultRecord(game, i))
    return table
}

// A stored number as an integer in [low, high]; anything unreadable gives `fallback`.
function integer(value, low, high, fallback) {
    var n = Number(value)
    if (value === undefined || value === null || String(value).trim() === "" || !isFinite(n))
        return fallback
    return Math.min(high, Math.max(low, Math.floor(n)))
}

// The 84 values of a recoil file → 12 records. A short or damaged list keeps the built-in
// values where it has nothing readable.
function tableFrom(values, game) {
    var table = defaultTable(game)
    var list = values || []
    for (var i = 0; i < weaponCount; ++i) {
        var at = 7 * i
        if (at >= list.length)
            break
        var d = table[i]
        table[i] = {
            textX: list[at] === undefined || list[at] === null ? d.textX : String(list[at]),
            index: integer(list[at + 1], 0, 255, d.index),
            xOffset: integer(list[at + 2], 0, 255, d.xOffset),
            yOffset: integer(list[at + 3], 0, maxOffset, d.yOffset),
            times: integer(list[at + 4], 0, maxTimes, d.times),
            isEnable: integer(list[at + 5], 0, 1, d.isEnable),
            cursorBack: integer(list[at + 6], 0, 1, d.cursorBack)
        }
    }
    return table
}

// 12 records → the 84 values of a recoil file, record i at 7i … 7i+6.
function valuesOf(table) {
    var out = []
    table.forEach(function (r) {
        fields.forEach(function (f) { out.push(r[f]) })
    })
    return out
}

function copyTable(table) {
    return table.map(function (r) { return Object.assign({}, r) })
}

// The largest number of times a vertical offset allows while the cursor comes back; an offset of
// 0 moves nothing, so it leaves the whole range.
function timesLimit(yOffset, cursorBack) {
    var y = Number(yOffset)
    if (!cursorBack || !(y > 0))
        return maxTimes
    return Math.floor(maxTimes / y)
}

function cutTimes(times, yOffset, cursorBack) {
    return Math.min(Number(times), timesLimit(yOffset, cursorBack))
}

function rangeText(yOffset) {
    return "(0 - " + timesLimit(yOffset, true) + " )"
}

// The vertical offset a default preset sends for a weapon; undefined for the user's value.
function presetOffset(preset, game, gun) {
    if (preset !== presetDefault1 && preset !== presetDefault2)
        return undefined
    if (game !== 0)
        return otherGamesPresetOffset
    return presetOffsets[preset][gun]
}

// A stored fire-key record [game, weapon, fire time, fire period]; missing or unreadable values
// take the factory ones.
function readFireKey(values) {
    var v = values || []
    return {
        game: integer(v[0], 0, gameCount - 1, defaultFireKey.game),
        gun: integer(v[1], 0, weaponCount - 1, defaultFireKey.gun),
        fireTime: integer(v[2], 0, maxFireTime, defaultFireKey.fireTime),
        firePeriod: integer(v[3], minFirePeriod, maxFirePeriod, defaultFireKey.firePeriod)
    }
}

function firePeriod(value) {
    return integer(value, minFirePeriod, maxFirePeriod, minFirePeriod)
}

function fireKeyRecord(game, gun, fireTime, period) {
    return [game, gun, integer(fireTime, 0, maxFireTime, 0), firePeriod(period)]
}

// The six values of q7_0CH_SetPressGun: x, y, times, enable, cursor back, fire key.
// A preset pulls by its own offset, so the times are cut by that one, as the page cuts them by the
// user's offset: the pull to be returned stays within the cursor's range.
function pressGunValues(record, preset, game, gun, fireKey) {
    var presetY = presetOffset(preset, game, gun)
    var y = presetY === undefined ? integer(record.yOffset, 0, maxOffset, 0) : presetY
    return [integer(record.xOffset, 0, 255, 0), y,
            cutTimes(integer(record.times, 0, maxTimes, 0), y, record.cursorBack),
            record.isEnable ? 1 : 0, record.cursorBack ? 1 : 0, fireKey]
}

// A weapon picture of the current skin.
function picture(skinFolder, game, gun) {
    return skinFolder + "gun/" + game + "/" + gun + ".png"
}
