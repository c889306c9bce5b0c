.pragma library

// Colour of the palette strip at height y (0 = top) of a strip h pixels high. The strip runs
// black, red, yellow, green, cyan, blue, magenta, white, black in eight equal bands.
function stripPick(y, h) {
    var rate = y / (h - 1) / 0.125
    var level = Math.floor(rate)
    var v = Math.round((rate - level) * 255)
    switch (level) {
    case 0: return [v, 0, 0]
    case 1: return [255, v, 0]
    case 2: return [255 - v, 255, 0]
    case 3: return [0, 255, v]
    case 4: return [0, 255 - v, 255]
    case 5: return [v, 0, 255]
    case 6: return [255, v, 255]
    case 7: return [255 - v, 255 - v, 255 - v]
    default: return [0, 0, 0]
    }
}

// Brightness step 0–7 → alpha value 45–255 of the active text colour.
function brightnessValue(step) {
    return 45 + step * 210 / 7
}

function hex2(n) {
    var s = Math.max(0, Math.min(255, Math.round(n))).toString(16)
    return s.length < 2 ? "0" + s : s
}

function rgbString(r, g, b) {
    return "#" + hex2(r) + hex2(g) + hex2(b)
}

// "#AARRGGBB" with the alpha of a brightness value (0–255).
function colorWithAlpha(r, g, b, value) {
    return "#" + hex2(value) + hex2(r) + hex2(g) + hex2(b)
}

function animationTime(choice) {
    return Number(choice) === 1 ? 10 : 800
}

function textSize(choice) {
    return Number(choice) === 1 ? 12 : 11
}

// Stored booleans come back as text.
function toBool(v) {
    return v === true || v === "true" || v === 1 || v === "1"
}

// The configuration as saved: 32 items, see loadState for the reverse.
function buildApConfig(s) {
    var items = [1, s.skinNo, s.soundIndex, s.animationIndex, s.languageIndex,
                 s.customBackground, s.customBackgroundPath, s.sizeChoice]
    for (var i = 0; i < 7; ++i)
        items.push(s.colors[i][0], s.colors[i][1], s.colors[i][2])
    items.push(s.selectedColor, s.brightnessIndex, s.url)
    return items
}

// Reads the 32 stored items into plain values; null for an empty configuration.
function loadState(items) {
    if (!items || items.length === 0)
        return null
    var n = function (i) { return Number(items[i]) }
    var colors = []
    for (var i = 0; i < 7; ++i)
        colors.push([n(8 + 3 * i), n(9 + 3 * i), n(10 + 3 * i)])
    return {
        skinNo: n(1), soundIndex: n(2), animationIndex: n(3), languageIndex: n(4),
        customBackground: toBool(items[5]),
        customBackgroundPath: items[6] === undefined ? "" : String(items[6]),
        sizeChoice: n(7), colors: colors, selectedColor: n(29), brightnessIndex: n(30),
        url: items[31] === undefined ? "" : String(items[31])
    }
}

// What a palette change touches, by mode: 1 strip pick, 2 typed, 3 swatch chosen, else inputs
// and swatch only.
function paletteEffects(mode) {
    return {
        inputs: mode !== 2,
        swatch: mode !== 3,
        color: mode === 1 || mode === 2 || mode === 3
    }
}

// The interface strings: element 0 is the font family, then strings 1 … 156.
var stringCount = 157

