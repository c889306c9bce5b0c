#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <QString>
#include <initializer_list>

// The look shared by every image of a skin: one accent colour on dark, cut-corner plates.
struct SkinStyle {
    int number = 1;
    QColor accent;    // lines, lit states
    QColor accentHot; // hover and glow centres
    QColor base0;     // deepest background
    QColor base1;     // plates
    QColor base2;     // raised plates
    QColor line;      // quiet outlines
    QColor ink;       // light grey of unlit icons

    static SkinStyle forSkin(int number);
    QColor accentAlpha(int alpha) const;
};

namespace art {

QImage blank(int w, int h);
// A rectangle with its top-left and bottom-right corners cut by `cut` pixels.
// Straight segments through the points; closedPath joins the last back to the first.
QPainterPath openPath(std::initializer_list<QPointF> points);
QPainterPath closedPath(std::initializer_list<QPointF> points);
QPainterPath cutRect(const QRectF &r, qreal cut);
// All four corners cut.
QPainterPath octRect(const QRectF &r, qreal cut);
// A stroke with a soft halo around it.
void glowStroke(QPainter &p, const QPainterPath &path, const QColor &color, qreal width,
                int halo = 3);
// A plate: gradient fill, quiet outline, optional lit edge along the top.
void plate(QPainter &p, const QPainterPath &shape, const SkinStyle &s, bool lit,
           qreal topAlpha = 0.92);
// Faint diagonal hatching inside `clip`, the texture of large surfaces.
void hatch(QPainter &p, const QPainterPath &clip, const QColor &color, int spacing);
// Corner brackets around a rectangle.
void brackets(QPainter &p, const QRectF &r, qreal arm, const QColor &color, qreal width);
QPainter::RenderHints smooth();

} // namespace art
