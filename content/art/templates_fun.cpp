// Cartoon templates: stars, balloons, clouds, cute animals, bunting.

#include "art/templates_kit.h"

#include <QtMath>
#include <cmath>

namespace kf::art::tpl {

namespace {

void cloudAt(QPainter& p, QPointF c, double w, const QColor& fill = QColor(255, 255, 255),
    const QColor& edge = QColor(170, 200, 230))
{
    p.save();
    p.setPen(QPen(edge, std::max(1.5, w * 0.025)));
    p.setBrush(fill);
    p.drawPath(cloudPath(c, w));
    p.restore();
}

void grass(QPainter& p, double top, const QColor& colour)
{
    p.save();
    QPainterPath g;
    g.moveTo(0, kTemplateHeight);
    g.lineTo(0, top + 10);
    for (double x = 0; x <= kTemplateWidth; x += 16) {
        g.quadTo(x + 4, top - 14, x + 8, top + 6);
        g.quadTo(x + 12, top - 8, x + 16, top + 10);
    }
    g.lineTo(kTemplateWidth, kTemplateHeight);
    g.closeSubpath();
    QLinearGradient lg(0, top - 14, 0, kTemplateHeight);
    lg.setColorAt(0, colour.lighter(115));
    lg.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(lg);
    p.drawPath(g);
    p.restore();
}

void sun(QPainter& p, QPointF c, double r, bool face)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 196, 40));
    for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 30);
        QPainterPath ray;
        ray.moveTo(r * 1.1, -r * 0.16);
        ray.lineTo(r * 1.6, 0);
        ray.lineTo(r * 1.1, r * 0.16);
        ray.closeSubpath();
        p.drawPath(ray);
        p.restore();
    }
    QRadialGradient g(QPointF(c.x() - r * 0.3, c.y() - r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(255, 236, 120));
    g.setColorAt(1, QColor(255, 170, 30));
    p.setPen(QPen(QColor(230, 130, 20), 2));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    if (face) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 60, 20));
        p.drawEllipse(QPointF(c.x() - r * 0.32, c.y() - r * 0.15), r * 0.09, r * 0.12);
        p.drawEllipse(QPointF(c.x() + r * 0.32, c.y() - r * 0.15), r * 0.09, r * 0.12);
        p.setPen(QPen(QColor(120, 60, 20), r * 0.08, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r * 0.4, c.y() - r * 0.3, r * 0.8, r * 0.7), 210 * 16, 120 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 100, 150));
        p.drawEllipse(QPointF(c.x() - r * 0.55, c.y() + r * 0.2), r * 0.14, r * 0.09);
        p.drawEllipse(QPointF(c.x() + r * 0.55, c.y() + r * 0.2), r * 0.14, r * 0.09);
    }
    p.restore();
}

void rainbow(QPainter& p, QPointF c, double r, double band)
{
    p.save();
    static const QColor colours[]
        = {{240, 80, 80}, {250, 150, 60}, {250, 210, 70}, {120, 200, 100}, {80, 160, 230}, {150, 110, 210}};
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(colours[i], band, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        const double rr = r - i * band;
        p.drawArc(QRectF(c.x() - rr, c.y() - rr, rr * 2, rr * 2), 0, 180 * 16);
    }
    p.restore();
}

void fish(QPainter& p, QPointF c, double size, const QColor& colour, bool left)
{
    p.save();
    p.translate(c);
    if (left)
        p.scale(-1, 1);
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), size * 0.5, size * 0.32);
    QPainterPath tail;
    tail.moveTo(-size * 0.4, 0);
    tail.lineTo(-size * 0.8, -size * 0.3);
    tail.lineTo(-size * 0.8, size * 0.3);
    tail.closeSubpath();
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(colour.darker(110));
    p.drawPath(tail);
    p.setBrush(colour);
    p.drawPath(body);
    p.setPen(QPen(colour.darker(130), 1.5));
    p.drawArc(QRectF(-size * 0.1, -size * 0.28, size * 0.3, size * 0.56), 100 * 16, 160 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(size * 0.25, -size * 0.06), size * 0.09, size * 0.09);
    p.setBrush(QColor(30, 30, 40));
    p.drawEllipse(QPointF(size * 0.27, -size * 0.06), size * 0.05, size * 0.05);
    p.restore();
}

void bubbleRing(QPainter& p, QPointF c, double r)
{
    p.save();
    p.setPen(QPen(QColor(230, 248, 255, 220), std::max(1.2, r * 0.12)));
    p.setBrush(QColor(200, 240, 255, 60));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QPointF(c.x() - r * 0.35, c.y() - r * 0.35), r * 0.2, r * 0.2);
    p.restore();
}

