.pragma library

// Key names as the key page and the macro lines show them, by USB HID usage. The backslash key
// is filed under 0x32 here; 0x31 has no name.
var keyboardRuns = [
    [0x04, "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z".split(" ")],
    [0x1E, ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0"]],
    [0x28, ["Enter", "Esc", "Back", "Tab", "Space"]],
    [0x2D, ["- _", "= +", "[ {", "] }"]],
    [0x32, ["\\ |", "; :", "' \"", "` ~", ", <", ". >", "/ ?", "Caps"]],
    [0x3A, ["F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"]],
    [0x46, ["Prt", "Scr", "Pau", "Ins", "Hom", "PgU", "Del", "End", "PgD"]],
    [0x4F, ["►", "◄", "▼", "▲"]],
    [0x53, ["Num", "KP /", "KP *", "KP -", "KP +", "KP Enter"]],
    [0x59, ["KP 1", "KP 2", "KP 3", "KP 4", "KP 5", "KP 6", "KP 7 ", "KP 8", "KP 9", "KP 0", "KP ."]],
    [0x64, ["Eur 2", "App", "Power", "KP ="]],
    [0x68, ["F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"]],
    [0x85, ["Keypad"]],
    [0x87, ["Int'l 1", "Intl'2", "Int'l 2", "Int'l 4", "Int'l 5"]],
    [0x90, ["Lang 1", "Lang 2"]],
    [0xE0, ["L Ctrl", "L Shift", "L Alt", "L Win", "R Ctrl", "R Shift", "R Alt", "R Win"]]
]
var mouseRuns = [[0xF0, ["MS-L", "MS-R", "MS-M", "MS-B4", "MS-B5"]]]

function buildTables(runs) {
    var byName = {}
    var byCode = {}
    for (var r = 0; r < runs.length; ++r) {
        for (var i = 0; i < runs[r][1].length; ++i) {
            var code = runs[r][0] + i
            byName[runs[r][1][i]] = code
            byCode[code] = runs[r][1][i]
        }
    }
    return { byName: byName, byCode: byCode }
}

var keyboard = buildTables(keyboardRuns)
var mouse = buildTables(mouseRuns)

// Own keys only: names like "constructor" must not resolve through the prototype.
function lookup(table, key) {
    return Object.prototype.hasOwnProperty.call(table, key) ? table[key] : undefined
}

function strTokeycode(name) { return lookup(keyboard.byName, name) }
function keycodeTostr(code) { return lookup(keyboard.byCode, code) }
function strTomousecode(name) { return lookup(mouse.byName, name) }
function mousecodeTostr(code) { return lookup(mouse.byCode, code) }

// 1-based position of the lowest set bit of the low byte; 0 when none is set.
function logByte(x) {
    var b = x & 0xFF
    for (var i = 0; i < 8; ++i) {
        if (b & (1 << i))
            return i + 1
    }
    return 0
}
