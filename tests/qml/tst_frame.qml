import QtQuick
import QtTest
import "support"

// The real scene against recording stand-ins for the native view and controller.
Item {
    id: _harness
    width: 1000
    height: 600

    ViewMock { id: ui_View }
    ControlerMock { id: ui_Ctl }

    Loader {
        id: _loader
        active: false
        source: "../../resources/qml/main.qml"
    }

    SignalSpy {
        id: _keySpy
        signalName: "msg_KB"
    }

    FindingTestCase {
        id: _test
        name: "Frame"
        when: windowShown

        property var english: {
            var list = ["DejaVu Sans"]
            for (var i = 1; i <= 140; ++i)
                list.push("S" + i)
            return list
        }

        // The 32 stored items as the configuration file gives them back: all text.
        function storedConfig(animationOff) {
            var items = [1, 2, 0, animationOff ? 1 : 0, 1, false, "", 1,
                         0, 255, 255, 255, 200, 150, 255, 180, 0, 200, 200, 100,
                         200, 170, 255, 255, 180, 180, 160, 190, 160,
                         1, 7, "https://example.com/q7"]
            return items.map(function (v) { return String(v) })
        }

        function start(config, frameLater) {
            ui_View.clear()
            ui_View.apConfig = config
            ui_View.languages = { "CHINESE (Simp)": "025044", "ENGLISH": "031000" }
            ui_View.strings = { "031000": english }
            ui_Ctl.minimized = 0
            _loader.active = false
            _loader.active = true
            var root = _loader.item
            root.initUI()
            // The frame, built later, catches up with initUI.
            if (!frameLater)
                root.builtFrame()
            return root
        }

        function startRunning() {
            var root = start(storedConfig(true))
            root.run()
            tryCompare(find(root, "menuFunc"), "x", 8)
            tryVerify(function () { return !find(root, "main_Q7").pageSlidingIn })
            return root
        }

        function openPanel(root) {
            mouseClick(find(root, "settingsButton"))
            tryCompare(find(root, "panelContent"), "x", 0)
        }

        function cleanup() {
            _loader.active = false
        }

        function test_emptyConfigurationKeepsTheBuiltInLook() {
            var root = start([])
            compare(root.startStage, 1)
            compare(root.globalSetting_fontFamily, "Arial")
            compare(root.globalSetting_size, 11)
            verify(Qt.colorEqual(root.globalSetting_color, "#FF00FFFF"))
            compare(root.animation_speed, 800)
            compare(root.skin_No, 1)
            compare(root.globalSetting_stringList[113], "ALL RESET")
            compare(ui_View.callsOf("getGlobalStrings").length, 0)
            compare(ui_View.callsOf("setEnableAudio").length, 0)
        }

        function test_storedConfigurationIsApplied() {
            var root = start(storedConfig(false))
            compare(root.skin_No, 2)
            compare(root.globalSetting_size, 12)
            // Language 1 in display-name order is ENGLISH.
            compare(ui_View.callsOf("getGlobalStrings")[0].args, ["031000"])
            compare(root.globalSetting_fontFamily, "DejaVu Sans")
            compare(root.globalSetting_stringList[113], "S113")
            compare(ui_View.callsOf("setEnableAudio")[0].args, [true])
            verify(Qt.colorEqual(root.globalSetting_color, "#FFFFC896"))
            compare(root.globalSetting_url, "https://example.com/q7")
            compare(root.skinFolder, "image://skin/modules/img/skin2/")
        }

        function test_applyWritesTheThirtyTwoItems() {
            var root = startRunning()
            openPanel(root)
            var panel = find(root, "globalSetting")
            mouseClick(find(root, "swatch4"))
            var slider = find(root, "brightnessSlider")
            mouseClick(slider, 3, 9)
            mouseClick(find(root, "applyButton"))
            var saves = ui_View.callsOf("saveApConfig")
            compare(saves.length, 1)
            var items = saves[0].args[0]
            compare(items.length, 32)
            var expected = storedConfig(true)
            expected[29] = "4"
            expected[30] = "0"
            compare(items.map(function (v) { return String(v) }), expected)
            verify(!find(root, "menuUp").isGlobalSettingSelect)
            tryVerify(function () { return !panel.visible })
        }

        function test_stripPickAndBrightnessSetTheActiveColour() {
            var root = startRunning()
            openPanel(root)
            var strip = find(root, "paletteStrip")
            mouseClick(find(root, "swatch0"))
            mouseClick(strip, 5, 0)
            verify(Qt.colorEqual(root.globalSetting_color, "#FF000000"))
            compare(find(root, "inputR").inputValue, "0")
            mousePress(strip, 5, strip.height - 1)
            mouseRelease(strip, 5, strip.height - 1)
            verify(Qt.colorEqual(root.globalSetting_color, "#FF000000"))
            // The strip is 129 high: its bands are 16 pixels, the red one starts at 16.
            mouseClick(strip, 5, 16)
            verify(Qt.colorEqual(root.globalSetting_color, "#FFFF0000"))
            // Brightness step 0 keeps the colour and lowers its alpha to 45.
            mouseClick(find(root, "brightnessSlider"), 3, 9)
            verify(Qt.colorEqual(root.globalSetting_color, "#2DFF0000"))
        }

        function test_pagesAreBuiltWhenFirstShownAndKept() {
            var root = startRunning()
            var main = find(root, "main_Q7")
            var pages = [0, 1, 2, 3, 4].map(function (i) { return find(root, "pageSlot" + i) })
            pages.forEach(function (page) { compare(page.item, null) })
            // A profile switch reaches only built pages; the others read it when shown.
            mouseClick(find(root, "profile2"))
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile")[0].args, [2])
            compare(ui_View.callsOf("applyProfile").length, 0)
            // With "apply on switch" a click sends the profile to the mouse as well.
            ui_View.applyOnSwitch = true
            mouseClick(find(root, "profile4"))
            compare(ui_View.callsOf("applyProfile")[0].args, [4])
            ui_View.applyOnSwitch = false
            mouseClick(find(root, "fnButton3"))
            verify(pages[3].item)
            compare(pages[0].item, null)
            tryVerify(function () { return !main.pageSlidingIn })
            mouseClick(find(root, "fnButton3"))
            tryCompare(main, "curID", -1)
            verify(pages[3].item)
            verify(!pages[3].visible)
            // Opened again after closing: every click of a function button is heard.
            mouseClick(find(root, "fnButton3"))
            compare(main.curID, 3)
            compare(ui_View.callsOf("playMedia_Index").filter(function (c) { return c.args[0] === 2 }).length, 3)
            tryVerify(function () { return !main.pageSlidingIn })
            mouseClick(find(root, "fnButton3"))
            tryCompare(main, "curID", -1)
            // The press-gun page has the key table sent again even when the key page was never
            // opened.
            mouseClick(find(root, "fnButton4"))
            verify(pages[4].item)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 0)
            pages[4].item.resetKeyMatrix()
            verify(pages[0].item)
            verify(!pages[0].visible)
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 1)
        }

        function test_switchDuringSlideOutBringsTheNewPage() {
            var root = startRunning()
            var main = find(root, "main_Q7")
            mouseClick(find(root, "fnButton0"))
            tryVerify(function () { return !main.pageSlidingIn })
            root.animation_speed = 4000
            mouseClick(find(root, "fnButton3"))
            verify(main.pageSlidingOut)
            compare(main.curID, 0)
            mouseClick(find(root, "fnButton4"))
            compare(main.curID, 4)
            verify(!main.pageSlidingOut)
            verify(main.pageSlidingIn)
            compare(find(root, "menuFunc").currentIndex, 4)
        }

        function test_functionChosenWhileTheMenusComeInKeepsItsPage() {
            var root = start(storedConfig(false))
            root.animation_speed = 1200
            root.run()
            var main = find(root, "main_Q7")
            var menu = find(root, "menuFunc")
            // Clicked as soon as the buttons are inside the window.
            tryVerify(function () { return menu.visible && menu.x >= 0 }, 10000)
            mouseClick(find(root, "fnButton0"))
            tryVerify(function () { return !main.pageSlidingIn })
            mouseClick(find(root, "fnButton1"))
            verify(main.pageSlidingOut)
            tryCompare(menu, "x", 8)
            tryVerify(function () { return !main.pageSlidingOut && !main.pageSlidingIn })
            compare(main.curID, 1)
            compare(menu.currentIndex, 1)
        }

        function test_profileMenuLoadReloadsOnlyTheCurrentProfile() {
            var root = startRunning()
            var menu = find(root, "menuProf")
            var context = find(root, "profileMenu")
            mouseClick(find(root, "profile2"), 20, 10, Qt.RightButton)
            verify(context.visible)
            ui_View.clear()
            mouseClick(find(root, "profileMenuItem0"))
            compare(ui_View.callsOf("loadProfile")[0].args, [2])
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile").length, 0)
            tryVerify(function () { return !context.visible })

            mouseClick(find(root, "profile0"), 20, 10, Qt.RightButton)
            mouseClick(find(root, "profileMenuItem0"))
            compare(ui_View.callsOf("loadProfile")[1].args, [0])
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile")[0].args, [0])

            // A left click on another entry switches the device's profile; the pages built so
            // far read it at once, the others when they are first shown.
            tryVerify(function () { return !context.visible })
            find(root, "pageSlot2").build()
            find(root, "pageSlot3").build()
            ui_View.clear()
            mouseClick(find(root, "profile5"))
            compare(menu.currentIndex, 5)
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile")[0].args, [5])
            // The colour and sensor pages read the new profile.
            compare(ui_View.callsOf("ui_8DH_GetRGBLedEffect").length, 1)
            compare(ui_View.callsOf("ui_91H_GetDPISet").length, 1)
        }

        // A window started hidden builds its frame when it opens: a profile switched from outside
        // before then is the one its menu shows.
        function test_frameBuiltLaterShowsTheProfileSwitchedBefore() {
            var root = start(storedConfig(true), true)
            root.showOutsideChange("ui_02H_SetCurrentProfile", 4)
            verify(!root.frameBuilt)
            root.builtFrame()
            compare(find(root, "menuProf").currentIndex, 4)
        }

        // q7ctl or D-Bus ran a slot: the profile menu follows, and only the built pages that
        // show what the slot changes read it again.
        function test_outsideChangesReachThePagesThatShowThem() {
            var root = startRunning()
            find(root, "pageSlot2").build()
            find(root, "pageSlot3").build()
            ui_View.clear()
            root.showOutsideChange("ui_0BH_SetCurrentDPIStage", 0)
            compare(ui_View.callsOf("ui_91H_GetDPISet").length, 1)
            compare(ui_View.callsOf("ui_8DH_GetRGBLedEffect").length, 0)
            ui_View.clear()
            root.showOutsideChange("ui_8BH_GetCurrentDPIStage", 0)
            compare(ui_View.calls.length, 0)
            root.showOutsideChange("ui_02H_SetCurrentProfile", 6)
            compare(find(root, "menuProf").currentIndex, 6)
            compare(ui_View.callsOf("ui_91H_GetDPISet").length, 1)
            compare(ui_View.callsOf("ui_8DH_GetRGBLedEffect").length, 1)
            // Switching from outside is not a click: the profile is not set a second time.
            compare(ui_View.callsOf("ui_02H_SetCurrentProfile").length, 0)
        }

        function test_panelDisablesTheFrameAndMacroPageTheProfiles() {
            var root = startRunning()
            mouseClick(find(root, "fnButton1"))
            verify(!find(root, "menuProf").enabled)
            verify(find(root, "menuFunc").enabled)
            mouseClick(find(root, "settingsButton"))
            verify(!find(root, "menuFunc").enabled)
            verify(!find(root, "pageArea").enabled)
            compare(find(root, "menuDown").opacity, 0.2)
            // The settings button closes the panel again without saving.
            mouseClick(find(root, "settingsButton"))
            verify(find(root, "menuFunc").enabled)
            compare(ui_View.callsOf("saveApConfig").length, 0)
        }

        function test_busyLockAndAllSave() {
            var root = startRunning()
            ui_View.clear()
            mouseClick(find(root, "allSaveButton"))
            compare(root.busyTime, 2000)
            // The lighting, rate and stage sets are the AT-SPI bottom-bar step's.
            compare(ui_View.callsOf("ui_12H_SetKeyMatrix").length, 1)
            verify(!ui_View.enabled)
            verify(find(root, "busyIndicator").visible)
            root.setProtectUI(0)
            tryVerify(function () { return ui_View.enabled })
            verify(!find(root, "busyIndicator").visible)
        }

        function test_allResetReachesEveryPage() {
            var root = startRunning()
            ui_View.clear()
            mouseClick(find(root, "allResetButton"))
            compare(root.busyTime, 800)
            // The key page reads its defaults when it is built, then the colour and sensor pages.
            compare(ui_View.callsOf("loadDefaultProfile").map(function (c) { return c.args[0] }), [0, 2, 3])
            root.setProtectUI(0)
        }

        function test_resetRestoresTheFactoryConfigurationSilentlyFirst() {
            var root = startRunning()
            openPanel(root)
            ui_View.clear()
            mouseClick(find(root, "resetButton"))
            // After the click sound: silent before the files change, the background asked for last.
            compare(ui_View.calls[0].args, [4])
            var names = ui_View.calls.map(function (c) { return c.name })
            compare(names.slice(1, 5), ["setEnableAudio", "clearAllMedia", "resetApconfig", "loadApConfig"])
            compare(ui_View.calls[1].args, [false])
            compare(ui_View.calls[ui_View.calls.length - 1].name, "playMedia_Index")
            compare(ui_View.calls[ui_View.calls.length - 1].args, [0])
        }

        function test_hiddenSkinChooserLiftsTheRowsBelowIt() {
            ui_View.skinShow = false
            var root = start(storedConfig(true))
            ui_View.skinShow = true
            var panel = find(root, "globalSetting")
            verify(!panel.skinShown)
            root.globalSettingSelected = true
            compare(find(root, "soundChooser").parent.parent.y, 27 - 11)
        }

        function test_panelIsBuiltWhenFirstOpenedShowingTheStoredChoices() {
            var root = start(storedConfig(true))
            var content = find(root, "panelContent")
            compare(content.item, null)
            // Chosen while the controls do not exist yet.
            var panel = find(root, "globalSetting")
            panel.setRGB(1, 12, 34, 56)
            root.globalSettingSelected = true
            verify(content.item)
            compare(find(root, "skinChooser").defaultIndex, 1)
            compare(find(root, "soundChooser").defaultIndex, 0)
            compare(find(root, "animationChooser").defaultIndex, 1)
            compare(find(root, "languageChooser").defaultIndex, 1)
            compare(find(root, "brightnessSlider").currentIndex, 7)
            compare(find(root, "inputB").inputValue, "56")
            // Typed text stays; a later pick of the same colour still reaches the boxes.
            var input = find(root, "inputR")
            input.inputValue = "99"
            input.valueChange("99")
            compare(input.inputValue, "99")
            panel.setRGB(1, 12, 34, 56)
            compare(input.inputValue, "12")
            // A change made elsewhere reaches controls already built.
            panel.chooseSound(1)
            compare(find(root, "soundChooser").defaultIndex, 1)
        }

        function test_customBackgroundSwitch() {
            var root = startRunning()
            openPanel(root)
            var toggle = find(root, "backgroundSwitch")
            ui_View.customFilePath = ""
            mouseClick(toggle)
            verify(!root.isCustomBackground)
            ui_View.customFilePath = "/tmp/picture.png"
            mouseClick(toggle)
            verify(root.isCustomBackground)
            compare(String(root.sourceCustomBackground), "file:///tmp/picture.png")
            mouseClick(toggle)
            verify(!root.isCustomBackground)
            compare(String(root.sourceCustomBackground), "")
        }

        function test_keyEventsReachThePagesAndKeepTheLastDown() {
            var root = start([])
            var main = find(root, "main_Q7")
            _keySpy.target = main
            _keySpy.clear()
            root.detectKeyboard(true, 0x04)
            root.detectKeyboard(false, 0x05)
            compare(main.lastPressKeyCode, 0x04)
            compare(_keySpy.count, 2)
            compare(_keySpy.signalArguments[1][0], false)
            compare(_keySpy.signalArguments[1][1], 0x05)
        }

        function test_dragMovesTheWindowByThePointerOffset() {
            var root = startRunning()
            // Where the window system refuses to move the window, the scene moves it.
            ui_Ctl.systemMoveTaken = false
            ui_Ctl.systemMoves = 0
            ui_Ctl.moves = []
            mousePress(root, 500, 300)
            mouseMove(root, 507, 296)
            mouseRelease(root, 507, 296)
            compare(ui_Ctl.systemMoves, 1)
            compare(ui_Ctl.moves.slice(0, 2), [["x", 7], ["y", -4]])

            // Where it moves the window, the scene leaves the drag to it.
            ui_Ctl.systemMoveTaken = true
            ui_Ctl.moves = []
            mousePress(root, 500, 300)
            mouseMove(root, 520, 310)
            mouseRelease(root, 520, 310)
            compare(ui_Ctl.systemMoves, 2)
            compare(ui_Ctl.moves, [])
            ui_Ctl.systemMoveTaken = false
        }
    }
}
