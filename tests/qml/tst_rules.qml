import QtQuick
import QtTest
import "../../resources/qml/basic"
import "../../resources/qml/basic/rules.js" as Rules
import "support"

// The profile rules panel against the recording view, and its logic.
FakeMain {
    id: _mainIten
    width: 400
    height: 560
    globalSetting_stringList: numberedStrings()

    ViewMock { id: ui_View }

    Loader { id: _loader; active: false; sourceComponent: RulesPanel {} }

    FindingTestCase {
        subject: _loader.item
        name: "Rules"
        when: windowShown
        function rows(listName) {
            var model = find(listName).mdItems
            var out = []
            for (var i = 0; i < model.count; ++i)
                out.push(model.get(i).textX + "=" + model.get(i).textR)
            return out
        }
        // A list filled again makes its rows at the next frame.
        function clickRow(listName, index) {
            waitForItemPolished(find(listName).lvItems)
            mouseClick(find(listName), 30, 2 + index * 20 + 10)
        }

        function start() {
            ui_View.clear()
            _loader.active = false
            _loader.active = true
            waitForRendering(_loader.item)
            return _loader.item
        }

        function init() {
            ui_View.ruleEntries = [{ application: "steam", profile: 4 },
                                   { application: "Firefox", profile: 2 }]
            ui_View.defaultRuleProfile = -1
            ui_View.running = ["firefox", "xterm"]
            ui_View.refusedNames = []
            ui_View.ruleOptions = { rulesOn: true, applyOnSwitch: false, keepInStep: true,
                                    autostart: false, focusState: "watching", focusNote: "" }
        }

        function test_logic() {
            compare(Rules.ruleRows([{ application: "b", profile: 9 }, { application: "A", profile: 0 }])
                    .map(function (r) { return r.textX + r.textR }), ["AP01", "bP10"])
            // As the program matches: the exact name first, then case aside.
            var rules = [{ application: "Steam", profile: 1 }, { application: "steam", profile: 2 }]
            compare(Rules.profileOf(rules, "steam"), 2)
            compare(Rules.profileOf(rules, "STEAM"), 1)
            compare(Rules.profileOf(rules, "xterm"), -1)
            compare(Rules.runningRows(["STEAM", "xterm"], rules).map(function (r) { return r.textR }),
                    ["P02", ""])
            for (var p = -1; p < 10; ++p)
                compare(Rules.defaultProfileOf(Rules.defaultChoiceIndex(p)), p)
            compare(Rules.defaultChoiceIndex(12), 0)
            verify(Rules.canAdd("org.kde.dolphin"))
            verify(!Rules.canAdd(""))
            verify(!Rules.canAdd("   "))
            verify(!Rules.canAdd("a\nb"))
            verify(!Rules.canAdd("a\u0085"))
            verify(!Rules.canAdd(new Array(257).join("x")))
            // A language without the rule strings (a file older than them) shows the English.
            compare(Rules.text(["Arial", "S1"], "title"), "PROFILE RULES")
            compare(Rules.text(_mainIten.numberedStrings().concat(["R141"]), "title"), "R141")
            compare(Rules.focusNote({ focusState: "watching" }, []), "")
            compare(Rules.focusNote({ focusState: "none" }, []), Rules.text([], "noFocus"))
            compare(Rules.focusNote({ focusState: "partial" }, []), Rules.text([], "partialFocus"))
        }

        function test_addsPicksAndRemoves() {
            ui_View.defaultRuleProfile = 3
            var panel = start()
            compare(rows("ruleList"), ["Firefox=P03", "steam=P05"])
            compare(rows("runningList"), ["firefox=P03", "xterm="])
            compare(find("defaultProfile").defaultIndex, 4)
            verify(!find("addRule").enabled)

            // A running application picked: its name, and its rule's profile, go to the fields.
            clickRow("runningList", 0)
            compare(find("ruleApplication").text, "firefox")
            compare(find("ruleProfile").defaultIndex, 2)
            clickRow("runningList", 1)
            compare(find("ruleApplication").text, "xterm")
            panel.chooseProfile(7)
            mouseClick(find("addRule"))
            compare(ui_View.lastCall("setRule"), ["xterm", 7])
            compare(rows("ruleList"), ["Firefox=P03", "steam=P05", "xterm=P08"])
            compare(find("ruleApplication").text, "")

            // A rule chosen and removed.
            clickRow("ruleList", 1)
            compare(find("ruleApplication").text, "steam")
            mouseClick(find("removeRule"))
            compare(ui_View.lastCall("removeRule"), ["steam"])
            compare(rows("ruleList"), ["Firefox=P03", "xterm=P08"])
            verify(!find("removeRule").enabled)
        }

        function test_refusedNameAndOutsideChanges() {
            ui_View.refusedNames = ["bad"]
            start()
            find("ruleApplication").text = "bad"
            mouseClick(find("addRule"))
            compare(ui_View.lastCall("setRule"), ["bad", 0])
            // Nothing is lost: the list as it was, the typed name kept for correcting.
            compare(rows("ruleList"), ["Firefox=P03", "steam=P05"])
            compare(find("ruleApplication").text, "bad")

            // q7ctl or D-Bus change the rules while the panel is open.
            ui_View.setRule("Steam", 9)
            ui_View.setDefaultRuleProfile(0)
            compare(rows("ruleList"), ["Firefox=P03", "steam=P05", "Steam=P10"])
            compare(find("defaultProfile").defaultIndex, 1)
            compare(find("focusNote").text, "")
            verify(!find("focusNote").visible) // no nameless text for a screen reader
            ui_View.ruleOptions = { focusState: "none", focusNote: "no X server" }
            ui_View.rulesChanged()
            compare(find("focusNote").text, Rules.text([], "noFocus"))
            verify(find("focusNote").visible)
        }
    }
}
