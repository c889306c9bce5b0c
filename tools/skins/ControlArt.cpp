// The shared controls, the menus and their icons.
#include "SkinWriter.h"

#include <QFont>
#include <QtMath>

namespace {

// Icon outlines on a 24-unit grid; filled parts are closed sub-paths named in `solid`.
struct Glyph {
    QPainterPath stroke;
    QPainterPath solid;
};

QPainterPath circle(QPointF c, qreal r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

Glyph glyph(const QString &name) {
    Glyph g;
    QPainterPath &s = g.stroke;
    if (name == QLatin1String("reset")) {
        s.arcMoveTo(QRectF(5, 5, 14, 14), 60);
        s.arcTo(QRectF(5, 5, 14, 14), 60, 290);
        g.solid.moveTo(15.5, 3.5);
        g.solid.lineTo(19.5, 7.5);
        g.solid.lineTo(14, 9);
        g.solid.closeSubpath();
    } else if (name == QLatin1String("apply")) {
        s.moveTo(5.5, 12.5);
        s.lineTo(10, 17);
        s.lineTo(18.5, 7);
    } else if (name == QLatin1String("add")) {
        s.moveTo(12, 5);
        s.lineTo(12, 19);
        s.moveTo(5, 12);
        s.lineTo(19, 12);
    } else if (name == QLatin1String("import")) {
        s.moveTo(12, 4);
        s.lineTo(12, 14);
        s.moveTo(8, 10.5);
        s.lineTo(12, 14.5);
        s.lineTo(16, 10.5);
        s.moveTo(5, 14);
        s.lineTo(5, 19);
        s.lineTo(19, 19);
        s.lineTo(19, 14);
    } else if (name == QLatin1String("delete")) {
        s.moveTo(5, 7);
        s.lineTo(19, 7);
        s.moveTo(10, 7);
        s.lineTo(10, 5);
        s.lineTo(14, 5);
        s.lineTo(14, 7);
        s.moveTo(7, 7);
        s.lineTo(8, 19);
        s.lineTo(16, 19);
        s.lineTo(17, 7);
        s.moveTo(10.5, 10);
        s.lineTo(10.5, 16);
        s.moveTo(13.5, 10);
        s.lineTo(13.5, 16);
    } else if (name == QLatin1String("record")) {
        s.addEllipse(QPointF(12, 12), 7.5, 7.5);
        g.solid = circle(QPointF(12, 12), 4.5);
    } else if (name == QLatin1String("stop")) {
        s.addRect(QRectF(5, 5, 14, 14));
        g.solid.addRect(QRectF(8.5, 8.5, 7, 7));
    } else if (name == QLatin1String("solid-delete")) {
        s.moveTo(7, 7);
        s.lineTo(17, 17);
        s.moveTo(17, 7);
        s.lineTo(7, 17);
    } else if (name == QLatin1String("solid-cut")) {
        s.addEllipse(QPointF(7.5, 17), 3, 3);
        s.addEllipse(QPointF(16.5, 17), 3, 3);
        s.moveTo(9.5, 14.8);
        s.lineTo(17, 4);
        s.moveTo(14.5, 14.8);
        s.lineTo(7, 4);
    } else if (name == QLatin1String("solid-paste")) {
        s.addRect(QRectF(6, 6, 12, 14));
        s.addRect(QRectF(9, 4, 6, 4));
        s.moveTo(9, 12);
        s.lineTo(15, 12);
        s.moveTo(9, 15.5);
        s.lineTo(14, 15.5);
    } else if (name == QLatin1String("solid-copy")) {
        s.addRect(QRectF(5, 8, 10, 11));
        s.moveTo(9, 8);
        s.lineTo(9, 5);
        s.lineTo(19, 5);
        s.lineTo(19, 16);
        s.lineTo(15, 16);
    } else if (name == QLatin1String("gear")) {
        QPolygonF teeth;
        for (int k = 0; k < 16; ++k) {
            const qreal r = (k % 2 == 0) ? 9.5 : 7.5;
            const qreal a = k * M_PI / 8 + M_PI / 16;
            teeth << QPointF(12 + r * qCos(a), 12 + r * qSin(a));
        }
        s.addPolygon(teeth);
        s.closeSubpath();
        s.addEllipse(QPointF(12, 12), 3.2, 3.2);
    } else if (name == QLatin1String("close")) {
        s.moveTo(7, 7);
        s.lineTo(17, 17);
        s.moveTo(17, 7);
        s.lineTo(7, 17);
    } else if (name == QLatin1String("fnKeydefine")) {
        s.addRoundedRect(QRectF(6, 3, 12, 18), 6, 6);
        s.moveTo(12, 3);
        s.lineTo(12, 10);
        s.moveTo(6, 10);
        s.lineTo(18, 10);
        g.solid = art::cutRect(QRectF(6.8, 4, 4.5, 5.4), 2);
    } else if (name == QLatin1String("fnMacro")) {
        s.moveTo(4, 6);
        s.lineTo(13, 6);
        s.moveTo(4, 11);
        s.lineTo(11, 11);
        s.moveTo(4, 16);
        s.lineTo(9, 16);
        g.solid.moveTo(13, 10);
        g.solid.lineTo(21, 15);
        g.solid.lineTo(13, 20);
        g.solid.closeSubpath();
    } else if (name == QLatin1String("fnColor")) {
        s.addEllipse(QPointF(12, 8.5), 5, 5);
        s.addEllipse(QPointF(8.5, 14.5), 5, 5);
        s.addEllipse(QPointF(15.5, 14.5), 5, 5);
    } else if (name == QLatin1String("fnSensor")) {
        s.addEllipse(QPointF(12, 12), 7, 7);
        s.moveTo(12, 2);
        s.lineTo(12, 8);
        s.moveTo(12, 16);
        s.lineTo(12, 22);
        s.moveTo(2, 12);
        s.lineTo(8, 12);
        s.moveTo(16, 12);
        s.lineTo(22, 12);
        g.solid = circle(QPointF(12, 12), 1.6);
    } else if (name == QLatin1String("fnpressGun")) {
        s.addEllipse(QPointF(12, 9), 6, 6);
        s.moveTo(12, 1.5);
        s.lineTo(12, 5);
        s.moveTo(4.5, 9);
        s.lineTo(8, 9);
        s.moveTo(16, 9);
        s.lineTo(19.5, 9);
        s.moveTo(8, 18);
        s.lineTo(12, 22);
        s.lineTo(16, 18);
        g.solid = circle(QPointF(12, 9), 1.5);
    }
    return g;
}

// An icon of `size` pixels: quiet grey normally, the accent with a halo when lit.
void drawGlyph(QPainter &p, const SkinStyle &s, const QString &name, const QRectF &box, bool lit) {
    const Glyph g = glyph(name);
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    const QColor color = lit ? s.accentHot : s.ink;
    const qreal width = 1.7;
    if (lit)
        art::glowStroke(p, g.stroke, color, width, 2);
    else {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(g.stroke);
    }
    p.fillPath(g.solid, color);
    p.restore();
}

QImage icon(const SkinStyle &s, const QString &name, int size, bool lit) {
    QImage image = art::blank(size, size);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    drawGlyph(p, s, name, QRectF(0, 0, size, size), lit);
    return image;
}

// A square button: a cut plate with the glyph inside.
QImage button(const SkinStyle &s, const QString &name, int size, bool lit) {
    QImage image = art::blank(size, size);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    art::plate(p, art::cutRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0), s, lit);
    const qreal inset = size * 0.18;
    drawGlyph(p, s, name, QRectF(inset, inset, size - 2 * inset, size - 2 * inset), lit);
    return image;
}

QImage track(const SkinStyle &s, int w, int h) {
    QImage image = art::blank(w, h);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, w - 1, h - 1), 4);
    p.fillPath(shape, QColor(0, 0, 0, 150));
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    return image;
}

