import QtQuick
import "../common"

// A page's Reset and Apply on their frame, each with its tip above it while hovered.
Item {
    id: _buttons

    signal resetClicked
    signal applyClicked

    width: 96
    height: 36

    Image {
        anchors.fill: parent
        source: _mainIten.sourceFram2btn
    }

    Repeater {
        model: [
            { objectName: "pageReset", tip: 106, source0: _mainIten.sourceReset0, source1: _mainIten.sourceReset1 },
            { objectName: "pageApply", tip: 107, source0: _mainIten.sourceApply0, source1: _mainIten.sourceApply1 }
        ]
        Button_2state {
            id: _button
            objectName: modelData.objectName
            x: 12 + index * 42
            y: 3
            width: 30
            height: 30
            source0: modelData.source0
            source1: modelData.source1
            tip: _mainIten.globalSetting_stringList[modelData.tip]
            onClicked: index === 0 ? _buttons.resetClicked() : _buttons.applyClicked()

            Text {
                anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.top; bottomMargin: 4 }
                visible: _button.mouse.containsMouse
                text: _button.tip
                color: _mainIten.globalSetting_color
                font.bold: true
                font.family: _mainIten.globalSetting_fontFamily
                font.pixelSize: _mainIten.globalSetting_size
            }
        }
    }
}
