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
    property url sourceSliderFiller0; property url sourceSliderFiller1
    property url sourceCHK0; property url sourceCHK1
    property url sourceInputValue
    property url sourceFilelist
    property url sourceBtnGroup_4_BASE
    property url sourceBtnGroup_8_BASE
    property url sourceBtnGroup_FILLER_0; property url sourceBtnGroup_FILLER_1
    property url sourceBtnGroup2_FILLER_0; property url sourceBtnGroup2_FILLER_1
    property url sourceSlider_11_BASE
    property url sourceSlider_11_FILLER_0; property url sourceSlider_11_FILLER_1
    property url sourceFram2btn
    property url sourceReset0; property url sourceReset1
    property url sourceApply0; property url sourceApply1
    property url sourceFnColorBackground
    property url sourceFnCommonBackground
    property url sourceModel_Q7_Color
    property url sourceModel_Q7_KeyDefine
    property url sourceFnKeydefineBackground
    property url sourceFnMacroBackground
    property url sourceAdd0; property url sourceAdd1
    property url sourceImport0; property url sourceImport1
    property url sourceDelete0; property url sourceDelete1
    property url sourceRecord0; property url sourceRecord1
    property url sourceStop0; property url sourceStop1
    property url sourceSolidDelete0; property url sourceSolidDelete1
    property url sourceSolidCut0; property url sourceSolidCut1
    property url sourceSolidPaste0; property url sourceSolidPaste1
    property url sourceSolidCopy0; property url sourceSolidCopy1
    // The tests run in the program's folder, where the generated skins lie.
    readonly property string skinFolder: "file:modules/img/skin1/"
    property url sourcegunlist: skinFolder + "gun/gunlist.png"
    property url sourcegunFrame: skinFolder + "gun/gunFrame.png"
    property url sourcegunFrame_S: skinFolder + "gun/gunFrame_s.png"
    property int busyTime: 0

    // The font, then "S1" … "S140": a page test sees which interface string a text comes from.
    function numberedStrings() {
        var list = ["Arial"]
        for (var i = 1; i <= 140; ++i)
            list.push("S" + i)
        return list
    }

    function setProtectUI(interval) {
        busyTime = interval
    }

    signal emptyAreaPressed

    width: 400
    height: 400
}
