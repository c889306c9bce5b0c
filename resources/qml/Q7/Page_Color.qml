import QtQuick

// Colour page: the frame's entry points; the page itself comes later.
Item {
    function initUI(deviceApConfig) {
    }

    function refreshUI() {
    }

    function translateStrings() {
    }
}
