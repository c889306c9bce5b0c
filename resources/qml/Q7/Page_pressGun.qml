import QtQuick

// Press-gun page: the frame's entry points; the page itself comes later.
Item {
    signal resetKeyMatrix

    function initUI() {
    }

    function translateStrings() {
    }
}
