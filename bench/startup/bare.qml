import QtQuick

Text {
    text: "Q7"
}
