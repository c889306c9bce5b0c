import QtQuick

// The maker's mark; a click opens the maker's page in the browser.
Item {
    id: _logo

    width: _image.implicitWidth
    height: _image.implicitHeight

    // An image without a tip: assistive tools get the address it opens.
    Accessible.role: Accessible.Link
    Accessible.name: _mainIten.globalSetting_url
    Accessible.onPressAction: if (enabled) open()

    function open() {
        ui_View.playMedia_Index(3)
        if (_mainIten.globalSetting_url !== "")
            Qt.openUrlExternally(_mainIten.globalSetting_url)
    }

    Image {
        id: _image
        source: _area.containsMouse ? _mainIten.sourceWeb1 : _mainIten.sourceWeb0
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: _logo.open()
    }
}
