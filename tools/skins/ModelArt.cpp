// The mouse pictures and the weapon pictures of the press-gun page.
#include "SkinWriter.h"

#include <QtMath>

namespace {

QPainterPath mouseBody() {
    // Top view, nose up, in a 260 × 360 picture.
    QPainterPath body;
    body.moveTo(130, 22);
    body.cubicTo(190, 22, 214, 70, 216, 130);
    body.cubicTo(218, 200, 206, 250, 198, 290);
    body.cubicTo(188, 330, 160, 344, 130, 344);
    body.cubicTo(100, 344, 72, 330, 62, 290);
    body.cubicTo(54, 250, 42, 200, 44, 130);
    body.cubicTo(46, 70, 70, 22, 130, 22);
    body.closeSubpath();
    return body;
}

QImage mouse(const SkinStyle &s, bool lighting) {
    QImage image = art::blank(260, 360);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath body = mouseBody();

    // Shadow, shell and a sheen down the spine.
    p.fillPath(body.translated(0, 6), QColor(0, 0, 0, 120));
    QLinearGradient shell(40, 0, 220, 0);
    shell.setColorAt(0, QColor(0x15, 0x19, 0x21));
    shell.setColorAt(0.5, QColor(0x2a, 0x30, 0x3c));
    shell.setColorAt(1, QColor(0x12, 0x15, 0x1c));
    p.fillPath(body, shell);
    art::hatch(p, body, QColor(255, 255, 255, 8), 5);

    // Buttons: the split at the front and the wheel between them.
    QPainterPath split;
    split.moveTo(130, 24);
    split.lineTo(130, 64);
    split.moveTo(130, 124);
    split.lineTo(130, 138);
    split.moveTo(46, 128);
    split.cubicTo(80, 140, 180, 140, 214, 128);
    p.setPen(QPen(QColor(0, 0, 0, 200), 2));
    p.drawPath(split);
    const QRectF wheel(121, 62, 18, 44);
    p.fillPath(art::octRect(wheel, 5), QColor(0x0a, 0x0c, 0x10));
    for (int i = 0; i < 8; ++i)
        p.fillRect(QRectF(124, 66 + i * 5, 12, 2), QColor(255, 255, 255, 30));
    const QRectF dpi(122, 112, 16, 10);
    p.fillPath(art::cutRect(dpi, 3), QColor(0x0a, 0x0c, 0x10));

    // Side buttons on the thumb side.
    const QRectF side1(40, 150, 8, 34);
    const QRectF side2(42, 190, 8, 34);
    p.fillPath(art::cutRect(side1, 3), QColor(0x30, 0x36, 0x44));
    p.fillPath(art::cutRect(side2, 3), QColor(0x30, 0x36, 0x44));

    // The second DPI key, the mode key at the tail and three keys on the ring-finger side.
    const QRectF dpi2(122, 148, 16, 10);
    const QRectF mode(118, 293, 24, 8);
    const QRectF rightSide[3] = {QRectF(211, 153, 7, 28), QRectF(210, 188, 7, 28),
                                 QRectF(208, 223, 7, 28)};
    p.fillPath(art::cutRect(dpi2, 3), QColor(0x0a, 0x0c, 0x10));
    p.fillPath(art::cutRect(mode, 3), QColor(0x0a, 0x0c, 0x10));
    for (const QRectF &r : rightSide)
        p.fillPath(art::cutRect(r, 3), QColor(0x30, 0x36, 0x44));

    // The light strip around the palm and the emblem.
    QPainterPath strip;
    strip.moveTo(58, 220);
    strip.cubicTo(66, 300, 94, 334, 130, 334);
    strip.cubicTo(166, 334, 194, 300, 202, 220);
    QPainterPath emblem;
    QPolygonF hex;
    for (int k = 0; k < 6; ++k)
        hex << QPointF(130 + 16 * qCos(k * M_PI / 3 + M_PI / 6),
                       250 + 16 * qSin(k * M_PI / 3 + M_PI / 6));
    emblem.addPolygon(hex);
    emblem.closeSubpath();
    if (lighting) {
        art::glowStroke(p, strip, s.accentHot, 3, 5);
        art::glowStroke(p, emblem, s.accentHot, 2, 4);
        QPainterPath wheelGlow;
        wheelGlow.addRect(wheel.adjusted(2, 2, -2, -2));
        art::glowStroke(p, wheelGlow, s.accent, 1, 3);
    } else {
        p.setPen(QPen(s.accentAlpha(90), 2));
        p.drawPath(strip);
        p.setPen(QPen(s.ink, 1.5));
        p.drawPath(emblem);
        // Outline every key so the page can point at them.
        QPainterPath keys;
        keys.addPath(art::octRect(wheel.adjusted(-3, -3, 3, 3), 6));
        keys.addPath(art::cutRect(dpi.adjusted(-3, -3, 3, 3), 4));
        keys.addPath(art::cutRect(side1.adjusted(-3, -3, 3, 3), 4));
        keys.addPath(art::cutRect(side2.adjusted(-3, -3, 3, 3), 4));
        keys.addPath(art::cutRect(dpi2.adjusted(-3, -3, 3, 3), 4));
        keys.addPath(art::cutRect(mode.adjusted(-3, -3, 3, 3), 4));
        for (const QRectF &r : rightSide)
            keys.addPath(art::cutRect(r.adjusted(-3, -3, 3, 3), 4));
        art::glowStroke(p, keys, s.accent, 1.2, 2);
        QPainterPath buttons;
        buttons.moveTo(60, 118);
        buttons.cubicTo(62, 60, 90, 34, 122, 30);
        buttons.moveTo(200, 118);
        buttons.cubicTo(198, 60, 170, 34, 138, 30);
        art::glowStroke(p, buttons, s.accentAlpha(200), 1.2, 2);
    }
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    return image;
}

// A weapon silhouette from a few proportions, so that each picture differs but all share one
// hand.
struct Weapon {
    qreal receiver; // length of the body
    qreal barrel;   // length of the barrel in front of the handguard
    int stock;      // 0 none, 1 solid, 2 skeleton
    int magazine;   // 0 in the grip, 1 straight, 2 curved, 3 box under the body
    int optic;      // 0 iron sights, 1 red dot, 2 long scope
    qreal guard;    // handguard length
};

Weapon weaponFor(int game, int index) {
    static const Weapon kinds[12] = {
        {92, 24, 2, 1, 1, 40},  // boxy submachine gun
        {70, 14, 0, 0, 1, 24},  // machine pistol
        {88, 30, 2, 1, 0, 38},  // submachine gun
        {96, 28, 1, 1, 1, 44},  // submachine gun, solid stock
        {104, 40, 1, 2, 0, 52}, // rifle, curved magazine
        {108, 46, 1, 1, 1, 58}, // rifle, straight magazine
        {112, 52, 1, 1, 2, 56}, // marksman rifle
        {106, 42, 2, 1, 1, 60}, // rifle, folding stock
        {98, 70, 1, 0, 0, 48},  // shotgun
        {118, 78, 1, 3, 2, 50}, // sniper rifle
        {116, 54, 1, 3, 1, 62}, // light machine gun
        {52, 20, 0, 0, 0, 0},   // pistol
    };
    // Other games shuffle the same kinds so their rows look different.
    return kinds[(index + game * 5) % 12];
}

QImage weapon(const SkinStyle &s, const Weapon &w) {
    QImage image = art::blank(280, 110);
    QPainter p(&image);
    p.setRenderHints(art::smooth());

    const qreal total = (w.stock ? 56 : 0) + w.receiver + w.guard + w.barrel;
    const qreal left = (280 - total) / 2;
    const qreal top = 40;
    qreal x = left;

    QPainterPath solid;
    if (w.stock == 1) {
        const QPainterPath stock = art::closedPath({{x, top + 8},
                                                    {x + 56, top + 2},
                                                    {x + 56, top + 16},
                                                    {x + 14, top + 30},
                                                    {x, top + 30}});
        solid.addPath(stock);
    }
    if (w.stock) {
        x += 56;
    }
    solid.addPath(art::cutRect(QRectF(x, top, w.receiver, 18), 4));
    // Grip.
    QPainterPath grip;
    const qreal gx = x + w.receiver * (w.stock ? 0.36 : 0.2);
    grip.moveTo(gx, top + 16);
    grip.lineTo(gx + 16, top + 16);
    grip.lineTo(gx + 10, top + 46);
    grip.lineTo(gx - 6, top + 46);
    grip.closeSubpath();
    solid.addPath(grip);
    // Magazine.
    const qreal mx = x + w.receiver * 0.62;
    QPainterPath mag;
    if (w.magazine == 1) {
        mag.addPath(art::cutRect(QRectF(mx, top + 16, 13, 30), 3));
    } else if (w.magazine == 2) {
        mag.moveTo(mx, top + 16);
        mag.lineTo(mx + 14, top + 16);
        mag.quadTo(mx + 20, top + 36, mx + 30, top + 50);
        mag.lineTo(mx + 16, top + 54);
        mag.quadTo(mx + 6, top + 38, mx, top + 16);
        mag.closeSubpath();
    } else if (w.magazine == 3) {
        mag.addPath(art::cutRect(QRectF(mx - 10, top + 16, 26, 20), 4));
    }
    solid.addPath(mag);
    x += w.receiver;
    if (w.guard > 0)
        solid.addPath(art::cutRect(QRectF(x, top + 3, w.guard, 13), 3));
    x += w.guard;
    solid.addRect(QRectF(x, top + 7, w.barrel, 4));
    solid.addRect(QRectF(x + w.barrel - 6, top + 5, 6, 8));
    solid.setFillRule(Qt::WindingFill);

    // Optic above the receiver.
    QPainterPath optic;
    const qreal ox = left + (w.stock ? 56 : 0) + w.receiver * 0.3;
    if (w.optic == 1) {
        optic.addPath(art::cutRect(QRectF(ox, top - 12, 22, 12), 3));
    } else if (w.optic == 2) {
        optic.addRoundedRect(QRectF(ox - 10, top - 14, 64, 10), 4, 4);
        optic.addRect(QRectF(ox + 8, top - 4, 6, 4));
        optic.addRect(QRectF(ox + 30, top - 4, 6, 4));
    } else {
        optic.addRect(QRectF(ox, top - 5, 4, 5));
        optic.addRect(QRectF(x - 4, top - 2, 3, 5));
    }
    solid.addPath(optic);

    QLinearGradient fill(0, top - 14, 0, top + 56);
    fill.setColorAt(0, QColor(0xc9, 0xd0, 0xdb));
    fill.setColorAt(0.45, QColor(0x6d, 0x76, 0x86));
    fill.setColorAt(1, QColor(0x2c, 0x31, 0x3c));
    p.fillPath(solid.simplified().translated(2, 3), QColor(0, 0, 0, 110));
    p.fillPath(solid.simplified(), fill);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawPath(solid.simplified());

    // The accent stripe along the body and a sight glint.
    const qreal bodyX = left + (w.stock ? 56 : 0);
    p.fillRect(QRectF(bodyX + 6, top + 7, w.receiver - 12, 2), s.accent);
    if (w.optic > 0) {
        QPainterPath lens;
        lens.addEllipse(QPointF(ox + (w.optic == 2 ? 50 : 18), top - (w.optic == 2 ? 9 : 6)), 2.2,
                        2.2);
        art::glowStroke(p, lens, s.accentHot, 1, 3);
    }
    return image;
}

QImage gunList(const SkinStyle &s) {
    QImage image = art::blank(400, 300);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, 399, 299), 16);
    p.fillPath(shape, QColor(0x0b, 0x0d, 0x12, 240));
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF cell(10 + col * 96, 12 + row * 94, 92, 88);
            p.fillPath(art::cutRect(cell, 8), QColor(255, 255, 255, 8));
            p.setPen(QPen(QColor(255, 255, 255, 24), 1));
            p.drawPath(art::cutRect(cell, 8));
        }
    }
    art::brackets(p, QRectF(3.5, 3.5, 393, 293), 16, s.accent, 1.5);
    return image;
}

