// The window surface, its frame, the corner ornaments and the logo.
#include "SkinWriter.h"

#include <QFont>
#include <QRadialGradient>
#include <QtMath>

namespace {

constexpr int W = 1000;
constexpr int H = 600;
constexpr qreal WindowCut = 22;

QImage background(const SkinStyle &s) {
    QImage image = art::blank(W, H);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::octRect(QRectF(0, 0, W, H), WindowCut);
    p.setClipPath(shape);

    QLinearGradient fill(0, 0, 0, H);
    fill.setColorAt(0, QColor(0x12, 0x15, 0x1d));
    fill.setColorAt(0.55, s.base0);
    fill.setColorAt(1, QColor(0x05, 0x06, 0x09));
    p.fillPath(shape, fill);

    // A cold light from behind the logo, and a fainter one under the pages.
    QRadialGradient glow(QPointF(W / 2.0, 40), 560);
    glow.setColorAt(0, s.accentAlpha(46));
    glow.setColorAt(1, s.accentAlpha(0));
    p.fillRect(image.rect(), glow);
    QRadialGradient low(QPointF(W / 2.0, H + 120), 520);
    low.setColorAt(0, s.accentAlpha(22));
    low.setColorAt(1, s.accentAlpha(0));
    p.fillRect(image.rect(), low);

    art::hatch(p, shape, QColor(255, 255, 255, 7), 6);

    // A hexagon lattice, barely there, over the middle.
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    const qreal r = 26;
    for (int row = 0; row < 16; ++row) {
        for (int col = 0; col < 24; ++col) {
            const QPointF c(col * r * 1.5 + 10,
                            row * r * qSqrt(3.0) + (col % 2) * r * qSqrt(3.0) / 2);
            QPolygonF hex;
            for (int k = 0; k < 6; ++k)
                hex << c + QPointF(r * qCos(k * M_PI / 3), r * qSin(k * M_PI / 3));
            p.drawPolygon(hex);
        }
    }

    // Vignette.
    QRadialGradient edge(QPointF(W / 2.0, H / 2.0), 640);
    edge.setColorAt(0.55, QColor(0, 0, 0, 0));
    edge.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(image.rect(), edge);
    return image;
}

QImage frameBackground(const SkinStyle &s) {
    QImage image = art::blank(W, H);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::octRect(QRectF(0.5, 0.5, W - 1, H - 1), WindowCut);

    // Header band with a notch that seats the logo.
    const QPainterPath header = art::closedPath({{WindowCut, 0},
                                                 {W - WindowCut, 0},
                                                 {W, WindowCut},
                                                 {W, 44},
                                                 {652, 44},
                                                 {626, 70},
                                                 {374, 70},
                                                 {348, 44},
                                                 {0, 44},
                                                 {0, WindowCut}});
    QLinearGradient band(0, 0, 0, 70);
    band.setColorAt(0, QColor(0, 0, 0, 200));
    band.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillPath(header, band);
    art::hatch(p, header, s.accentAlpha(10), 4);

    const QPainterPath headerEdge =
        art::openPath({{150, 44}, {348, 44}, {374, 70}, {626, 70}, {652, 44}, {850, 44}});
    art::glowStroke(p, headerEdge, s.accent, 1.5);

    // Bottom band.
    const QPainterPath footer = art::closedPath({{0, 546},
                                                 {300, 546},
                                                 {318, 538},
                                                 {682, 538},
                                                 {700, 546},
                                                 {W, 546},
                                                 {W, H - WindowCut},
                                                 {W - WindowCut, H},
                                                 {WindowCut, H},
                                                 {0, H - WindowCut}});
    p.fillPath(footer, QColor(0, 0, 0, 150));
    const QPainterPath footerEdge = art::openPath({{300, 546}, {318, 538}, {682, 538}, {700, 546}});
    art::glowStroke(p, footerEdge, s.accentAlpha(200), 1);
    p.setPen(QPen(s.line, 1));
    p.drawLine(QPointF(40, 546), QPointF(300, 546));
    p.drawLine(QPointF(700, 546), QPointF(960, 546));

    // The page area: a faint well with lit corners.
    const QRectF pages(171, 96, 759, 442);
    p.fillPath(art::cutRect(pages, 14), QColor(0, 0, 0, 70));
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawPath(art::cutRect(pages.adjusted(0.5, 0.5, -0.5, -0.5), 14));
    art::brackets(p, pages.adjusted(-4, -4, 4, 4), 18, s.accent, 2);
    p.setPen(QPen(s.accentAlpha(60), 1));
    p.drawLine(QPointF(pages.left() + 20, pages.top() + 42),
               QPointF(pages.right() - 20, pages.top() + 42));

    // Rails beside the two menus.
    QLinearGradient rail(0, 170, 0, 440);
    rail.setColorAt(0, s.accentAlpha(0));
    rail.setColorAt(0.5, s.accentAlpha(140));
    rail.setColorAt(1, s.accentAlpha(0));
    p.setPen(QPen(QBrush(rail), 1));
    p.drawLine(QPointF(164, 170), QPointF(164, 440));

    // Window outline, brighter on the cut corners.
    p.setPen(QPen(s.line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    const qreal c = WindowCut;
    QPainterPath corners = art::openPath({{0.5, c + 40}, {0.5, c}, {c, 0.5}, {c + 60, 0.5}});
    corners.moveTo(W - c - 60, 0.5);
    corners.lineTo(W - c, 0.5);
    corners.lineTo(W - 0.5, c);
    corners.lineTo(W - 0.5, c + 40);
    corners.moveTo(W - 0.5, H - c - 40);
    corners.lineTo(W - 0.5, H - c);
    corners.lineTo(W - c, H - 0.5);
    corners.lineTo(W - c - 60, H - 0.5);
    corners.moveTo(c + 60, H - 0.5);
    corners.lineTo(c, H - 0.5);
    corners.lineTo(0.5, H - c);
    corners.lineTo(0.5, H - c - 40);
    art::glowStroke(p, corners, s.accent, 1.5, 2);
    return image;
}

QImage decoration(const SkinStyle &s, bool mirrored) {
    QImage image = art::blank(140, 60);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    if (mirrored) {
        p.translate(140, 0);
        p.scale(-1, 1);
    }
    // Three chevrons fading towards the window's edge, and a tick scale under them.
    for (int i = 0; i < 3; ++i) {
        QPainterPath chevron;
        const qreal x = 70 + i * 18;
        chevron.moveTo(x, 14);
        chevron.lineTo(x + 12, 28);
        chevron.lineTo(x, 42);
        art::glowStroke(p, chevron, s.accentAlpha(90 + i * 60), 3, 2);
    }
    p.setPen(QPen(s.line, 1));
    for (int i = 0; i < 12; ++i) {
        const qreal x = 8 + i * 5;
        p.drawLine(QPointF(x, 30), QPointF(x, i % 4 == 0 ? 20 : 25));
    }
    p.setPen(QPen(s.accentAlpha(120), 1));
    p.drawLine(QPointF(8, 34), QPointF(66, 34));
    p.fillRect(QRectF(8, 38, 22, 3), s.accent);
    return image;
}

QImage logo(const SkinStyle &s, bool hot) {
    QImage image = art::blank(220, 56);
    QPainter p(&image);
    p.setRenderHints(art::smooth());

    // Emblem: a hexagon with a cut bar through it.
    const QPointF c(34, 28);
    QPolygonF hex;
    for (int k = 0; k < 6; ++k)
        hex << c + QPointF(20 * qCos(k * M_PI / 3 + M_PI / 6), 20 * qSin(k * M_PI / 3 + M_PI / 6));
    QPainterPath emblem;
    emblem.addPolygon(hex);
    emblem.closeSubpath();
    p.fillPath(emblem, QColor(0, 0, 0, 140));
    art::glowStroke(p, emblem, hot ? s.accentHot : s.accent, 2, hot ? 4 : 2);
    QPainterPath bar;
    bar.moveTo(24, 36);
    bar.lineTo(44, 20);
    art::glowStroke(p, bar, hot ? s.accentHot : s.accent, 3, 2);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(34);
    font.setBold(true);
    font.setItalic(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath word;
    word.addText(66, 41, font, QStringLiteral("Q7"));
    QLinearGradient fill(0, 10, 0, 44);
    fill.setColorAt(0, QColor(0xf4, 0xf7, 0xfb));
    fill.setColorAt(1, hot ? s.accentHot : QColor(0xa8, 0xb2, 0xc2));
    if (hot)
        art::glowStroke(p, word, s.accentAlpha(160), 1, 4);
    p.fillPath(word, fill);

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    small.setBold(true);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(small);
    p.setPen(hot ? s.accentHot : s.accent);
    p.drawText(QPointF(124, 24), QStringLiteral("GAMING"));
    p.setPen(s.ink);
    p.drawText(QPointF(124, 40), QStringLiteral("MOUSE"));
    return image;
}

} // namespace

void drawFrame(SkinWriter &out) {
    const SkinStyle &s = out.style();
    const QImage frame = frameBackground(s);
    // The skin's background carries the frame already: the window keeps one full-size image
    // decoded instead of two. The frame alone lies over a picture of the user's.
    QImage surface = background(s);
    QPainter(&surface).drawImage(0, 0, frame);
    out.write(QStringLiteral("background"), surface);
    out.write(QStringLiteral("frame/frameBackground"), frame);
    out.write(QStringLiteral("frame/decoration1"), decoration(s, false));
    out.write(QStringLiteral("frame/decoration2"), decoration(s, true));
    out.write(QStringLiteral("frame/web_0"), logo(s, false));
    out.write(QStringLiteral("frame/web_1"), logo(s, true));
}
