import QtQuick
import QtTest
import "../../resources/qml/common"
import "../../resources/qml/basic"
import "support"
import "../../resources/qml/basic/keycodes.js" as KeyCodes

FakeMain {
    id: _mainIten

    ViewMock { id: ui_View }

    Slider { id: _slider; x: 20; y: 10 }
    SignalSpy { id: _sliderSpy; target: _slider; signalName: "sliderClicked" }

    DropdownList {
        id: _dropdown
        x: 20; y: 40
        mdItems: ListModel {
            ListElement { textX: "ALPHA" }
            ListElement { textX: "BETA" }
        }
    }
    SignalSpy { id: _closedSpy; target: _dropdown; signalName: "listClosed" }

    ValueInput { id: _value; x: 200; y: 10 }
    SignalSpy { id: _valueSpy; target: _value; signalName: "valueChange" }

    KeyInput_2 { id: _key; x: 200; y: 40 }
    SignalSpy { id: _keySpy; target: _key; signalName: "inputComplete" }

    Checkbox { id: _check; x: 200; y: 70; chkStr: "LOOP" }
    SignalSpy { id: _checkSpy; target: _check; signalName: "clicked" }
    RadioButton { id: _radio; x: 200; y: 90; index: 3; chkStr: "ON" }
    SignalSpy { id: _radioSpy; target: _radio; signalName: "clicked" }

    FileList {
        id: _files
        x: 20; y: 180
        width: 150; height: 60
        mdItems: ListModel {
            id: _fileModel
            ListElement { textX: "one"; textR: "1" }
            ListElement { textX: "two"; textR: "2" }
            ListElement { textX: "three"; textR: "3" }
        }
    }
    SignalSpy { id: _leftSpy; target: _files; signalName: "listElementClicked" }
    SignalSpy { id: _rightSpy; target: _files; signalName: "listElementRightBtnClicked" }
    SignalSpy { id: _renameSpy; target: _files; signalName: "editFileName_completed" }

    TestCase {
        name: "Controls"
        when: windowShown

        function init() {
            ui_View.clear()
            var names = ["one", "two", "three"]
            if (_fileModel.count !== names.length) {
                _fileModel.clear()
                for (var i = 0; i < names.length; ++i)
                    _fileModel.append({ "textX": names[i], "textR": String(i + 1) })
            }
            for (var k = 0; k < names.length; ++k)
                _fileModel.setProperty(k, "textX", names[k])
            _files.currentIndex = -1
            // Rows get their delegates at the view's next layout.
            tryVerify(function () { return _files.lvItems.itemAtIndex(2) !== null })
        }

        function test_sliderReleaseOutsideTheTrackHoldsToTheEnds() {
            _sliderSpy.clear()
            mousePress(_slider, 60, 9)
            mouseRelease(_slider, -40, 9)
            compare(_slider.getCurIndex(), 0)
            mousePress(_slider, 60, 9)
            mouseRelease(_slider, _slider.width + 80, 9)
            compare(_slider.getCurIndex(), 7)
            // The middle of the 141-wide track (x 3 … 143) rounds up to step 4.
            mouseClick(_slider, 3 + 70, 9)
            compare(_slider.currentIndex, 4)
            compare(_sliderSpy.count, 3)
            compare(_sliderSpy.signalArguments[0][0], 0)
            compare(_sliderSpy.signalArguments[1][0], 7)
        }

        function test_dropdownOutsideItsModelShowsTheOptionsText() {
            compare(_dropdown.defaultIndex, -1)
            compare(findChild(_dropdown, "boxText").text, "【 OPTIONS 】")
            _dropdown.setCurIndex(1)
            compare(findChild(_dropdown, "boxText").text, "BETA")
            _dropdown.setCurIndex(2)
            compare(findChild(_dropdown, "boxText").text, "【 OPTIONS 】")
        }

        function test_dropdownOpenedWhileClosingOpensAgain() {
            _closedSpy.clear()
            _dropdown.showList()
            _dropdown.closeList()
            _dropdown.showList()
            compare(_closedSpy.count, 1)
            verify(_dropdown.isSelect)
            tryCompare(findChild(_dropdown, "dropList"), "height", 40)
            _dropdown.closeList()
            tryCompare(_closedSpy, "count", 2)
        }

        function test_valueInputEmptiedGivesOne() {
            _valueSpy.clear()
            _value.inputValue = "42"
            mouseClick(_value, 20, 10)
            verify(_value.textFocus)
            keyClick(Qt.Key_End)
            keyClick(Qt.Key_Backspace)
            keyClick(Qt.Key_Backspace)
            compare(_value.inputValue, "")
            _mainIten.emptyAreaPressed()
            compare(_value.inputValue, "1")
            compare(_valueSpy.count, 1)
            compare(_valueSpy.signalArguments[0][0], "1")
        }

        function test_valueInputEnterCommitsOnceAndRefusesOutOfRange() {
            _valueSpy.clear()
            _value.inputValue = ""
            mouseClick(_value, 20, 10)
            keyClick(Qt.Key_3)
            keyClick(Qt.Key_0)
            keyClick(Qt.Key_0)
            compare(_value.inputValue, "30")
            keyClick(Qt.Key_Return)
            verify(!_value.textFocus)
            compare(_valueSpy.count, 1)
            compare(_valueSpy.signalArguments[0][0], "30")
        }

        function test_keyInputWithAnUnnamedCodeEndsEmpty() {
            _keySpy.clear()
            _key.detectKeyboard(true, 0x04)
            compare(_keySpy.count, 0, "not armed: ignored")
            mouseClick(_key)
            verify(_key.isSelect)
            _key.detectKeyboard(true, 0x31)
            verify(!_key.isSelect)
            compare(_key.tmpKeycodeUSB, 0)
            compare(findChild(_key, "keyText").text, "KEY【 PRESS ANY 】")
            compare(_keySpy.count, 1)
            compare(_keySpy.signalArguments[0][0], 0x31)
        }

        function test_keyInputNamesACapturedKey() {
            mouseClick(_key)
            _key.detectKeyboard(true, 0x32)
            compare(_key.tmpKeycodeUSB, 0x32)
            compare(findChild(_key, "keyText").text, "KEY 【 \\ | 】")
            // A click clears the key and arms the box again.
            mouseClick(_key)
            compare(_key.tmpKeycodeUSB, 0)
            verify(_key.isSelect)
            _key.setKeycodeUSB(-1)
            verify(!_key.isSelect)
        }

        function test_checkboxFlipsBeforeReportingAndRadioDoesNot() {
            _checkSpy.clear()
            _radioSpy.clear()
            mouseClick(_check)
            verify(_check.isSelect)
            compare(_checkSpy.signalArguments[0][0], true)
            mouseClick(_radio)
            verify(!_radio.isSelect)
            compare(_radioSpy.signalArguments[0][0], 3)
            compare(ui_View.callsOf("playMedia_Index").map(function (c) { return c.args[0] }), [4, 4])
        }

        // Assistive tools press as little as a click on a disabled control (the AT-SPI steps
        // press the enabled ones).
        function test_accessibleActionsDoNothingOnDisabledControls() {
            _checkSpy.clear()
            _slider.setCurIndex(3)
            var was = _check.isSelect
            _check.enabled = false
            _slider.enabled = false
            _check.Accessible.pressAction()
            _slider.Accessible.decreaseAction()
            _check.enabled = true
            _slider.enabled = true
            compare(_check.isSelect, was)
            compare(_checkSpy.count, 0)
            compare(_slider.currentIndex, 3)
        }

        function test_fileListRightClickChangesNothing() {
            _leftSpy.clear()
            _rightSpy.clear()
            mouseClick(_files, 40, 30)
            compare(_files.currentIndex, 1)
            mouseClick(_files, 40, 50, Qt.RightButton)
            compare(_rightSpy.count, 1)
            compare(_rightSpy.signalArguments[0][0], 2)
            compare(_files.currentIndex, 1)
            compare(_leftSpy.count, 1)
            // A second left click on the current entry deselects it.
            mouseClick(_files, 40, 30)
            compare(_files.currentIndex, -1)
            compare(_leftSpy.signalArguments[1][0], -1)
        }

        function test_fileListRenameAndEmptyList() {
            _renameSpy.clear()
            _files.editFileName(0)
            keyClick("x")
            keyClick(Qt.Key_Return)
            compare(_fileModel.get(0).textX, "x")
            compare(_renameSpy.signalArguments[0][0], "one")
            compare(_renameSpy.signalArguments[0][1], "x")
            // Leaving an edit without Return keeps the stored name.
            _files.editFileName(1)
            keyClick("y")
            _value.textFocus = true
            compare(_fileModel.get(1).textX, "two")
            compare(_renameSpy.count, 1)
            mouseClick(_files, 40, 10)
            compare(_files.currentIndex, 0)
            _fileModel.clear()
            compare(_files.currentIndex, -1)
        }

        function test_keyCodeTables() {
            compare(KeyCodes.keycodeTostr(0x32), "\\ |")
            compare(KeyCodes.keycodeTostr(0x31), undefined)
            compare(["KP 7 ", "KP 7", "Intl'2", "R Win", "constructor", "MS-L"].map(function (n) {
                return KeyCodes.strTokeycode(n)
            }), [0x5F, undefined, 0x88, 0xE7, undefined, undefined])
            compare(KeyCodes.strTomousecode("MS-B5"), 0xF4)
            compare(KeyCodes.mousecodeTostr(0xF2), "MS-M")
            compare([0x40, 0x06, 0, 0x100].map(function (b) { return KeyCodes.logByte(b) }),
                    [7, 2, 0, 0])
        }
    }
}