void planet(QPainter& p, QPointF c, double r, const QColor& colour, bool ring)
{
    p.save();
    QRadialGradient g(QPointF(c.x() - r * 0.4, c.y() - r * 0.4), r * 1.5);
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour.darker(130));
    if (ring) {
        p.setPen(QPen(QColor(240, 210, 150), r * 0.12));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.translate(c);
        p.rotate(-18);
        p.drawArc(QRectF(-r * 1.7, -r * 0.45, r * 3.4, r * 0.9), 180 * 16, 180 * 16);
        p.restore();
    }
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    if (ring) {
        p.setPen(QPen(QColor(240, 210, 150), r * 0.12));
        p.setBrush(Qt::NoBrush);
        p.save();
        p.translate(c);
        p.rotate(-18);
        p.drawArc(QRectF(-r * 1.7, -r * 0.45, r * 3.4, r * 0.9), 0, 180 * 16);
        p.restore();
    }
    p.restore();
}

void rocket(QPainter& p, QPointF c, double size, double angle)
{
    p.save();
    p.translate(c);
    p.rotate(angle);
    const double s = size;
    QPainterPath flame;
    flame.moveTo(-s * 0.14, s * 0.42);
    flame.quadTo(0, s * 0.95, s * 0.14, s * 0.42);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 170, 40));
    p.drawPath(flame);
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(0, s * 0.5), s * 0.07, s * 0.14);
    QPainterPath fins;
    fins.moveTo(-s * 0.18, s * 0.1);
    fins.lineTo(-s * 0.36, s * 0.46);
    fins.lineTo(-s * 0.14, s * 0.36);
    fins.moveTo(s * 0.18, s * 0.1);
    fins.lineTo(s * 0.36, s * 0.46);
    fins.lineTo(s * 0.14, s * 0.36);
    p.setPen(QPen(QColor(140, 30, 40), 1.5));
    p.setBrush(QColor(230, 60, 70));
    p.drawPath(fins);
    QPainterPath body;
    body.moveTo(0, -s * 0.55);
    body.cubicTo(s * 0.3, -s * 0.3, s * 0.22, s * 0.3, s * 0.16, s * 0.42);
    body.lineTo(-s * 0.16, s * 0.42);
    body.cubicTo(-s * 0.22, s * 0.3, -s * 0.3, -s * 0.3, 0, -s * 0.55);
    p.setPen(QPen(QColor(120, 120, 140), 1.5));
    p.setBrush(QColor(238, 238, 246));
    p.drawPath(body);
    p.setPen(QPen(QColor(60, 90, 140), 2));
    p.setBrush(QColor(120, 200, 250));
    p.drawEllipse(QPointF(0, -s * 0.12), s * 0.1, s * 0.1);
    p.restore();
}

