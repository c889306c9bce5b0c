import QtQuick

// The maker's mark; a click opens the maker's page in the browser.
Item {
    width: _image.implicitWidth
    height: _image.implicitHeight

    Image {
        id: _image
        source: _area.containsMouse ? _mainIten.sourceWeb1 : _mainIten.sourceWeb0
    }

    MouseArea {
        id: _area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            ui_View.playMedia_Index(3)
            if (_mainIten.globalSetting_url !== "")
                Qt.openUrlExternally(_mainIten.globalSetting_url)
        }
    }
}
