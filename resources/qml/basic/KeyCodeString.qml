import QtQuick
import "keycodes.js" as KeyCodes

// Key names ↔ USB usages for the pages; draws nothing.
Item {
    visible: false

    function strTokeycode(name) { return KeyCodes.strTokeycode(name) }
    function keycodeTostr(code) { return KeyCodes.keycodeTostr(code) }
    function strTomousecode(name) { return KeyCodes.strTomousecode(name) }
    function mousecodeTostr(code) { return KeyCodes.mousecodeTostr(code) }
    function logByte(x) { return KeyCodes.logByte(x) }
}
