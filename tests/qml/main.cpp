// Qt Quick tests of the scene's controls, frame and page logic.
#include <QtQuickTest>

QUICK_TEST_MAIN(q7qml)
