import QtQuick

// Records the window moves and the minimise that the scene asks of the controller. The window
// system takes the drags over while systemMoveTaken says so.
QtObject {
    property int minimized: 0
    property var moves: []
    property bool systemMoveTaken: false
    property int systemMoves: 0

    function onMinimize() { minimized += 1 }
    function startSystemMove() {
        systemMoves += 1
        return systemMoveTaken
    }
    function onXChanged(x) { moves = moves.concat([["x", x]]) }
    function onYChanged(y) { moves = moves.concat([["y", y]]) }
}
