// The window's icon is the drawn SVG, rendered at run time (the SVG plugins must be there).
#include "AppIdentity.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTest>

class AppIdentityTest : public QObject {
    Q_OBJECT

private slots:
    void windowIconIsTheProgramsOwnAndRenders() {
        AppIdentity::apply();
        QCOMPARE(QGuiApplication::desktopFileName(), AppIdentity::desktopFileName());
        const QImage image = QApplication::windowIcon().pixmap(64, 64).toImage();
        QVERIFY(!image.isNull());
        // Opaque at the centre, clear in the corner outside the tile.
        QCOMPARE(qAlpha(image.pixel(32, 32)), 255);
        QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
    }
};

QTEST_MAIN(AppIdentityTest)
#include "AppIdentityTest.moc"
