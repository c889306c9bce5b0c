.pragma library
.import "../Q7/frame.js" as Frame
.import "globalsetting.js" as Settings

// The profile rules panel and the rule switches of the settings panel: texts, rows and choices;
// nothing here draws or talks to the native side.

var profileCount = 10

// Interface strings by name (their English is in globalsetting.js).
var strings = {
    title: 141, rulesOn: 142, applyOnSwitch: 143, keepInStep: 144, autostart: 145, edit: 146,
    application: 147, profile: 148, running: 149, otherApplications: 150, unchanged: 151,
    add: 152, rules: 153, noFocus: 154, partialFocus: 155, back: 156, remove: 80
}

function text(list, name) {
    return Settings.stringAt(list, strings[name])
}

// The four switches, in the order the settings panel shows them, by their option names.
var switches = ["rulesOn", "applyOnSwitch", "keepInStep", "autostart"]

// Rules as the list shows them: application and profile label, sorted by name (case aside).
function ruleRows(rules) {
    var rows = (rules || []).map(function (r) {
        return { textX: String(r.application), textR: Frame.profileLabel(Number(r.profile)),
                 profile: Number(r.profile) }
    })
    rows.sort(function (a, b) {
        var x = a.textX.toLowerCase(), y = b.textX.toLowerCase()
        return x < y ? -1 : (x > y ? 1 : 0)
    })
    return rows
}

// Running applications, each with the profile its rule gives it ("" without one).
function runningRows(names, rules) {
    return (names || []).map(function (n) {
        var name = String(n)
        var profile = profileOf(rules, name)
        return { textX: name, textR: profile < 0 ? "" : Frame.profileLabel(profile) }
    })
}

// The profile a rule gives `name` as the program matches it (exact first, then case aside); -1.
function profileOf(rules, name) {
    var list = rules || []
    for (var i = 0; i < list.length; ++i) {
        if (String(list[i].application) === name)
            return Number(list[i].profile)
    }
    for (var k = 0; k < list.length; ++k) {
        if (String(list[k].application).toLowerCase() === name.toLowerCase())
            return Number(list[k].profile)
    }
    return -1
}

function profileChoices() {
    var out = []
    for (var i = 0; i < profileCount; ++i)
        out.push(Frame.profileLabel(i))
    return out
}

// The choices for every other application: first "unchanged" (no default), then the profiles.
function defaultChoices(list) {
    return [text(list, "unchanged")].concat(profileChoices())
}

function defaultChoiceIndex(profile) {
    var p = Number(profile)
    return p >= 0 && p < profileCount ? p + 1 : 0
}

function defaultProfileOf(choiceIndex) {
    return choiceIndex - 1
}

// Whether a typed name can become a rule: the native side refuses the rest with a reason, this
// only keeps the add button from offering what cannot work.
function canAdd(name) {
    var s = String(name)
    return s.trim() !== "" && s.length <= 255 && !/[\u0000-\u001f\u007f-\u009f\u2028\u2029]/.test(s)
}

// The line under the rules about what this desktop tells; "" when it tells everything.
function focusNote(options, list) {
    if (!options)
        return ""
    if (options.focusState === "none")
        return text(list, "noFocus")
    if (options.focusState === "partial")
        return text(list, "partialFocus")
    return ""
}