void lollipop(QPainter& p, QPointF c, double r, int hue, double stick)
{
    p.save();
    p.setPen(QPen(QColor(200, 170, 150), r * 0.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x(), c.y() + r + stick));
    p.setPen(QPen(hsv(hue, 70, 70), 1.5));
    p.setBrush(hsv(hue, 45, 100));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(hsv(hue, 80, 85), r * 0.18, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPainterPath sp = spiralPath(c, r * 0.85, 2.5, 80);
    p.drawPath(sp);
    p.restore();
}

void daisy(QPainter& p, QPointF c, double r, const QColor& petal)
{
    p.save();
    p.setPen(QPen(petal.darker(125), 1.2));
    p.setBrush(petal);
    p.drawPath(flowerPath(c, r, 8, 0.38));
    p.setPen(QPen(QColor(220, 140, 30), 1.2));
    p.setBrush(QColor(255, 200, 60));
    p.drawEllipse(c, r * 0.32, r * 0.32);
    p.restore();
}

void butterfly(QPainter& p, QPointF c, double s, int hue)
{
    p.save();
    p.translate(c);
    p.setPen(QPen(hsv(hue, 80, 55), 1.5));
    for (int side : {-1, 1}) {
        p.setBrush(hsv(hue, 55, 100));
        p.drawEllipse(QPointF(side * s * 0.32, -s * 0.2), s * 0.3, s * 0.26);
        p.setBrush(hsv(hue + 30, 50, 100));
        p.drawEllipse(QPointF(side * s * 0.26, s * 0.2), s * 0.2, s * 0.18);
    }
    p.setBrush(QColor(80, 50, 60));
    p.drawEllipse(QPointF(0, 0), s * 0.06, s * 0.32);
    p.restore();
}

void snowflake(QPainter& p, QPointF c, double r, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour, std::max(1.5, r * 0.14), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        const QPointF e(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        p.drawLine(c, e);
        for (int sgn : {-1, 1}) {
            const double b = a + sgn * 0.6;
            const QPointF m(c.x() + r * 0.55 * std::cos(a), c.y() + r * 0.55 * std::sin(a));
            p.drawLine(m, QPointF(m.x() + r * 0.3 * std::cos(b), m.y() + r * 0.3 * std::sin(b)));
        }
    }
    p.restore();
}

void lilyPad(QPainter& p, QPointF c, double r)
{
    p.save();
    QPainterPath pad;
    pad.moveTo(c);
    pad.arcTo(QRectF(c.x() - r, c.y() - r * 0.6, r * 2, r * 1.2), 20, 320);
    pad.closeSubpath();
    p.setPen(QPen(QColor(50, 120, 60), 1.5));
    p.setBrush(QColor(100, 180, 90));
    p.drawPath(pad);
    p.restore();
}

void treeRound(QPainter& p, QPointF base, double h, const QColor& crown)
{
    p.save();
    p.setPen(QPen(QColor(110, 70, 40), h * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base, QPointF(base.x(), base.y() - h * 0.5));
    p.setPen(QPen(crown.darker(140), 1.5));
    p.setBrush(crown);
    p.drawEllipse(QPointF(base.x(), base.y() - h * 0.7), h * 0.3, h * 0.34);
    p.restore();
}

void cake(QPainter& p, QPointF c, double s)
{
    p.save();
    p.setPen(QPen(QColor(150, 80, 60), 1.5));
    p.setBrush(QColor(250, 200, 150));
    p.drawRoundedRect(QRectF(c.x() - s * 0.5, c.y() - s * 0.1, s, s * 0.45), 4, 4);
    p.setBrush(QColor(255, 150, 180));
    QPainterPath icing;
    icing.moveTo(c.x() - s * 0.52, c.y() - s * 0.1);
    for (int i = 0; i < 6; ++i) {
        const double x = c.x() - s * 0.52 + i * s * 1.04 / 6;
        icing.quadTo(x + s * 0.087, c.y() + s * 0.12, x + s * 1.04 / 6, c.y() - s * 0.1);
    }
    icing.lineTo(c.x() + s * 0.52, c.y() - s * 0.18);
    icing.lineTo(c.x() - s * 0.52, c.y() - s * 0.18);
    icing.closeSubpath();
    p.drawPath(icing);
    for (int i = -1; i <= 1; ++i) {
        const double x = c.x() + i * s * 0.25;
        p.setBrush(hsv(200 + i * 80, 50, 100));
        p.drawRect(QRectF(x - s * 0.03, c.y() - s * 0.42, s * 0.06, s * 0.24));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 190, 50));
        p.drawEllipse(QPointF(x, c.y() - s * 0.48), s * 0.04, s * 0.07);
        p.setPen(QPen(QColor(150, 80, 60), 1.5));
    }
    p.restore();
}

void snowman(QPainter& p, QPointF base, double s)
{
    p.save();
    p.setPen(QPen(QColor(120, 150, 190), 2));
    p.setBrush(QColor(250, 252, 255));
    p.drawEllipse(QPointF(base.x(), base.y() - s * 0.3), s * 0.32, s * 0.3);
    p.drawEllipse(QPointF(base.x(), base.y() - s * 0.78), s * 0.22, s * 0.21);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 50));
    p.drawEllipse(QPointF(base.x() - s * 0.07, base.y() - s * 0.82), s * 0.025, s * 0.03);
    p.drawEllipse(QPointF(base.x() + s * 0.07, base.y() - s * 0.82), s * 0.025, s * 0.03);
    p.setBrush(QColor(250, 140, 40));
    QPainterPath nose;
    nose.moveTo(base.x(), base.y() - s * 0.78);
    nose.lineTo(base.x() + s * 0.16, base.y() - s * 0.75);
    nose.lineTo(base.x(), base.y() - s * 0.73);
    p.drawPath(nose);
    p.setBrush(QColor(220, 50, 60));
    p.drawRoundedRect(QRectF(base.x() - s * 0.24, base.y() - s * 0.62, s * 0.48, s * 0.08), 3, 3);
    p.drawRoundedRect(QRectF(base.x() + s * 0.08, base.y() - s * 0.6, s * 0.09, s * 0.22), 3, 3);
    p.setBrush(QColor(40, 40, 50));
    p.drawRect(QRectF(base.x() - s * 0.17, base.y() - s * 1.02, s * 0.34, s * 0.04));
    p.drawRect(QRectF(base.x() - s * 0.11, base.y() - s * 1.22, s * 0.22, s * 0.2));
    p.restore();
}

QPainterPath standardWindow()
{
    return roundWindow(42, 34);
}

} // namespace

