import QtQuick

// The two ornaments of the top corners.
Item {
    width: 1000
    height: 600

    Image {
        x: 78 - width / 2
        y: 93 - height / 2
        source: _mainIten.sourceDecoration1
    }

    Image {
        x: 923 - width / 2
        y: 93 - height / 2
        source: _mainIten.sourceDecoration2
    }
}
