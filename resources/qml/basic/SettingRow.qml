import QtQuick

// One row of the settings panel: a right-aligned label and its control at x 139.
Item {
    id: _row

    property string label: ""
    default property alias content: _slot.data

    width: 340
    height: 20

    Text {
        width: 119
        height: parent.height
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        text: _row.label
        font.bold: true
        color: _mainIten.globalSetting_color_enable
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }

    Item {
        id: _slot
        x: 139
        width: 170
        height: parent.height
    }
}
