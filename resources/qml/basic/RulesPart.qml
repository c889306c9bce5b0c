import QtQuick

// The settings panel's rules part: the rules panel on the panel's background. Built by the
// panel's content loader, in the panel's scope.
Item {
    width: _panel.width
    height: _panel.height

    function dropInputFocus() {
        _rulesPanel.dropInputFocus()
    }
    function chooseProfile(profile) {
        _rulesPanel.chooseProfile(profile)
    }

    Image {
        anchors.fill: parent
        source: _mainIten.sourceGlobalsettingBackground
    }
    MouseArea {
        anchors.fill: parent
        onPressed: _panel.dropInputFocus()
    }
    RulesPanel {
        id: _rulesPanel
        objectName: "rulesPanel"
        onBack: _panel.leaveRules()
    }
}
