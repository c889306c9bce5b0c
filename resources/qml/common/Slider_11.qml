import QtQuick
import "../Q7/sensor.js" as Sensor

// Eleven-step slider, index 0–10; segments 0 … index are lit, and while pressed the lit part
// follows the pointer.
Item {
    id: _slider

    property int currentIndex: 5
    readonly property int steps: 11
    readonly property int segmentWidth: 28
    readonly property int trackWidth: steps * segmentWidth + 1
    property string label: ""

    signal sliderClicked(int index)

    function setCurIndex(index) {
        currentIndex = index
    }

    function getCurIndex() {
        return currentIndex
    }

    function releaseAt(x) {
        currentIndex = Sensor.slider11Index(x, trackWidth)
        sliderClicked(currentIndex)
    }

    function step(delta) {
        currentIndex = Math.min(steps - 1, Math.max(0, currentIndex + delta))
        sliderClicked(currentIndex)
    }

    width: 315
    height: 22
    opacity: enabled ? 1.0 : 0.2

    Accessible.role: Accessible.Slider
    Accessible.name: label
    Accessible.onIncreaseAction: if (enabled) step(1)
    Accessible.onDecreaseAction: if (enabled) step(-1)
    // Read by assistive tools as the slider's value.
    property int value: currentIndex
    property int minimumValue: 0
    property int maximumValue: steps - 1
    property int stepSize: 1

    Image {
        anchors.fill: parent
        source: _mainIten.sourceSlider_11_BASE
    }

    Repeater {
        model: _slider.steps
        Image {
            // 28 wide with 2 between: 26 drawn, the rest is the gap.
            x: 3 + index * _slider.segmentWidth + 1
            y: 7
            width: _slider.segmentWidth - 2
            height: 8
            source: (_track.pressed ? (index === 0 || index * _slider.segmentWidth < _track.mouseX)
                                    : index <= _slider.currentIndex)
                    ? _mainIten.sourceSlider_11_FILLER_1 : _mainIten.sourceSlider_11_FILLER_0
        }
    }

    MouseArea {
        id: _track
        x: 3
        width: _slider.trackWidth
        height: parent.height
        onReleased: function (mouse) {
            _slider.releaseAt(mouse.x)
        }
    }
}
