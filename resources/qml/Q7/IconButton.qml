import QtQuick
import "../common"

// A page's small image button; its tip shows above it while hovered, kept inside the page area.
Button_2state {
    id: _button

    width: 24
    height: 24

    // The tip's x relative to the button: centred, moved in where the clipping area would cut it.
    function tipX(tipWidth) {
        var centred = (width - tipWidth) / 2
        var area = parent
        while (area && !area.clip)
            area = area.parent
        if (!area)
            return centred
        var left = mapToItem(area, centred, 0).x
        var shift = Math.max(0, -left) - Math.max(0, left + tipWidth - area.width)
        return centred + shift
    }

    Text {
        id: _tip
        objectName: "tip"
        x: visible ? _button.tipX(implicitWidth) : 0
        anchors { bottom: parent.top; bottomMargin: 4 }
        visible: _button.mouse.containsMouse
        text: _button.tip
        color: _mainIten.globalSetting_color
        font.bold: true
        font.family: _mainIten.globalSetting_fontFamily
        font.pixelSize: _mainIten.globalSetting_size
    }
}
