.pragma library

// Index of a stepped slider from a release at x on a track of width w: the track's first pixel
// is step 0, its last pixel the top step, anything outside is held to the ends.
function sliderIndex(x, w, steps) {
    var last = Math.max(w - 1, 1)
    var clamped = Math.min(Math.max(x, 0), last)
    return Math.ceil(clamped / last * steps)
}

// Text of a closed drop-down list: the element's textX, or the bracketed "options" string when
// the index points at nothing.
function dropdownText(model, index, optionsText) {
    if (model && index >= 0 && index < model.count)
        return model.get(index).textX
    return "【 " + optionsText + " 】"
}

// Open/close time of a drop-down list grows with the number of its elements.
function dropdownDuration(animationSpeed, count) {
    return animationSpeed * (0.1 + 0.05 * count)
}

// A click on the current entry of a list deselects it; a click on another selects that one.
function toggledIndex(current, clicked) {
    return current === clicked ? -1 : clicked
}

function keyBoxText(name) {
    if (name === undefined || name === "")
        return "KEY【 PRESS ANY 】"
    return "KEY 【 " + name + " 】"
}

// A value field left empty falls back to "1" so the page never receives a blank number.
function committedValue(text) {
    return text === "" ? "1" : text
}

// Whether typed digits stay at or below the field's maximum (empty counts as fine).
function withinMax(text, maxValue) {
    return text === "" || Number(text) <= maxValue
}
