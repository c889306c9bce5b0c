// The window's icon: rendered at build time at each size a desktop asks of a window, and read
// without loading any image plugin (Qt Svg among them).
#include "AppIdentity.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>

class AppIdentityTest : public QObject {
    Q_OBJECT

private slots:
    void windowIconIsTheProgramsOwnDrawnAtEachSize() {
        AppIdentity::apply();
        QCOMPARE(QGuiApplication::desktopFileName(), AppIdentity::desktopFileName());
        const QIcon icon = QApplication::windowIcon();
        // X11's window icon takes every size the icon has; trays ask for 22 or 24.
        const QList<QSize> sizes = icon.availableSizes();
        for (int side : {16, 22, 24, 32, 64, 128})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        const QImage image = icon.pixmap(64, 64).toImage();
        QCOMPARE(image.size(), QSize(64, 64));
        // Opaque at the centre, clear in the corner outside the tile.
        QCOMPARE(qAlpha(image.pixel(32, 32)), 255);
        QCOMPARE(qAlpha(image.pixel(1, 1)), 0);

        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(!mapped.contains("libQt6Svg"));
        QVERIFY(!mapped.contains("/imageformats/"));
    }
};

QTEST_MAIN(AppIdentityTest)
#include "AppIdentityTest.moc"
