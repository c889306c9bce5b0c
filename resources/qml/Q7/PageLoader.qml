import QtQuick

// One page of the page area. The page and its images are built the first time it is shown and
// kept from then on; until then calls to it wait, and the page reads its state when it is built.
// Pages come by `source`, not as components, so that not even their types load before that.
Loader {
    id: _slot

    property int pageIndex: -1
    property int currentPage: -1
    readonly property bool selected: currentPage === pageIndex

    // Runs `method` of the page with `args` when the page exists.
    function callPage(method, args) {
        if (item)
            item[method].apply(item, args || [])
    }

    // Builds the page now, e.g. before a call that must reach it.
    function build() {
        active = true
        return item
    }

    objectName: "pageSlot" + pageIndex
    y: 46
    width: 759
    height: 396
    active: false
    visible: selected
    onSelectedChanged: {
        if (selected)
            active = true
    }
}