QImage segment(const SkinStyle &s, int w, int h, bool lit) {
    QImage image = art::blank(w, h);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QRectF r(0, 0, w, h);
    if (lit) {
        QLinearGradient fill(r.topLeft(), r.bottomLeft());
        fill.setColorAt(0, s.accentHot);
        fill.setColorAt(1, s.accent);
        p.fillPath(art::cutRect(r, 2), fill);
    } else {
        p.fillPath(art::cutRect(r, 2), QColor(255, 255, 255, 22));
    }
    return image;
}

QImage panelImage(const SkinStyle &s, int w, int h, int cut, int alpha) {
    QImage image = art::blank(w, h);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, w - 1, h - 1), cut);
    QColor fill = s.base1;
    fill.setAlpha(alpha);
    p.fillPath(shape, fill);
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    art::brackets(p, QRectF(2.5, 2.5, w - 5, h - 5), qMin(12, h / 4), s.accentAlpha(170), 1.5);
    return image;
}

QImage checkbox(const SkinStyle &s, bool checked) {
    QImage image = art::blank(14, 14);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath box = art::cutRect(QRectF(0.5, 0.5, 13, 13), 3);
    p.fillPath(box, QColor(0, 0, 0, 160));
    p.setPen(QPen(checked ? s.accent : s.ink, 1));
    p.drawPath(box);
    if (checked)
        p.fillPath(art::cutRect(QRectF(3.5, 3.5, 7, 7), 2), s.accentHot);
    return image;
}

