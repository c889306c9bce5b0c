#include "SkinStyle.h"

SkinStyle SkinStyle::forSkin(int number) {
    SkinStyle s;
    s.number = number;
    s.base0 = QColor(0x08, 0x0a, 0x0e);
    s.base1 = QColor(0x11, 0x14, 0x1b);
    s.base2 = QColor(0x1a, 0x1f, 0x29);
    s.line = QColor(0x2c, 0x33, 0x42);
    s.ink = QColor(0x9a, 0xa3, 0xb3);
    if (number == 2) {
        // Ember: a warm orange that reads well on the dark plates.
        s.accent = QColor(0xff, 0x7a, 0x1a);
        s.accentHot = QColor(0xff, 0xb2, 0x5c);
    } else {
        // Ice: the cyan of the default text colour.
        s.accent = QColor(0x12, 0xd8, 0xf5);
        s.accentHot = QColor(0x8c, 0xf4, 0xff);
    }
    return s;
}

QColor SkinStyle::accentAlpha(int alpha) const {
    QColor c = accent;
    c.setAlpha(alpha);
    return c;
}

namespace art {

QPainterPath openPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF &point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    return path;
}

QPainterPath closedPath(std::initializer_list<QPointF> points) {
    QPainterPath path = openPath(points);
    path.closeSubpath();
    return path;
}

QPainter::RenderHints smooth() {
    return QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing;
}

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath cutRect(const QRectF &r, qreal cut) {
    const QPainterPath path = art::closedPath({{r.left() + cut, r.top()},
                                               {r.right(), r.top()},
                                               {r.right(), r.bottom() - cut},
                                               {r.right() - cut, r.bottom()},
                                               {r.left(), r.bottom()},
                                               {r.left(), r.top() + cut}});
    return path;
}

QPainterPath octRect(const QRectF &r, qreal cut) {
    const QPainterPath path = art::closedPath({{r.left() + cut, r.top()},
                                               {r.right() - cut, r.top()},
                                               {r.right(), r.top() + cut},
                                               {r.right(), r.bottom() - cut},
                                               {r.right() - cut, r.bottom()},
                                               {r.left() + cut, r.bottom()},
                                               {r.left(), r.bottom() - cut},
                                               {r.left(), r.top() + cut}});
    return path;
}

void glowStroke(QPainter &p, const QPainterPath &path, const QColor &color, qreal width, int halo) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = halo; i >= 1; --i) {
        QColor c = color;
        c.setAlphaF(color.alphaF() * 0.12);
        p.setPen(QPen(c, width + i * 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.restore();
}

void plate(QPainter &p, const QPainterPath &shape, const SkinStyle &s, bool lit, qreal topAlpha) {
    p.save();
    const QRectF r = shape.boundingRect();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    QColor top = lit ? s.base2.lighter(125) : s.base2;
    QColor bottom = s.base1;
    top.setAlphaF(topAlpha);
    bottom.setAlphaF(topAlpha);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(lit ? s.accent : s.line, 1));
    p.drawPath(shape);
    if (lit) {
        QLinearGradient sheen(r.topLeft(), r.bottomLeft());
        sheen.setColorAt(0, s.accentAlpha(70));
        sheen.setColorAt(0.6, s.accentAlpha(0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawPath(shape);
    }
    p.restore();
}

void hatch(QPainter &p, const QPainterPath &clip, const QColor &color, int spacing) {
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    p.setPen(QPen(color, 1));
    const QRectF r = clip.boundingRect();
    for (qreal x = r.left() - r.height(); x < r.right(); x += spacing)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    p.restore();
}

void brackets(QPainter &p, const QRectF &r, qreal arm, const QColor &color, qreal width) {
    p.save();
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    const QPointF dirs[4] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    for (int i = 0; i < 4; ++i) {
        const QPainterPath path = art::openPath({{corners[i] + QPointF(0, dirs[i].y() * arm)},
                                                 {corners[i]},
                                                 {corners[i] + QPointF(dirs[i].x() * arm, 0)}});
        p.drawPath(path);
    }
    p.restore();
}

} // namespace art
