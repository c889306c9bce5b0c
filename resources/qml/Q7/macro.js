.pragma library
.import "../basic/keycodes.js" as KeyCodes

// The macro page's lines and edits. A line is its value followed by a 10-character marker; the
// edits take the line list and the selected line and give back the new ones, so the page only
// shows and saves.

var markerLength = 10

// Ten spaces and the bracketed word, cut to the last ten characters.
function marker(word) {
    return ("          " + word).slice(-markerLength)
}

var pressMarker = marker("[按下]")
var releaseMarker = marker("[松开]")
var delayMarker = marker("[延时]")

var shortestDelay = 10
var longestDelay = 65535
var defaultDelay = 1000
var delayDigits = 5

// The five buttons of the mouse adder, by button code.
var firstButton = 0xF0
var buttonStrings = [51, 52, 53, 54, 55]
var buttonCount = buttonStrings.length

function splitLine(line) {
    var text = String(line)
    return { textX: text.slice(0, -markerLength), textR: text.slice(-markerLength) }
}

function joinLine(value, mark) {
    return String(value) + mark
}

function keyStroke(name) {
    return [joinLine(name, pressMarker), joinLine(name, releaseMarker)]
}

function buttonName(entry) {
    return KeyCodes.mousecodeTostr(firstButton + entry)
}

function delayLine(ms) {
    return joinLine(ms, delayMarker)
}

// A recorded key event as a line; null for a code the key table cannot name.
function recordedLine(isDown, usbCode) {
    var name = KeyCodes.keycodeTostr(usbCode)
    if (name === undefined)
        return null
    return joinLine(name, isDown ? pressMarker : releaseMarker)
}

// Macro names from the library's file names (".bin" dropped).
function macroNames(fileNames) {
    return fileNames.map(function (f) { return String(f).slice(0, -4) })
}

function hasLine(lines, index) {
    return index >= 0 && index < lines.length
}

// New lines go before the selected line, or at the end with none selected; the selection stays
// on the line it was on.
function inserted(lines, selected, newLines) {
    var at = hasLine(lines, selected) ? selected : lines.length
    var out = lines.slice(0, at).concat(newLines, lines.slice(at))
    return { lines: out, selected: hasLine(lines, selected) ? selected + newLines.length : -1 }
}

// The selection moves to the line that takes the removed one's place, if any.
function removed(lines, selected) {
    if (!hasLine(lines, selected))
        return { lines: lines.slice(), selected: -1 }
    var out = lines.slice(0, selected).concat(lines.slice(selected + 1))
    return { lines: out, selected: selected < out.length ? selected : -1 }
}

// Clipboard: { line, unlimited }. After Copy it pastes any number of times, after Cut once.
function cut(lines, selected) {
    var r = removed(lines, selected)
    return { lines: r.lines, selected: r.selected,
             clipboard: { line: hasLine(lines, selected) ? lines[selected] : "", unlimited: false } }
}

function copy(lines, selected, clipboard) {
    if (!hasLine(lines, selected))
        return clipboard
    return { line: lines[selected], unlimited: true }
}

function paste(lines, selected, clipboard) {
    if (clipboard.line === "")
        return { lines: lines.slice(), selected: selected, clipboard: clipboard }
    var r = inserted(lines, selected, [clipboard.line])
    return { lines: r.lines, selected: r.selected,
             clipboard: clipboard.unlimited ? clipboard : { line: "", unlimited: false } }
}

function emptyClipboard() {
    return { line: "", unlimited: false }
}

// Whether the delay field takes these digits: at most five, and no more than 65535.
function delayAccepts(text) {
    return /^[0-9]{0,5}$/.test(text) && (text === "" || Number(text) <= longestDelay)
}

// The delay an accepted entry stands for; an empty field keeps `previous`.
function delayValue(text, previous) {
    if (text === "" || !delayAccepts(text))
        return previous
    return Math.max(Number(text), shortestDelay)
}

// Which controls take input.
function enabling(s) {
    var macro = s.macroIndex >= 0
    var editable = macro && !s.recording
    var line = editable && s.lineIndex >= 0
    return {
        list: !s.recording, add: !s.recording, importing: !s.recording,
        deleteMacro: editable,
        record: editable, stop: s.recording,
        deleteLine: line, cut: line, copy: line,
        paste: editable && s.clipboard !== "",
        addKey: editable && s.keyFilled, addMouse: editable && s.mouseEntry >= 0,
        addDelay: editable
    }
}