// The interface strings before any language file is applied; element 0 is the font family.
function builtInStrings() {
    var s = ["Arial", "OPTIONS", "LOOP", "SPEED", "BRIGHTNESS", "DIRECTION", "PAINTING", "EFFECTS",
             "USER DEFINE 1", "USER DEFINE 2", "USER DEFINE 3", "USER DEFINE 4", "USER DEFINE 5",
             "STATIC", "BREATHING", "WAVE", "INDUCTION DARKEN", "MARQUEE", "RIPPLE",
             "INDUCTION BRIGHTEN", "NEON", "MARQUEE COLORFUL", "RAINING", "MARQUEE CIRCLE",
             "SPOTLIGHT", "ROTATION", "SKIN", "SOUND", "ANIMATED", "LANGUAGE", "BACKGROUND", "ON",
             "OFF", "TEXT", "SIZE", "COLOR", "BRIGHTNESS", "NORMAL", "LARGER", "SKIN 1", "SKIN 2",
             "SKIN 3", "SKIN 4", "SKIN 5", "MACRO", "ACTION", "KEYBOARD", "MOUSE", "MEDIA",
             "COMBO KEY", "MACRO", "LEFT", "RIGHT", "MIDDLE", "BACKWARD", "FORWARD", "NEXT TRACK",
             "PREVIOUS TRACK", "STOP", "PLAY / PAUSE", "MUTE", "VOLUME UP", "VOLUME DOWN",
             "MEDIA SELECT", "MAIL", "CALCULATOR", "MY COMPUTER", "WWW SEARCH", "WWW HOME",
             "WWW BACK", "WWW FORWARD", "WWW STOP", "WWW REFRESH", "WWW FAVORITES", "KEY", "MACRO",
             "COLOR", "RESET", "CANCEL", "GAMING MODE", "DELETE", "CUT", "PASTE", "COPY", "LOAD",
             "SAVE", "SENSOR", "LED POWER ON", "TWINKLING", "GLIDING", "FINGER MOVING",
             "VERTICAL FLIPPING", "YO-YO", "FIRE KEY", "TRIPLE CLICK", "DPI SWITCH", "NORMAL PLAY",
             "TIMES", "ALWAYS REPEAT", "REPEAT ON PRESSED", "POLLING RATE", "CURSOR SPEED",
             "VERTICAL SCROLL SPEED", "DOUBLE CLICK SPEED", "DPI LEVEL", "DPI INDICATOR LED",
             "DEFAULT", "APPLY", "SCROLL SWAP", "SCROLL UP", "SCROLL DOWN", "LED CONTROL", "RENAME",
             "ALL RESET", "ALL SAVE", "", "", "", "", "PRESS GUN", "X ADJUST", "Y ADJUST", "TIMES",
             "SWITCH", "CURSOR RETURN", "SYSTEM", "USER", "", "", "PUBG", "CS", "CF", "FIRE TIME",
             "FIRE PERIOD", "", "DEFAULT VALUE 1", "DEFAULT VALUE 2", "USER VALUE", "", "", "",
             // 141 …: the profile rules
             "PROFILE RULES", "SWITCH BY APPLICATION", "APPLY ON SWITCH", "RESTORE ON RECONNECT",
             "START AT LOGIN", "EDIT", "APPLICATION", "PROFILE", "RUNNING", "OTHER APPLICATIONS",
             "UNCHANGED", "ADD", "RULES",
             "This desktop does not tell which application has the focus: rules cannot switch "
             + "profiles here.",
             "This desktop tells the focus of X11 applications only: rules switch for those.",
             "BACK"]
    while (s.length < stringCount)
        s.push("")
    return s
}

// String `index` of the language, or the built-in text where the language has none (a language
// file older than the string).
function stringAt(strings, index) {
    return stringOr(strings, index, builtInStrings()[index])
}

var builtInColors = [[0, 255, 255], [255, 200, 150], [255, 180, 0], [200, 200, 100],
                     [200, 170, 255], [255, 180, 180], [160, 190, 160]]

// A text a language may rename: its interface string when the language has one, else the
// built-in text.
function stringOr(strings, index, builtIn) {
    var s = strings ? strings[index] : undefined
    return s === undefined || s === "" ? builtIn : String(s)
}

// A language file with fewer strings than the interface uses leaves the rest empty, not
// undefined.
function padStrings(list) {
    var padded = list ? list.slice() : []
    while (padded.length < stringCount)
        padded.push("")
    return padded
}
