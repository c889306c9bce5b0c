import QtQuick
import "controls.js" as Controls

// Eight-step slider, index 0–7: segments 1 … index are lit.
Item {
    id: _slider

    property int currentIndex: 7
    readonly property int steps: 7
    readonly property int trackWidth: 141

    property string label: ""
    // Read by assistive tools as the slider's value.
    property int value: currentIndex
    property int minimumValue: 0
    property int maximumValue: steps
    property int stepSize: 1

    signal sliderClicked(int index)

    Accessible.role: Accessible.Slider
    Accessible.name: label
    Accessible.onIncreaseAction: if (enabled) step(1)
    Accessible.onDecreaseAction: if (enabled) step(-1)

    function step(delta) {
        currentIndex = Math.min(steps, Math.max(0, currentIndex + delta))
        sliderClicked(currentIndex)
    }

    function setCurIndex(index) {
        currentIndex = index
    }

    function getCurIndex() {
        return currentIndex
    }

    width: trackWidth + 6
    height: 18
    opacity: enabled ? 1.0 : 0.2

    Image {
        anchors.fill: parent
        source: _mainIten.sourceSlider
    }

    Row {
        x: 3
        anchors.verticalCenter: parent.verticalCenter
        spacing: 2
        Repeater {
            model: _slider.steps
            Image {
                width: (_slider.trackWidth - (_slider.steps - 1) * 2) / _slider.steps
                height: 8
                source: index + 1 <= _slider.currentIndex ? _mainIten.sourceSliderFiller1
                                                          : _mainIten.sourceSliderFiller0
            }
        }
    }

    MouseArea {
        id: _track
        x: 3
        width: _slider.trackWidth
        height: parent.height
        onReleased: function (mouse) {
            _slider.currentIndex = Controls.sliderIndex(mouse.x, width, _slider.steps)
            _slider.sliderClicked(_slider.currentIndex)
        }
    }
}
