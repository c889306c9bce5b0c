import QtQuick

// Stands in for the scene's root when a control is tested alone: the global look it reads,
// with no skin images.
Item {
    property int globalSetting_size: 11
    property color globalSetting_color: "#FF00FFFF"
    property color globalSetting_color_enable: "#FFAAAAAA"
    property color globalSetting_color_disable: "#80FFFFFF"
    property int animation_speed: 40
    property var globalSetting_stringList: ["Arial", "OPTIONS"]
    property string globalSetting_fontFamily: "Arial"
    property url sourceSlider
    property url sourceSliderFiller0
    property url sourceSliderFiller1
    property url sourceCHK0
    property url sourceCHK1
    property url sourceInputValue
    property url sourceFilelist

    signal emptyAreaPressed

    width: 400
    height: 400
}
