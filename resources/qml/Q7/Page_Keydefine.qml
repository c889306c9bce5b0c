import QtQuick

// Key-definition page: the frame's entry points; the page itself comes later.
Item {
    property QtObject resetKeymatrix: QtObject {
        function apply() {
        }
    }

    function initUI() {
    }

    function translateStrings() {
    }
}
