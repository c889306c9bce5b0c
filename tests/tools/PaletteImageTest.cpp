// The skins' large pictures go out with a palette: few colours stay exact, and a gradient of many
// keeps its look (block averages hold, clear stays clear, opaque stays opaque).
#include "PaletteImage.h"

#include <QColor>
#include <QTest>

#include <cmath>

class PaletteImageTest : public QObject {
    Q_OBJECT
private slots:
    void fewColoursStayExact() {
        QImage picture(300, 100, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgba(x % 10 * 20, y % 10 * 20, 90, x < 150 ? 255 : 120));
        QVERIFY(PaletteImage::worthReducing(picture));
        // A small picture is only ever stored exactly.
        const QImage small = picture.copy(130, 0, 60, 60);
        QVERIFY(!PaletteImage::worthReducing(small));
        QCOMPARE(PaletteImage::exact(small).convertToFormat(QImage::Format_ARGB32), small);
        const QImage reduced = PaletteImage::reduce(picture);
        QCOMPARE(reduced.format(), QImage::Format_Indexed8);
        QCOMPARE(reduced.convertToFormat(QImage::Format_ARGB32), picture);
    }

    void gradientKeepsItsLook() {
        // A dark two-way gradient (far more than 256 colours) with a clear band and a translucent
        // band, as the frame's glows and edges have.
        QImage picture(400, 120, QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const int alpha = y >= 40 && y < 60 ? x / 3 : y >= 60 && y < 80 ? 0 : 255;
                picture.setPixel(x, y, qRgba(x * 60 / 400, 10 + y / 3, 30 + x * 90 / 400, alpha));
            }
        QVERIFY(PaletteImage::exact(picture).isNull());
        const QImage reduced = PaletteImage::reduce(picture);
        QCOMPARE(reduced.format(), QImage::Format_Indexed8);
        QVERIFY(reduced.colorCount() <= 256);
        const QImage back = reduced.convertToFormat(QImage::Format_ARGB32);
        // The worst 8×8 block average over the opaque rows, where banding would show, away from
        // the gradient's outer edges (no palette reaches the extreme corners of the colours).
        auto opaqueInside = [](int bx, int by) {
            return (by < 40 || by >= 80) && bx >= 16 && bx < 384 && by >= 8 && by < 112;
        };
        double worstBlock = 0;
        for (int by = 0; by < picture.height(); by += 8)
            for (int bx = 0; bx < picture.width(); bx += 8) {
                double diff[3] = {};
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        const QRgb a = qPremultiply(picture.pixel(x, y));
                        const QRgb b = qPremultiply(back.pixel(x, y));
                        if (y < 40 || y >= 60)
                            QCOMPARE(qAlpha(b), qAlpha(a));
                        diff[0] += qRed(b) - qRed(a);
                        diff[1] += qGreen(b) - qGreen(a);
                        diff[2] += qBlue(b) - qBlue(a);
                    }
                if (opaqueInside(bx, by))
                    for (double d : diff)
                        worstBlock = std::max(worstBlock, std::abs(d) / 64);
            }
        QVERIFY2(worstBlock < 1.0, qPrintable(QString::number(worstBlock)));
    }
};

QTEST_MAIN(PaletteImageTest)
#include "PaletteImageTest.moc"
