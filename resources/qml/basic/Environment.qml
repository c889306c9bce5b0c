import QtQuick

// The window surface: the skin's background (or the user's picture) under the frame.
Item {
    width: 1000
    height: 600

    // A picture of the user's is decoded at the window's size, however large the file.
    Image {
        anchors.fill: parent
        fillMode: Image.Stretch
        sourceSize: Qt.size(1000, 600)
        source: _mainIten.isCustomBackground && _mainIten.sourceCustomBackground != ""
                ? _mainIten.sourceCustomBackground : _mainIten.sourceBackground
    }

    Image {
        anchors.fill: parent
        sourceSize: Qt.size(1000, 600)
        source: _mainIten.sourceFrameBackground
    }
}