// The palette strip: the same eight bands the pick reads back.
QImage palette() {
    QImage image = art::blank(14, 129);
    QPainter p(&image);
    QLinearGradient bands(0, 0, 0, 128);
    const QColor stops[9] = {Qt::black, Qt::red,     Qt::yellow, Qt::green, Qt::cyan,
                             Qt::blue,  Qt::magenta, Qt::white,  Qt::black};
    for (int i = 0; i < 9; ++i)
        bands.setColorAt(i * 0.125, stops[i]);
    p.fillRect(image.rect(), bands);
    return image;
}

QImage paletteIndex(const SkinStyle &s) {
    QImage image = art::blank(20, 7);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 1.5, 13, 4));
    const QPainterPath left = art::closedPath({{0, 0}, {3, 3.5}, {0, 7}});
    p.fillPath(left, s.accentHot);
    const QPainterPath right = art::closedPath({{20, 0}, {17, 3.5}, {20, 7}});
    p.fillPath(right, s.accentHot);
    return image;
}

QImage line(const SkinStyle &s) {
    QImage image = art::blank(8, 1);
    image.fill(s.accentAlpha(110));
    return image;
}

QImage inputValue(const SkinStyle &s) {
    QImage image = art::blank(39, 20);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, 38, 19), 4);
    p.fillPath(shape, QColor(0, 0, 0, 170));
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    p.setPen(QPen(s.accentAlpha(150), 1));
    p.drawLine(QPointF(4, 19), QPointF(35, 19));
    return image;
}

// Two buttons side by side sit in this frame.
QImage twoButtonFrame(const SkinStyle &s) {
    QImage image = art::blank(96, 36);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::octRect(QRectF(0.5, 0.5, 95, 35), 8);
    p.fillPath(shape, QColor(0, 0, 0, 120));
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    p.setPen(QPen(s.accentAlpha(90), 1));
    p.drawLine(QPointF(48, 8), QPointF(48, 28));
    return image;
}

QImage menuPlate(const SkinStyle &s, bool lit) {
    QImage image = art::blank(150, 37);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, 149, 36), 10);
    art::plate(p, shape, s, lit, lit ? 0.95 : 0.8);
    // The lit edge on the left tells which entry the pointer is over.
    p.fillRect(QRectF(0, 10, 3, 27), lit ? s.accent : s.line);
    return image;
}

QImage profilePlate(const SkinStyle &s, bool lit) {
    QImage image = art::blank(49, 26);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 2.5, 48, 21), 6);
    if (lit) {
        art::plate(p, shape, s, true);
    } else {
        p.fillPath(shape, QColor(255, 255, 255, 10));
        p.setPen(QPen(QColor(255, 255, 255, 28), 1));
        p.drawPath(shape);
    }
    return image;
}

// The top 30 pixels stay clear: the corner ornament sits there.
QImage profileRail(const SkinStyle &s) {
    QImage image = art::blank(78, 400);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(12.5, 30.5, 65, 369), 14);
    QLinearGradient fill(0, 30, 0, 400);
    fill.setColorAt(0, QColor(0x14, 0x18, 0x21, 235));
    fill.setColorAt(1, QColor(0x0b, 0x0d, 0x12, 235));
    p.fillPath(shape, fill);
    art::hatch(p, shape, QColor(255, 255, 255, 8), 5);
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    p.fillRect(QRectF(12, 52, 2, 36), s.accent);

    // A stack of three cards: the emblem of the profiles.
    for (int i = 2; i >= 0; --i) {
        const QRectF card(32 + i * 4, 46 + i * 5, 24, 17);
        p.fillPath(art::cutRect(card, 4), QColor(0x0b, 0x0d, 0x12));
        QPainterPath outline = art::cutRect(card, 4);
        if (i == 0)
            art::glowStroke(p, outline, s.accent, 1.2, 2);
        else {
            p.setPen(QPen(s.ink, 1));
            p.drawPath(outline);
        }
    }
    p.setPen(QPen(s.accentAlpha(120), 1));
    p.drawLine(QPointF(22, 86), QPointF(70, 86));
    p.setPen(QPen(s.line, 1));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(22 + i * 4, 376), QPointF(26 + i * 4, 370));
    return image;
}

