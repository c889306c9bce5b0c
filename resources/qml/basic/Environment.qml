import QtQuick

// The window surface. The skin's background has the frame drawn in; a picture of the user's
// gets the frame laid over it.
Item {
    width: 1000
    height: 600

    readonly property bool customShown: _mainIten.isCustomBackground
                                        && _mainIten.sourceCustomBackground != ""

    // A picture of the user's is decoded at the window's size, however large the file. Until the
    // scene runs it is decoded beside the start instead of holding up the first frame: nothing
    // shows it before the opening animation fades it in. Later changes swap it in place.
    Image {
        anchors.fill: parent
        fillMode: Image.Stretch
        sourceSize: Qt.size(1000, 600)
        asynchronous: _mainIten.startStage < 2
        source: parent.customShown ? _mainIten.sourceCustomBackground : _mainIten.sourceBackground
    }

    // Not decoded at all while the skin's own background shows.
    Image {
        anchors.fill: parent
        sourceSize: Qt.size(1000, 600)
        source: parent.customShown ? _mainIten.sourceFrameBackground : ""
    }
}
