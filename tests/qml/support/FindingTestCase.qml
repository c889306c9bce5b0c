import QtQuick
import QtTest

// A test case that finds controls by objectName, failing where one is missing: find(name) under
// `subject`, find(root, name) under root.
TestCase {
    property Item subject

    function find(rootOrName, name) {
        var root = name === undefined ? subject : rootOrName
        var wanted = name === undefined ? rootOrName : name
        var item = findChild(root, wanted)
        verify(item, wanted)
        return item
    }
}
