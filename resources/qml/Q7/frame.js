.pragma library

// What the page area does when the function menu asks for page `index`, given which slide is
// running and the slide-out's target (negative: nothing was shown).
//   "retarget": the running slide-out now brings `index` in, and is completed at once;
//   "finishIn": the running slide-in completes with `index` as the page;
//   "hide":     slide out, leaving the area empty;
//   "slideIn":  nothing is shown, slide `index` in;
//   "switch":   slide the shown page out, `index` follows.
function pageAction(index, slidingOut, slidingIn, outTarget) {
    if (slidingOut)
        return "retarget"
    if (slidingIn)
        return "finishIn"
    if (index < 0)
        return "hide"
    if (outTarget < 0)
        return "slideIn"
    return "switch"
}

// Whether the page chosen before start-up still has to slide in once the menus are in: not when
// a click meanwhile showed, is sliding or has closed a page.
function openingPageWanted(pageId, slidingIn, slidingOut, pagesX) {
    return pageId >= 0 && !slidingIn && !slidingOut && pagesX !== 0
}

// The global-settings panel's slide, asked to show or close while a slide may run:
//   "restart" completes the running slide and plays the asked one;
//   "complete" only completes the running slide;
//   "play" starts the asked slide.
function panelAction(show, opening, closing) {
    if (show)
        return closing ? "restart" : (opening ? "complete" : "play")
    return opening ? "restart" : (closing ? "complete" : "play")
}

// Which parts of the frame take input: nothing around the pages while the panel is open, and
// no profile switching while the macro page is shown.
function frameEnabled(globalSettingSelected) {
    return !globalSettingSelected
}

function profileMenuEnabled(globalSettingSelected, pageId) {
    return !globalSettingSelected && pageId !== 1
}

function partOpacity(enabled) {
    return enabled ? 1.0 : 0.2
}

// A click on the open entry closes it; a click on another opens that one.
function toggledEntry(current, clicked) {
    return current === clicked ? -1 : clicked
}

// Profile entries are labelled P01 … P10.
function profileLabel(index) {
    var n = index + 1
    return "P" + (n < 10 ? "0" + n : "" + n)
}

// Context-menu items in order: LOAD, SAVE, RESET, RULES, CANCEL, with their strings.
var profileMenuStrings = [84, 85, 77, 153, 78]
var profileMenuRules = 3

// Whether a context-menu item on `entry` must make the pages reload: LOAD and RESET of the
// profile that is current replace the file the pages show.
function profileItemReloads(item, entry, current) {
    return (item === 0 || item === 2) && entry === current
}

// Which pages (0 key, 1 macro, 2 colour, 3 sensor, 4 press gun) show what a slot called from
// outside the window changes; a profile switch or a replaced profile reloads the pages a click on
// the profile menu reloads.
var outsideChanges = {
    ui_02H_SetCurrentProfile: [0, 2, 3], applyProfile: [0, 2, 3], loadProfile: [0, 2, 3],
    resetProfile: [0, 2, 3],
    ui_01H_SetReportRate: [3], ui_0BH_SetCurrentDPIStage: [3], ui_11H_SetDPISet: [3],
    setCursorSpeed: [3], setVerticalScrollLines: [3], setDoubleClickSpeed: [3],
    ui_10H_SetLED8StageColor: [2, 3], ui_0DH_SetRGBLedEffect: [2],
    ui_12H_SetKeyMatrix: [0],
    createMacroIni: [0, 1], deleteMacroIni: [0, 1], saveMacroIni: [1], renameMacroIniFile: [0, 1],
    loadMacroIniFromFile: [0, 1], setMacroIniConfig: [0, 1],
    saveGundata: [4], saveSelGundata: [4]
}

function pagesShowing(slot) {
    var pages = outsideChanges[slot]
    return pages === undefined ? [] : pages
}
