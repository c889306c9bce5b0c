// Skin pictures served without a decoded copy beside their texture: the pixels decoded with the
// request answer until the texture is made, the file is read again after that, and a missing or
// damaged file is told and draws nothing. A picture named for another format than it holds still
// shows.
#include "SkinImageProvider.h"
#include "FileTextureFactory.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class SkinImageProviderTest : public QObject {
    Q_OBJECT
private slots:
    void sizeFromTheHeaderAndPixelsFromTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("background.png"));
        QImage picture(40, 30, QImage::Format_ARGB32);
        picture.fill(QColor(10, 200, 30, 255));
        QVERIFY(picture.save(path));

        SkinImageProvider provider;
        QSize size;
        std::unique_ptr<QQuickTextureFactory> factory(provider.requestTexture(path, &size, {}));
        QVERIFY(factory);
        QCOMPARE(size, QSize(40, 30));
        QCOMPARE(factory->textureSize(), QSize(40, 30));
        QCOMPARE(factory->textureByteCount(), 40 * 30 * 4);
        QImage pixels = factory->image();
        QCOMPARE(pixels.size(), QSize(40, 30));
        QCOMPARE(pixels.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(pixels.pixelColor(5, 5), QColor(10, 200, 30));

        // Until a texture takes them, the pixels of the request answer: the file is not decoded
        // again in between.
        picture.fill(QColor(250, 0, 0));
        QVERIFY(picture.save(path));
        QCOMPARE(factory->image().pixelColor(5, 5), QColor(10, 200, 30));

        // A texture takes them (none here without a window) and lets them go: the file is read
        // again from then on, and a changed file shows its new pixels.
        QVERIFY(!factory->createTexture(nullptr));
        QCOMPARE(factory->image().pixelColor(5, 5), QColor(250, 0, 0));

        // A file that has gone draws nothing instead of failing.
        QVERIFY(QFile::remove(path));
        QVERIFY(factory->image().isNull());
        QVERIFY(!factory->createTexture(nullptr));
    }

    void requestedSizeIsTheDecodedSize() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture.png"));
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(path));
        SkinImageProvider provider;
        QSize size;
        std::unique_ptr<QQuickTextureFactory> factory(
            provider.requestTexture(path, &size, QSize(50, 25)));
        QVERIFY(factory);
        QCOMPARE(size, QSize(50, 25));
        QCOMPARE(factory->image().size(), QSize(50, 25));
    }

    void palettePictureKeepsOneBytePerPixel() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bar.png"));
        QImage picture(40, 30, QImage::Format_Indexed8);
        picture.setColorTable({qRgba(0, 0, 0, 0), qRgba(20, 180, 250, 255)});
        picture.fill(1);
        QVERIFY(picture.save(path));
        SkinImageProvider provider;
        QSize size;
        std::unique_ptr<QQuickTextureFactory> factory(provider.requestTexture(path, &size, {}));
        QVERIFY(factory);
        QCOMPARE(factory->image().format(), QImage::Format_Indexed8);
        QCOMPARE(factory->textureByteCount(), 40 * 30);
        QCOMPARE(factory->image().pixelColor(3, 3), QColor(20, 180, 250));
        // Shown at another size it is scaled in full colour.
        factory.reset(provider.requestTexture(path, &size, QSize(20, 15)));
        QVERIFY(factory);
        QCOMPARE(factory->image().format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(factory->textureByteCount(), 20 * 15 * 4);
    }

    void pictureNamedForAnotherFormatIsReadByItsContent() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bitmap.png"));
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(path, "BMP"));
        SkinImageProvider provider;
        QSize size;
        std::unique_ptr<QQuickTextureFactory> factory(provider.requestTexture(path, &size, {}));
        QVERIFY(factory);
        QCOMPARE(factory->image().pixelColor(1, 1), QColor(Qt::red));
    }

    void missingOrDamagedFileIsTold() {
        QTemporaryDir dir;
        SkinImageProvider provider;
        QSize size(-1, -1);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("Cannot read the skin picture .*")));
        QVERIFY(!provider.requestTexture(dir.filePath(QStringLiteral("none.png")), &size, {}));
        QVERIFY(!size.isValid());

        const QString damaged = dir.filePath(QStringLiteral("damaged.png"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("Cannot read the skin picture .*")));
        QVERIFY(!provider.requestTexture(damaged, &size, {}));
    }
};

QTEST_MAIN(SkinImageProviderTest)
#include "SkinImageProviderTest.moc"
