import QtQuick

// Records the window moves and the minimise that the scene asks of the controller.
QtObject {
    property int minimized: 0
    property var moves: []

    function onMinimize() { minimized += 1 }
    function onXChanged(x) { moves = moves.concat([["x", x]]) }
    function onYChanged(y) { moves = moves.concat([["y", y]]) }
}