std::vector<Design> cartoonDesigns()
{
    std::vector<Design> d;
    d.push_back({"stars", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(36, 40, 110), QColor(110, 60, 150));
                         Random rnd(1);
                         scatterStars(p, rnd, 70, QColor(255, 240, 150, 200), 2, 5, QRectF());
                     }
                     const QPainterPath w = standardWindow();
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 220, 90), 5);
                     Random rnd(2);
                     const QPointF spots[] = {{40, 60}, {600, 40}, {610, 300}, {30, 250}, {320, 30},
                         {180, 455}, {460, 455}, {600, 420}, {80, 440}, {480, 28}, {140, 24}};
                     for (const QPointF& s : spots) {
                         const double r = rnd.uniform(12, 24);
                         p.setPen(QPen(QColor(220, 150, 30), 2));
                         p.setBrush(QColor(255, 214, 70));
                         p.drawPath(starPath(s, r, r * 0.45, 5, rnd.uniform(-100, -80)));
                     }
                     // Crescent moon with a sleepy face.
                     QPainterPath moon;
                     moon.addEllipse(QPointF(70, 70), 48, 48);
                     QPainterPath bite;
                     bite.addEllipse(QPointF(96, 52), 42, 42);
                     p.setPen(QPen(QColor(220, 170, 40), 2.5));
                     p.setBrush(QColor(255, 230, 120));
                     p.drawPath(moon.subtracted(bite));
                     p.setPen(QPen(QColor(120, 80, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
                     p.drawArc(QRectF(38, 70, 14, 8), 180 * 16, 180 * 16);
                 }});
    d.push_back({"balloons", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(150, 214, 250), QColor(210, 240, 255));
                         cloudAt(p, QPointF(520, 455), 120);
                         cloudAt(p, QPointF(110, 462), 140);
                     }
                     const QPainterPath w = standardWindow();
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 255, 255), 6);
                     drawBunting(p, QPointF(-10, 10), QPointF(650, 10), 26, 30, 13, 0);
                     const struct {
                         double x, y, r;
                         int hue;
                     } balloons[] = {{40, 150, 30, 350}, {70, 240, 34, 50}, {30, 330, 28, 200},
                         {600, 140, 32, 280}, {580, 250, 30, 120}, {612, 340, 28, 20}};
                     for (const auto& b : balloons)
                         drawBalloon(p, QPointF(b.x, b.y), b.r, hsv(b.hue, 70, 96), 60);
                 }});
    d.push_back({"rainbow", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 236, 246), QColor(230, 244, 255));
                         dotPattern(p, QColor(255, 255, 255, 200), 28, 5);
                     }
                     const QPainterPath w = scallopRectPath(kCanvas.adjusted(44, 40, -44, -40), 30);
                     k.cutWindow(w, 3);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 170, 200), 4);
                     rainbow(p, QPointF(90, 120), 100, 12);
                     cloudAt(p, QPointF(30, 118), 90);
                     cloudAt(p, QPointF(170, 122), 80);
                     sun(p, QPointF(590, 52), 34, true);
                     cloudAt(p, QPointF(80, 440), 130);
                     cloudAt(p, QPointF(570, 420), 110);
                 }});
    d.push_back({"bears", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(255, 226, 170));
                         checkPattern(p, QColor(250, 170, 90, 120), 32);
                     }
                     const QPainterPath w = ellipseWindow(46, 34);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(200, 120, 60), 6);
                     windowRim(p, ellipseWindow(54, 42), QColor(255, 250, 235), 3, true);
                     drawAnimal(p, Animal::Bear, QPointF(80, 400), 120);
                     drawAnimal(p, Animal::Bear, QPointF(570, 80), 100);
                     drawAnimal(p, Animal::Panda, QPointF(600, 390), 70);
                     for (const QPointF& h :
                         {QPointF(40, 60), QPointF(150, 40), QPointF(500, 450), QPointF(40, 230)}) {
                         p.setPen(QPen(QColor(200, 60, 80), 1.5));
                         p.setBrush(QColor(240, 90, 110));
                         p.drawPath(heartPath(h, 26));
                     }
                 }});
    d.push_back({"bunnies", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(210, 244, 220), QColor(180, 230, 190));
                         dotPattern(p, QColor(255, 255, 255, 150), 36, 4);
                     }
                     const QPainterPath w = standardWindow();
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(120, 190, 120), 5);
                     grass(p, 438, QColor(110, 190, 90));
                     for (int i = 0; i < 5; ++i) {
                         const double x = 150 + i * 80;
                         p.save();
                         p.translate(x, 460);
                         p.rotate(-15 + i * 8);
                         QPainterPath carrot;
                         carrot.moveTo(-7, 0);
                         carrot.lineTo(7, 0);
                         carrot.lineTo(0, 30);
                         carrot.closeSubpath();
                         p.setPen(QPen(QColor(200, 100, 30), 1.2));
                         p.setBrush(QColor(250, 140, 50));
                         p.drawPath(carrot.translated(0, -14));
                         leaf(p, QPointF(0, -14), 14, -110, QColor(90, 170, 70));
                         leaf(p, QPointF(0, -14), 14, -70, QColor(90, 170, 70));
                         p.restore();
                     }
                     drawAnimal(p, Animal::Bunny, QPointF(70, 410), 96);
                     drawAnimal(p, Animal::Bunny, QPointF(590, 100), 80);
                     daisy(p, QPointF(40, 60), 22, QColor(255, 250, 250));
                     daisy(p, QPointF(110, 30), 16, QColor(255, 200, 220));
                     daisy(p, QPointF(610, 260), 18, QColor(255, 250, 250));
                     butterfly(p, QPointF(320, 26), 36, 300);
                 }});
    d.push_back(
        {"kitty", false, [](Kit& k) {
             {
                 Pen p(k);
                 fillGradient(p, QColor(226, 210, 250), QColor(246, 220, 246));
                 p.setPen(Qt::NoPen);
                 p.setBrush(QColor(255, 255, 255, 130));
                 Random rnd(5);
                 for (int i = 0; i < 40; ++i) {
                     const QPointF c(rnd.uniform(0, 640), rnd.uniform(0, 480));
                     p.drawEllipse(c, 7, 6);
                     for (int t = 0; t < 4; ++t)
                         p.drawEllipse(
                             QPointF(c.x() - 7.5 + t * 5, c.y() - 8 - (t == 1 || t == 2 ? 3 : 0)), 2.6, 3);
                 }
             }
             const QPainterPath w = roundWindow(44, 60);
             k.cutWindow(w, 4);
             Pen p(k);
             windowRim(p, w, QColor(150, 110, 200), 5);
             drawAnimal(p, Animal::Cat, QPointF(566, 410), 110);
             drawAnimal(p, Animal::Cat, QPointF(70, 76), 90);
             // Ball of yarn with its thread.
             p.setPen(QPen(QColor(200, 60, 110), 2.5));
             p.setBrush(Qt::NoBrush);
             QPainterPath thread;
             thread.moveTo(96, 430);
             thread.cubicTo(180, 470, 260, 430, 330, 462);
             p.drawPath(thread);
             p.setBrush(QColor(245, 110, 150));
             p.drawEllipse(QPointF(80, 420), 30, 30);
             for (int i = -2; i <= 2; ++i)
                 p.drawArc(QRectF(55 + i * 6, 392, 50, 56), 60 * 16, 120 * 16);
         }});
    d.push_back({"panda", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(220, 246, 210), QColor(196, 232, 190));
                     }
                     const QPainterPath w = roundWindow(52, 30);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(90, 160, 80), 5);
                     for (double x : {22.0, 48.0, 592.0, 620.0}) {
                         p.setPen(QPen(QColor(60, 130, 60), 1.5));
                         p.setBrush(QColor(110, 180, 90));
                         for (double y = -10; y < 480; y += 64) {
                             p.drawRoundedRect(QRectF(x - 8, y + 4, 16, 58), 5, 5);
                         }
                         for (double y = 40; y < 480; y += 128) {
                             leaf(p, QPointF(x, y), 34, x < 320 ? 20 : 160, QColor(120, 200, 90));
                             leaf(p, QPointF(x, y + 30), 30, x < 320 ? -20 : 200, QColor(100, 180, 80));
                         }
                     }
                     drawAnimal(p, Animal::Panda, QPointF(120, 430), 100);
                     drawAnimal(p, Animal::Panda, QPointF(520, 52), 84);
                 }});
    d.push_back(
        {"sea", false, [](Kit& k) {
             {
                 Pen p(k);
                 fillGradient(p, QColor(90, 200, 230), QColor(30, 110, 190));
             }
             const QPainterPath w = standardWindow();
             k.cutWindow(w, 4);
             Pen p(k);
             windowRim(p, w, QColor(200, 240, 255), 5);
             // Seaweed and bubbles.
             for (int i = 0; i < 3; ++i) {
                 QPainterPath weed;
                 const double x = 24 + i * 22;
                 weed.moveTo(x, 480);
                 weed.cubicTo(x - 20, 420, x + 24, 380, x - 4, 300 + i * 20);
                 p.setPen(QPen(hsv(110 + i * 15, 60, 70), 9, Qt::SolidLine, Qt::RoundCap));
                 p.setBrush(Qt::NoBrush);
                 p.drawPath(weed);
             }
             Random rnd(8);
             for (int i = 0; i < 22; ++i) {
                 const bool right = i % 2;
                 bubbleRing(p,
                     QPointF(right ? rnd.uniform(598, 630) : rnd.uniform(10, 40), rnd.uniform(20, 460)),
                     rnd.uniform(5, 14));
             }
             fish(p, QPointF(560, 60), 70, QColor(255, 150, 60), true);
             fish(p, QPointF(110, 455), 60, QColor(255, 210, 70), false);
             fish(p, QPointF(600, 440), 50, QColor(240, 110, 150), true);
             fish(p, QPointF(80, 40), 46, QColor(140, 220, 120), false);
         }});
    d.push_back({"space", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(20, 24, 70), QColor(60, 30, 100));
                         Random rnd(9);
                         scatterStars(p, rnd, 90, QColor(255, 255, 255, 220), 1.5, 4, QRectF());
                     }
                     const QPainterPath w = ellipseWindow(40, 28);
                     k.cutWindow(w, 5);
                     Pen p(k);
                     windowRim(p, w, QColor(160, 200, 255), 4);
                     planet(p, QPointF(70, 70), 40, QColor(240, 140, 90), true);
                     planet(p, QPointF(590, 410), 34, QColor(120, 170, 250), false);
                     planet(p, QPointF(40, 400), 20, QColor(180, 120, 230), false);
                     rocket(p, QPointF(580, 90), 110, 35);
                     Random rnd(10);
                     scatterStars(p, rnd, 14, QColor(255, 220, 90), 6, 12, QRectF(60, 50, 520, 380));
                 }});
    d.push_back({"candy", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(255, 200, 222));
                         stripePattern(p, QColor(255, 255, 255, 170), 16, 35);
                     }
                     const QPainterPath w = roundWindow(48, 44);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(236, 90, 140), 6);
                     windowRim(p, roundWindow(40, 50), QColor(255, 255, 255), 3, true);
                     lollipop(p, QPointF(60, 60), 38, 330, 50);
                     lollipop(p, QPointF(590, 70), 32, 190, 40);
                     lollipop(p, QPointF(600, 380), 30, 50, 40);
                     Random rnd(11);
                     for (int i = 0; i < 40; ++i) {
                         const QPointF c(rnd.uniform(0, 640), rnd.uniform(0, 480));
                         if (kCanvas.adjusted(46, 40, -46, -40).contains(c))
                             continue;
                         p.save();
                         p.translate(c);
                         p.rotate(rnd.uniform(0, 180));
                         p.setPen(Qt::NoPen);
                         p.setBrush(hsv(rnd.range(0, 359), 65, 95));
                         p.drawRoundedRect(QRectF(-7, -2.5, 14, 5), 2.5, 2.5);
                         p.restore();
                     }
                     // Wrapped sweet.
                     p.save();
                     p.translate(100, 430);
                     p.rotate(-15);
                     p.setPen(QPen(QColor(200, 120, 20), 1.5));
                     p.setBrush(QColor(255, 200, 70));
                     for (int s : {-1, 1}) {
                         QPainterPath wing;
                         wing.moveTo(s * 22, 0);
                         wing.lineTo(s * 44, -18);
                         wing.lineTo(s * 44, 18);
                         wing.closeSubpath();
                         p.drawPath(wing);
                     }
                     p.setBrush(QColor(255, 150, 60));
                     p.drawEllipse(QPointF(0, 0), 26, 20);
                     p.restore();
                 }});
    d.push_back({"flowers", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 248, 200), QColor(255, 230, 190));
                     }
                     const QPainterPath w = roundWindow(46, 40);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(240, 170, 60), 4);
                     Random rnd(12);
                     const QRectF r = kCanvas.adjusted(46, 39, -46, -39);
                     for (int i = 0; i < 30; ++i) {
                         const double t = i / 30.0;
                         QPointF c;
                         const double per = 2 * (r.width() + r.height());
                         double d0 = t * per;
                         if (d0 < r.width())
                             c = QPointF(r.left() + d0, r.top());
                         else if ((d0 -= r.width()) < r.height())
                             c = QPointF(r.right(), r.top() + d0);
                         else if ((d0 -= r.height()) < r.width())
                             c = QPointF(r.right() - d0, r.bottom());
                         else
                             c = QPointF(r.left(), r.bottom() - (d0 - r.width()));
                         const int hue = (i * 53) % 360;
                         daisy(p, c + QPointF(rnd.uniform(-8, 8), rnd.uniform(-8, 8)), rnd.uniform(14, 22),
                             i % 3 == 0 ? QColor(255, 255, 255) : hsv(hue, 40, 100));
                     }
                     butterfly(p, QPointF(560, 30), 40, 200);
                     butterfly(p, QPointF(26, 240), 34, 320);
                 }});
    d.push_back({"birthday", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 214, 230), QColor(255, 236, 210));
                         Random rnd(13);
                         p.setPen(Qt::NoPen);
                         for (int i = 0; i < 120; ++i) {
                             p.setBrush(hsv(rnd.range(0, 359), 60, 98));
                             p.drawEllipse(QPointF(rnd.uniform(0, 640), rnd.uniform(0, 480)), 3, 3);
                         }
                     }
                     const QPainterPath w = roundWindow(46, 34).translated(0, 14);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(240, 110, 150), 5);
                     drawBunting(p, QPointF(-10, 48), QPointF(650, 48), 14, 26, 16, 20);
                     ribbonBanner(p, QPointF(320, 30), 230, 44, QColor(236, 80, 120),
                         QString::fromUtf8("生日快乐"), serifFont(30, true), QColor(255, 245, 200));
                     cake(p, QPointF(84, 430), 100);
                     drawBalloon(p, QPointF(600, 120), 28, hsv(200, 60, 95), 50);
                     drawBalloon(p, QPointF(40, 150), 26, hsv(50, 70, 100), 50);
                 }});
    d.push_back({"snow", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(190, 220, 250), QColor(230, 240, 255));
                         Random rnd(14);
                         for (int i = 0; i < 50; ++i)
                             snowflake(p, QPointF(rnd.uniform(0, 640), rnd.uniform(0, 480)),
                                 rnd.uniform(4, 9), QColor(255, 255, 255, 200));
                     }
                     const QPainterPath w = scallopRectPath(kCanvas.adjusted(46, 40, -46, -40), 28);
                     k.cutWindow(w, 3);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 255, 255), 5);
                     snowman(p, QPointF(80, 474), 130);
                     snowflake(p, QPointF(590, 60), 30, QColor(110, 160, 230));
                     snowflake(p, QPointF(50, 50), 22, QColor(110, 160, 230));
                     snowflake(p, QPointF(610, 300), 20, QColor(150, 190, 240));
                     p.setPen(Qt::NoPen);
                     p.setBrush(QColor(255, 255, 255));
                     QPainterPath drift;
                     drift.moveTo(0, 480);
                     drift.quadTo(160, 440, 320, 470);
                     drift.quadTo(480, 446, 640, 466);
                     drift.lineTo(640, 480);
                     drift.closeSubpath();
                     p.drawPath(drift);
                 }});
    d.push_back({"chicks", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 248, 190), QColor(255, 236, 160));
                         dotPattern(p, QColor(255, 255, 255, 170), 30, 6);
                     }
                     const QPainterPath w = roundWindow(44, 40);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(250, 170, 40), 5);
                     grass(p, 446, QColor(140, 200, 80));
                     for (int i = 0; i < 4; ++i)
                         drawAnimal(p, Animal::Chick, QPointF(60 + i * 62, 438 - (i % 2) * 10), 56);
                     p.setPen(QPen(QColor(200, 170, 120), 1.5));
                     p.setBrush(QColor(255, 250, 236));
                     p.drawEllipse(QPointF(596, 60), 26, 32);
                     p.drawEllipse(QPointF(40, 60), 22, 28);
                     drawAnimal(p, Animal::Chick, QPointF(600, 300), 60);
                 }});
    d.push_back({"frogs", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(170, 226, 240), QColor(110, 196, 210));
                         p.setPen(QPen(QColor(255, 255, 255, 120), 2));
                         p.setBrush(Qt::NoBrush);
                         for (int i = 0; i < 8; ++i)
                             p.drawEllipse(
                                 QPointF(80 * i + 20, (i % 2) ? 40 : 450), 30 + i % 3 * 10, 8 + i % 3 * 3);
                     }
                     const QPainterPath w = ellipseWindow(44, 34);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(70, 150, 90), 5);
                     lilyPad(p, QPointF(90, 430), 70);
                     lilyPad(p, QPointF(560, 60), 60);
                     lilyPad(p, QPointF(600, 420), 44);
                     drawAnimal(p, Animal::Frog, QPointF(90, 410), 84);
                     drawAnimal(p, Animal::Frog, QPointF(560, 46), 70);
                     for (const QPointF& f : {QPointF(40, 60), QPointF(600, 250), QPointF(30, 250)}) {
                         p.setPen(QPen(QColor(230, 120, 160), 1.5));
                         p.setBrush(QColor(255, 190, 215));
                         p.drawPath(flowerPath(f, 18, 6, 0.45));
                         p.setBrush(QColor(255, 230, 120));
                         p.drawEllipse(f, 5, 5);
                     }
                 }});
    // Keyed JPEG templates: every decoration colour well away from white.
    d.push_back({"dots", true, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(240, 96, 110));
                         dotPattern(p, QColor(255, 204, 70), 34, 7);
                     }
                     const QPainterPath w = scallopRectPath(kCanvas.adjusted(40, 36, -40, -36), 34);
                     k.cutWindow(w, 2);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 180, 60), 6);
                     for (const QPointF& s : {QPointF(30, 30), QPointF(610, 30), QPointF(30, 450)}) {
                         p.setPen(QPen(QColor(180, 60, 30), 2));
                         p.setBrush(QColor(255, 200, 60));
                         p.drawPath(starPath(s, 26, 11, 5));
                     }
                 }});
    d.push_back({"zoo", true, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(120, 196, 240), QColor(90, 170, 230));
                         cloudAt(p, QPointF(90, 40), 120, QColor(200, 226, 250), QColor(150, 190, 230));
                         cloudAt(p, QPointF(540, 36), 130, QColor(200, 226, 250), QColor(150, 190, 230));
                     }
                     const QPainterPath w = roundWindow(44, 30).translated(0, -12);
                     k.cutWindow(w, 2);
                     Pen p(k);
                     windowRim(p, w, QColor(250, 190, 60), 6);
                     grass(p, 430, QColor(110, 180, 80));
                     const Animal row[] = {Animal::Bear, Animal::Pig, Animal::Cat, Animal::Fox, Animal::Frog};
                     for (int i = 0; i < 5; ++i)
                         drawAnimal(p, row[i], QPointF(70 + i * 100, 440), 70);
                 }});
    d.push_back({"stripes", true,
        [](Kit& k) {
            {
                Pen p(k);
                static const QColor bands[] = {{230, 70, 80}, {245, 140, 50}, {240, 200, 50}, {110, 190, 90},
                    {60, 150, 220}, {140, 100, 200}};
                for (int i = 0; i < 6; ++i)
                    p.fillRect(kCanvas.adjusted(i * 7, i * 7, -i * 7, -i * 7), bands[i]);
                p.fillRect(kCanvas.adjusted(42, 42, -42, -42), QColor(200, 160, 230));
            }
            const QPainterPath w = roundWindow(50, 24);
            k.cutWindow(w, 2);
            Pen p(k);
            Random rnd(17);
            for (const QPointF& s : {QPointF(24, 24), QPointF(616, 24), QPointF(24, 456), QPointF(320, 22)}) {
                p.setPen(QPen(QColor(120, 60, 140), 2));
                p.setBrush(QColor(250, 220, 70));
                p.drawPath(starPath(s, 22, 9, 5, rnd.uniform(-100, -80)));
            }
        }});
    d.push_back({"sunny", true, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 214, 90), QColor(250, 170, 80));
                         stripePattern(p, QColor(255, 200, 60), 22, -20);
                     }
                     const QPainterPath w = roundWindow(46, 40);
                     k.cutWindow(w, 2);
                     Pen p(k);
                     windowRim(p, w, QColor(230, 120, 40), 6);
                     sun(p, QPointF(64, 64), 44, true);
                     cloudAt(p, QPointF(560, 48), 140, QColor(200, 230, 250), QColor(120, 170, 220));
                     cloudAt(p, QPointF(300, 456), 120, QColor(200, 230, 250), QColor(120, 170, 220));
                     drawAnimal(p, Animal::Chick, QPointF(600, 400), 64);
                 }});
    d.push_back({"forest", true, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(250, 210, 150), QColor(220, 150, 100));
                     }
                     const QPainterPath w = ellipseWindow(52, 34);
                     k.cutWindow(w, 2);
                     Pen p(k);
                     windowRim(p, w, QColor(170, 90, 40), 6);
                     treeRound(p, QPointF(40, 480), 200, QColor(230, 120, 50));
                     treeRound(p, QPointF(600, 480), 180, QColor(200, 150, 40));
                     treeRound(p, QPointF(610, 150), 120, QColor(220, 90, 60));
                     Random rnd(19);
                     for (int i = 0; i < 24; ++i) {
                         const QPointF c(rnd.uniform(0, 640), rnd.uniform(0, 480));
                         if (QRectF(60, 40, 520, 400).contains(c))
                             continue;
                         leaf(p, c, rnd.uniform(16, 26), rnd.uniform(0, 360), hsv(rnd.range(10, 45), 80, 90));
                     }
                     drawAnimal(p, Animal::Fox, QPointF(110, 420), 90);
                     drawAnimal(p, Animal::Bear, QPointF(560, 60), 70);
                 }});
    return d;
}

} // namespace kf::art::tpl