QImage topBar(const SkinStyle &s) {
    QImage image = art::blank(1000, 44);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    // A tab that holds the settings and close buttons.
    const QPainterPath tab =
        art::closedPath({{880, 0}, {978, 0}, {1000, 22}, {1000, 44}, {902, 44}, {880, 22}});
    p.fillPath(tab, QColor(0, 0, 0, 120));
    const QPainterPath edge = art::openPath({{880, 22}, {902, 44}, {1000, 44}});
    art::glowStroke(p, edge, s.accentAlpha(180), 1, 2);
    p.setPen(QPen(s.line, 1));
    p.drawLine(QPointF(948, 12), QPointF(948, 32));
    return image;
}

QImage bottomBar(const SkinStyle &s) {
    QImage image = art::blank(1000, 56);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath plateShape =
        art::closedPath({{330, 6}, {670, 6}, {690, 26}, {670, 50}, {330, 50}, {310, 26}});
    art::plate(p, plateShape, s, false, 0.85);
    art::hatch(p, plateShape, QColor(255, 255, 255, 6), 4);
    p.setPen(QPen(s.accentAlpha(200), 2));
    p.drawLine(QPointF(318, 18), QPointF(330, 6));
    p.drawLine(QPointF(682, 18), QPointF(670, 6));
    return image;
}

QImage buttonGroup(const SkinStyle &s, int w, int h, int buttons) {
    QImage image = art::blank(w, h);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, w - 1, h - 1), 6);
    p.fillPath(shape, QColor(0, 0, 0, 150));
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    for (int i = 1; i < buttons; ++i) {
        const qreal x = 3 + i * (w - 6) / qreal(buttons);
        p.drawLine(QPointF(x, 6), QPointF(x, h - 6));
    }
    return image;
}

QImage groupFiller(const SkinStyle &s, int w, int h, bool lit) {
    QImage image = art::blank(w, h);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, w - 1, h - 1), 5);
    if (lit)
        art::plate(p, shape, s, true);
    else
        p.fillPath(shape, QColor(255, 255, 255, 10));
    return image;
}

} // namespace

void drawControls(SkinWriter &out) {
    const SkinStyle &s = out.style();
    const QString c = QStringLiteral("common/");
    out.write(c + "slider_BASE", track(s, 147, 18));
    out.write(c + "slider_FILLER_0", segment(s, 18, 8, false));
    out.write(c + "slider_FILLER_1", segment(s, 18, 8, true));
    out.write(c + "slider_11_BASE", track(s, 315, 22));
    out.write(c + "slider_11_FILLER_0", segment(s, 28, 8, false));
    out.write(c + "slider_11_FILLER_1", segment(s, 28, 8, true));
    out.write(c + "draw_line", line(s));
    out.write(c + "filelist_BASE", panelImage(s, 200, 240, 10, 200));
    out.write(c + "btnFileListFrame", panelImage(s, 220, 280, 12, 150));
    out.write(c + "btnFrame", panelImage(s, 120, 40, 8, 150));
    out.write(c + "draw_inputValue", inputValue(s));
    out.write(c + "draw_paletteIndex", paletteIndex(s));
    out.write(c + "draw_palette", palette());
    out.write(c + "checkbox_0", checkbox(s, false));
    out.write(c + "checkbox_1", checkbox(s, true));
    out.write(c + "fram_2btn", twoButtonFrame(s));
    out.write(c + "btnGroup_4_BASE", buttonGroup(s, 312, 30, 4));
    // Two rows of four stages.
    out.write(c + "btnGroup_8_BASE", buttonGroup(s, 312, 50, 4));
    out.write(c + "btnGroup_FILLER_0", groupFiller(s, 74, 22, false));
    out.write(c + "btnGroup_FILLER_1", groupFiller(s, 74, 22, true));
    out.write(c + "btnGroup2_FILLER_0", groupFiller(s, 36, 22, false));
    out.write(c + "btnGroup2_FILLER_1", groupFiller(s, 36, 22, true));
    for (const char *name : {"reset", "apply"}) {
        out.write(c + name + "_0", button(s, QLatin1String(name), 30, false));
        out.write(c + name + "_1", button(s, QLatin1String(name), 30, true));
    }
    for (const char *name : {"add", "import", "delete", "record", "stop"}) {
        out.write(c + name + "_0", button(s, QLatin1String(name), 28, false));
        out.write(c + name + "_1", button(s, QLatin1String(name), 28, true));
    }
    for (const char *name : {"solid-delete", "solid-cut", "solid-paste", "solid-copy"}) {
        out.write(c + name + "_0", button(s, QLatin1String(name), 24, false));
        out.write(c + name + "_1", button(s, QLatin1String(name), 24, true));
    }
}