QImage gunFrame(const SkinStyle &s, int w, int h) {
    QImage image = art::blank(w, h);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    const QPainterPath shape = art::cutRect(QRectF(0.5, 0.5, w - 1, h - 1), h / 6.0);
    QRadialGradient glow(QPointF(w / 2.0, h * 0.55), w * 0.6);
    glow.setColorAt(0, s.accentAlpha(36));
    glow.setColorAt(1, QColor(0, 0, 0, 160));
    p.fillPath(shape, glow);
    p.setPen(QPen(s.line, 1));
    p.drawPath(shape);
    art::brackets(p, QRectF(3.5, 3.5, w - 7, h - 7), qMin(18.0, h / 4.0), s.accent, 1.5);
    // A floor line for the weapon to stand on.
    p.setPen(QPen(s.accentAlpha(70), 1));
    p.drawLine(QPointF(w * 0.15, h * 0.82), QPointF(w * 0.85, h * 0.82));
    return image;
}

QImage applyGun(const SkinStyle &s, bool lit) {
    QImage image = art::blank(90, 30);
    QPainter p(&image);
    p.setRenderHints(art::smooth());
    art::plate(p, art::cutRect(QRectF(0.5, 0.5, 89, 29), 8), s, lit);
    const QPainterPath tick = art::openPath({{34, 15}, {42, 22}, {56, 8}});
    if (lit)
        art::glowStroke(p, tick, s.accentHot, 2.2, 2);
    else {
        p.setPen(QPen(s.ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    return image;
}

} // namespace

void drawMice(SkinWriter &out) {
    out.write(QStringLiteral("model_ms/model_Q7_Color"), mouse(out.style(), true));
    out.write(QStringLiteral("model_ms/model_Q7_KeyDefine"), mouse(out.style(), false));
}

void drawGuns(SkinWriter &out) {
    const SkinStyle &s = out.style();
    out.write(QStringLiteral("gun/gunlist"), gunList(s));
    out.write(QStringLiteral("gun/gunFrame"), gunFrame(s, 300, 140));
    out.write(QStringLiteral("gun/gunFrame_s"), gunFrame(s, 90, 45));
    out.write(QStringLiteral("gun/apply_gun0"), applyGun(s, false));
    out.write(QStringLiteral("gun/apply_gun1"), applyGun(s, true));
    for (int game = 0; game < 3; ++game)
        for (int index = 0; index < 12; ++index)
            out.write(QStringLiteral("gun/%1/%2").arg(game).arg(index),
                      weapon(s, weaponFor(game, index)));
}
