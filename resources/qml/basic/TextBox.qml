import QtQuick

// The framed "TEXT" box of the settings panel; its title sits in a gap of the top line.
Item {
    id: _box

    property string title: ""
    default property alias content: _inside.data

    width: 270
    height: 176

    Image {
        x: 0
        width: 10
        height: 1
        source: _mainIten.sourceLine
    }
    Image {
        x: _title.x + _title.implicitWidth + 6
        width: _box.width - x
        height: 1
        source: _mainIten.sourceLine
    }
    Image {
        y: _box.height - 1
        width: _box.width
        height: 1
        source: _mainIten.sourceLine
    }
    Image {
        width: 1
        height: _box.height
        source: _mainIten.sourceLine
    }
    Image {
        x: _box.width - 1
        width: 1
        height: _box.height
        source: _mainIten.sourceLine
    }

    Text {
        id: _title
        x: 16
        y: -implicitHeight / 2
        text: _box.title
        font.bold: true
        color: _mainIten.globalSetting_color
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    Item {
        id: _inside
        anchors.fill: parent
    }
}