void drawMenus(SkinWriter &out) {
    const SkinStyle &s = out.style();
    out.write(QStringLiteral("list_up/listUpContainer"), topBar(s));
    out.write(QStringLiteral("list_up/applicationSetting_0"),
              icon(s, QStringLiteral("gear"), 24, false));
    out.write(QStringLiteral("list_up/applicationSetting_1"),
              icon(s, QStringLiteral("gear"), 24, true));
    out.write(QStringLiteral("list_up/applicationMinimize_0"),
              icon(s, QStringLiteral("close"), 24, false));
    out.write(QStringLiteral("list_up/applicationMinimize_1"),
              icon(s, QStringLiteral("close"), 24, true));
    out.write(QStringLiteral("list_dn/listDnContainer"), bottomBar(s));
    out.write(QStringLiteral("list_pf/listPfContainer"), profileRail(s));
    out.write(QStringLiteral("list_pf/profileFW_0"), profilePlate(s, false));
    out.write(QStringLiteral("list_pf/profileFW_1"), profilePlate(s, true));
    out.write(QStringLiteral("list_fn/listFnBtn_0"), menuPlate(s, false));
    out.write(QStringLiteral("list_fn/listFnBtn_1"), menuPlate(s, true));
    for (const char *name : {"fnKeydefine", "fnMacro", "fnColor", "fnSensor", "fnpressGun"}) {
        out.write(QStringLiteral("list_fn/%1_0").arg(QLatin1String(name)),
                  icon(s, QLatin1String(name), 22, false));
        out.write(QStringLiteral("list_fn/%1_1").arg(QLatin1String(name)),
                  icon(s, QLatin1String(name), 22, true));
    }
}

namespace {

// The pages share one panel; each carries a faint mark of what it holds.
QImage pagePanel(const SkinStyle &s, const QString &page) {
    QImage image = panelImage(s, 759, 396, 16, 150);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    if (page == QLatin1String("fnKeydefineBackground")) {
        // A lit floor under the mouse picture on the left.
        QRadialGradient spot(QPointF(170, 210), 170);
        spot.setColorAt(0, s.accentAlpha(40));
        spot.setColorAt(1, s.accentAlpha(0));
        p.fillRect(QRectF(0, 0, 340, 396), spot);
    } else if (page == QLatin1String("fnMacroBackground")) {
        // The macro list and the editor side by side.
        p.setPen(QPen(s.accentAlpha(60), 1));
        p.drawLine(QPointF(250, 24), QPointF(250, 372));
    } else if (page == QLatin1String("fnColorBackground")) {
        // A thin spectrum along the foot.
        QLinearGradient spectrum(40, 0, 719, 0);
        const QColor stops[7] = {Qt::red,  Qt::yellow,  Qt::green, Qt::cyan,
                                 Qt::blue, Qt::magenta, Qt::red};
        for (int i = 0; i < 7; ++i) {
            QColor c = stops[i];
            c.setAlpha(110);
            spectrum.setColorAt(i / 6.0, c);
        }
        p.fillRect(QRectF(40, 384, 679, 2), spectrum);
    }
    return image;
}

} // namespace

void drawPageBackgrounds(SkinWriter &out) {
    const SkinStyle &s = out.style();
    out.write(QStringLiteral("list_center/globalsettingBackground"),
              panelImage(s, 340, 516, 18, 238));
    for (const char *name :
         {"fnColorBackground", "fnKeydefineBackground", "fnMacroBackground", "fnCommonBackground"})
        out.write(QStringLiteral("list_center/%1").arg(QLatin1String(name)),
                  pagePanel(s, QLatin1String(name)));
}
