import QtQuick

// The maker's mark; a click opens the maker's page in the browser.
Item {
    id: _logo

    width: _image.implicitWidth
    height: _image.implicitHeight

    // An image without a tip: assistive tools get the address it opens. The role goes by its
    // number (QAccessible::Link): naming it builds the table of every QAccessible enum, some
    // 5 ms that the first frame would wait for; the window frame names them later.
    readonly property int linkRole: 0x1E
    Accessible.role: linkRole
    Accessible.name: _mainIten.globalSetting_url
    Accessible.onPressAction: if (enabled) open()

    function open() {
        ui_View.playMedia_Index(3)
        if (_mainIten.globalSetting_url !== "")
            Qt.openUrlExternally(_mainIten.globalSetting_url)
    }

    // Decoded beside the start until the opening shows it; hovering then swaps in place.
    Image {
        id: _image
        asynchronous: _mainIten.startStage < 2
        source: _area.containsMouse ? _mainIten.sourceWeb1 : _mainIten.sourceWeb0
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        // Set once the window frame stands: the first Qt.<enum> read builds the table of every Qt
        // enum (some 4 ms), which the frame pays for anyway and the first frame should not.
        cursorShape: _mainIten.frameBuilt ? Qt.PointingHandCursor : undefined
        onClicked: _logo.open()
    }
}
