import QtQuick

// The window surface: the skin's background (or the user's picture) under the frame.
Item {
    width: 1000
    height: 600

    Image {
        anchors.fill: parent
        fillMode: Image.Stretch
        source: _mainIten.isCustomBackground && _mainIten.sourceCustomBackground != ""
                ? _mainIten.sourceCustomBackground : _mainIten.sourceBackground
    }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFrameBackground
    }
}
