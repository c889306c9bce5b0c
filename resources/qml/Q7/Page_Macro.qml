import QtQuick

// Macro page: the frame's entry points; the page itself comes later.
Item {
    function initUI() {
    }

    function translateStrings() {
    }
}
