// Offbeat, love, magazine, poster and soft-focus templates.

#include "art/templates_kit.h"

#include <QtMath>
#include <cmath>

namespace kf::art::tpl {

namespace {

void neonStroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width)
{
    for (int i = 4; i >= 1; --i) {
        QColor c = colour;
        c.setAlpha(40 + (4 - i) * 20);
        p.setPen(QPen(c, width + i * 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(
        QPen(mix(colour, QColor(255, 255, 255), 0.6), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void halftone(
    QPainter& p, const QRectF& area, const QColor& colour, double spacing, double maxR, bool fromLeft)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (double y = area.top(); y < area.bottom(); y += spacing) {
        for (double x = area.left(); x < area.right(); x += spacing) {
            const double t = fromLeft ? (x - area.left()) / area.width() : (y - area.top()) / area.height();
            const double r = maxR * (1 - t);
            if (r > 0.6)
                p.drawEllipse(QPointF(x, y), r, r);
        }
    }
    p.restore();
}

QPainterPath burst(QPointF c, double outer, double inner, int points)
{
    return starPath(c, outer, inner, points, -90);
}

void speechBubble(QPainter& p, const QRectF& r, QPointF tail, const QString& text, const QFont& font,
    const QColor& fill, const QColor& ink)
{
    QPainterPath b;
    b.addEllipse(r);
    QPainterPath t;
    t.moveTo(r.center().x() - r.width() * 0.12, r.center().y());
    t.lineTo(tail);
    t.lineTo(r.center().x() + r.width() * 0.12, r.center().y());
    t.closeSubpath();
    b = b.united(t);
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(fill);
    p.drawPath(b);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(textPath(text, font, r.center()));
}

void heartsAround(QPainter& p, Random& rnd, int count, int hueLo, int hueHi, double minS, double maxS,
    const QRectF& avoid, int alpha = 255)
{
    p.save();
    for (int i = 0, placed = 0; placed < count && i < count * 40; ++i) {
        const QPointF c(rnd.uniform(0, 640), rnd.uniform(0, 480));
        if (avoid.contains(c))
            continue;
        const QColor col = hsv(rnd.range(hueLo, hueHi), rnd.range(45, 75), 96, alpha);
        p.setPen(QPen(col.darker(125), 1.2));
        p.setBrush(col);
        p.save();
        p.translate(c);
        p.rotate(rnd.uniform(-25, 25));
        p.drawPath(heartPath(QPointF(0, 0), rnd.uniform(minS, maxS)));
        p.restore();
        ++placed;
    }
    p.restore();
}

void lace(QPainter& p, const QRectF& r, const QColor& colour, double bump)
{
    p.save();
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    for (double x = r.left(); x < r.right(); x += bump) {
        p.drawArc(QRectF(x, r.top() - bump / 2, bump, bump), 180 * 16, 180 * 16);
        p.drawArc(QRectF(x, r.bottom() - bump / 2, bump, bump), 0, 180 * 16);
        p.drawEllipse(QPointF(x + bump / 2, r.top() + bump * 0.25), 2, 2);
        p.drawEllipse(QPointF(x + bump / 2, r.bottom() - bump * 0.25), 2, 2);
    }
    for (double y = r.top(); y < r.bottom(); y += bump) {
        p.drawArc(QRectF(r.left() - bump / 2, y, bump, bump), 270 * 16, 180 * 16);
        p.drawArc(QRectF(r.right() - bump / 2, y, bump, bump), 90 * 16, 180 * 16);
    }
    p.restore();
}

void text(QPainter& p, const QString& s, const QFont& f, QPointF c, const QColor& fill,
    const QColor& outline = QColor(), double ow = 0)
{
    outlinedText(p, s, f, c, fill, outline, ow);
}

void leftText(QPainter& p, const QString& s, const QFont& f, QPointF leftCentre, const QColor& fill,
    const QColor& outline = QColor(), double ow = 0)
{
    const double w = QFontMetricsF(f).horizontalAdvance(s);
    outlinedText(p, s, f, QPointF(leftCentre.x() + w / 2, leftCentre.y()), fill, outline, ow);
}

void rightText(QPainter& p, const QString& s, const QFont& f, QPointF rightCentre, const QColor& fill,
    const QColor& outline = QColor(), double ow = 0)
{
    const double w = QFontMetricsF(f).horizontalAdvance(s);
    outlinedText(p, s, f, QPointF(rightCentre.x() - w / 2, rightCentre.y()), fill, outline, ow);
}

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

void filmStars(QPainter& p, QPointF c, int n, const QColor& colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < n; ++i)
        p.drawPath(starPath(QPointF(c.x() + (i - (n - 1) / 2.0) * 22, c.y()), 9, 4, 5));
    p.restore();
}

// Magazine covers keep the photo full size: a masthead over the top, cover
// lines along the sides and a barcode at the bottom left.
void magazineCover(Kit& k, const QString& title, const QString& latin, const QColor& titleColour,
    const QStringList& leftLines, const QStringList& rightLines, const QString& issue, std::uint64_t seed,
    bool jpeg)
{
    if (jpeg) {
        {
            Pen p(k);
            p.fillRect(kCanvas, titleColour.darker(135));
        }
        k.cutWindow(roundedRectPath(QRectF(14, 92, 612, 374), 4), 1);
        Pen p(k);
        text(p, title, serifFont(62, true), QPointF(250, 48), QColor(250, 226, 150));
        leftText(p, latin, sansFont(18, true), QPointF(420, 30), QColor(250, 200, 200));
        leftText(p, issue, sansFont(13, true), QPointF(420, 58), QColor(240, 210, 190));
        for (int i = 0; i < leftLines.size(); ++i) {
            const QRectF tag(14, 120 + i * 70, 150, 40);
            p.setPen(Qt::NoPen);
            p.setBrush(titleColour);
            p.drawRect(tag);
            leftText(
                p, leftLines[i], sansFont(18, true), QPointF(22, tag.center().y()), QColor(250, 236, 200));
        }
        for (int i = 0; i < rightLines.size(); ++i) {
            const QRectF tag(500, 150 + i * 70, 126, 36);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 40, 50));
            p.drawRect(tag);
            rightText(
                p, rightLines[i], sansFont(16, true), QPointF(618, tag.center().y()), QColor(250, 220, 120));
        }
        barcode(p, QRectF(20, 398, 96, 58), seed, QColor(30, 30, 30), QColor(200, 200, 200));
        return;
    }
    {
        Pen p(k);
        // Light shade at the top and bottom so the lines read on any photo.
        QLinearGradient top(0, 0, 0, 140);
        top.setColorAt(0, QColor(0, 0, 0, 110));
        top.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(0, 0, 640, 140), top);
    }
    Pen p(k);
    const QFont mast = serifFont(84, true);
    text(p, title, mast, QPointF(320, 62), titleColour, QColor(255, 255, 255), 2.5);
    text(p, latin, sansFont(16, true), QPointF(320, 118), QColor(255, 255, 255), QColor(0, 0, 0, 140), 1.5);
    rightText(
        p, issue, sansFont(13, true), QPointF(626, 16), QColor(255, 255, 255), QColor(0, 0, 0, 150), 1.5);
    for (int i = 0; i < leftLines.size(); ++i) {
        const bool big = i == 0;
        leftText(p, leftLines[i], sansFont(big ? 30 : 19, true), QPointF(18, 180 + i * 56),
            big ? QColor(255, 230, 60) : QColor(255, 255, 255), QColor(0, 0, 0, 170), 2);
    }
    for (int i = 0; i < rightLines.size(); ++i)
        rightText(p, rightLines[i], sansFont(18, true), QPointF(622, 240 + i * 48), QColor(255, 255, 255),
            titleColour.darker(140), 2);
    barcode(p, QRectF(18, 404, 92, 58), seed, QColor(20, 20, 20), QColor(255, 255, 255));
}

} // namespace

std::vector<Design> offbeatDesigns()
{
    std::vector<Design> d;
    d.push_back({"neon", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(20, 10, 40), QColor(40, 10, 50));
                     }
                     const QPainterPath w = roundWindow(50, 20);
                     k.cutWindow(w, 3);
                     Pen p(k);
                     neonStroke(p, roundWindow(40, 26), QColor(255, 60, 200), 3);
                     neonStroke(p, roundWindow(28, 32), QColor(40, 230, 255), 2.5);
                     QPainterPath zig;
                     zig.moveTo(20, 460);
                     for (int i = 1; i <= 8; ++i)
                         zig.lineTo(20 + i * 14, i % 2 ? 446 : 460);
                     neonStroke(p, zig, QColor(255, 240, 60), 2);
                     neonStroke(p, textPath(QStringLiteral("PARTY"), sansFont(34, true), QPointF(548, 18)),
                         QColor(255, 80, 200), 1.2);
                     neonStroke(p, burst(QPointF(40, 40), 20, 9, 5), QColor(40, 230, 255), 2);
                 }});
    d.push_back({"popart", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(255, 220, 40));
                         halftone(p, QRectF(0, 0, 640, 480), QColor(240, 60, 70), 14, 5.5, true);
                     }
                     const QPainterPath w = roundWindow(46, 8);
                     k.cutWindow(w, 1);
                     Pen p(k);
                     windowRim(p, w, QColor(20, 20, 20), 7);
                     p.setPen(QPen(QColor(20, 20, 20), 4));
                     p.setBrush(QColor(255, 255, 255));
                     p.drawPath(burst(QPointF(560, 60), 80, 52, 14));
                     text(p, u("哇！"), sansFont(40, true), QPointF(560, 60), QColor(230, 40, 60),
                         QColor(20, 20, 20), 2);
                     speechBubble(p, QRectF(14, 380, 170, 80), QPointF(120, 360), u("好酷！"),
                         sansFont(30, true), QColor(255, 255, 255), QColor(30, 60, 200));
                 }});
    d.push_back({"geometry", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(30, 40, 60));
                         Random rnd(31);
                         const int hues[] = {170, 20, 280, 45, 200};
                         for (int y = 0; y < 480; y += 40) {
                             for (int x = 0; x < 640; x += 40) {
                                 QPainterPath t;
                                 const bool up = ((x + y) / 40) % 2;
                                 t.moveTo(x, y + (up ? 40 : 0));
                                 t.lineTo(x + 40, y + (up ? 40 : 0));
                                 t.lineTo(x + 20, y + (up ? 0 : 40));
                                 t.closeSubpath();
                                 p.setPen(Qt::NoPen);
                                 p.setBrush(hsv(hues[rnd.range(0, 4)], 60, rnd.range(70, 95)));
                                 p.drawPath(t);
                             }
                         }
                     }
                     QPainterPath w;
                     w.moveTo(120, 40);
                     w.lineTo(520, 40);
                     w.lineTo(600, 240);
                     w.lineTo(520, 440);
                     w.lineTo(120, 440);
                     w.lineTo(40, 240);
                     w.closeSubpath();
                     k.cutWindow(w, 2);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 255, 255), 5);
                     QPainterPath w2;
                     w2.addPolygon(QPolygonF({QPointF(110, 30), QPointF(530, 30), QPointF(612, 240),
                         QPointF(530, 450), QPointF(110, 450), QPointF(28, 240), QPointF(110, 30)}));
                     windowRim(p, w2, QColor(255, 200, 60), 2);
                 }});
    d.push_back({"retro", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(60, 20, 90), QColor(250, 90, 140));
                         // Grid floor.
                         p.setPen(QPen(QColor(255, 120, 220, 200), 2));
                         for (int i = 0; i < 9; ++i)
                             p.drawLine(QPointF(320, 330), QPointF(-400 + i * 180, 480));
                         for (int i = 0; i < 6; ++i)
                             p.drawLine(QPointF(0, 360 + i * i * 4.5), QPointF(640, 360 + i * i * 4.5));
                         QRadialGradient sunG(QPointF(320, 250), 120);
                         sunG.setColorAt(0, QColor(255, 240, 120));
                         sunG.setColorAt(1, QColor(255, 90, 120));
                         p.setPen(Qt::NoPen);
                         p.setBrush(sunG);
                         p.drawEllipse(QPointF(320, 250), 110, 110);
                     }
                     const QPainterPath w = roundWindow(70, 50).translated(0, -8);
                     k.cutWindow(w, 3);
                     Pen p(k);
                     windowRim(p, roundWindow(70, 50).translated(0, -8), QColor(80, 240, 255), 4);
                     text(p, u("复古时光"), serifFont(36, true), QPointF(320, 454), QColor(255, 236, 120),
                         QColor(120, 20, 100), 3);
                     text(p, QStringLiteral("RETRO"), sansFont(22, true), QPointF(320, 26),
                         QColor(80, 240, 255), QColor(60, 20, 90), 2);
                 }});
    d.push_back(
        {"memphis", true, [](Kit& k) {
             {
                 Pen p(k);
                 p.fillRect(kCanvas, QColor(250, 200, 190));
                 Random rnd(35);
                 for (int i = 0; i < 40; ++i) {
                     const QPointF c(rnd.uniform(0, 640), rnd.uniform(0, 480));
                     const QColor col = hsv(rnd.range(0, 359), 70, 85);
                     p.setPen(QPen(col, 5, Qt::SolidLine, Qt::RoundCap));
                     p.setBrush(Qt::NoBrush);
                     switch (i % 3) {
                     case 0: {
                         QPainterPath sq;
                         sq.moveTo(c);
                         for (int j = 1; j <= 4; ++j)
                             sq.quadTo(c.x() + j * 12 - 6, c.y() + (j % 2 ? -10 : 10), c.x() + j * 12, c.y());
                         p.drawPath(sq);
                         break;
                     }
                     case 1:
                         p.setPen(Qt::NoPen);
                         p.setBrush(col);
                         p.drawPath(starPath(c, 12, 12 * 0.5, 3, rnd.uniform(0, 120)));
                         break;
                     default:
                         p.drawEllipse(c, 9, 9);
                     }
                 }
             }
             const QPainterPath w = roundWindow(56, 4);
             k.cutWindow(w, 1);
             Pen p(k);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(40, 40, 60));
             p.drawPath(w.translated(10, 10).subtracted(w));
             windowRim(p, w, QColor(40, 40, 60), 4);
         }});
    d.push_back({"comic", true, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(80, 170, 230));
                         halftone(p, QRectF(0, 0, 640, 480), QColor(40, 110, 200), 12, 4.5, false);
                     }
                     QPainterPath w;
                     w.addPolygon(QPolygonF({QPointF(44, 60), QPointF(600, 36), QPointF(610, 430),
                         QPointF(30, 446), QPointF(44, 60)}));
                     k.cutWindow(w, 1);
                     Pen p(k);
                     windowRim(p, w, QColor(20, 20, 30), 8);
                     p.setPen(QPen(QColor(20, 20, 30), 4));
                     p.setBrush(QColor(255, 220, 50));
                     p.drawPath(burst(QPointF(70, 50), 70, 44, 12));
                     text(p, u("砰！"), sansFont(34, true), QPointF(70, 50), QColor(220, 30, 40),
                         QColor(20, 20, 30), 1.5);
                     speechBubble(p, QRectF(470, 400, 150, 66), QPointF(520, 380), u("超酷"),
                         sansFont(26, true), QColor(255, 220, 50), QColor(20, 20, 30));
                 }});
    return d;
}

std::vector<Design> loveDesigns()
{
    std::vector<Design> d;
    d.push_back({"hearts", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 200, 216), QColor(255, 160, 190));
                         Random rnd(41);
                         heartsAround(p, rnd, 60, 330, 359, 14, 30, QRectF(), 120);
                     }
                     const QPainterPath w = ellipseWindow(44, 32);
                     k.cutWindow(w, 5);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 255, 255), 4);
                     Random rnd(42);
                     heartsAround(p, rnd, 18, 340, 359, 24, 46, QRectF(90, 60, 460, 360));
                     p.setPen(QPen(QColor(180, 20, 60), 2));
                     p.setBrush(QColor(230, 40, 80));
                     p.drawPath(heartPath(QPointF(70, 70), 80));
                     text(p, u("我爱你"), serifFont(22, true), QPointF(70, 66), QColor(255, 240, 240));
                 }});
    d.push_back({"roses", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(255, 240, 244), QColor(250, 224, 232));
                         lace(p, kCanvas.adjusted(16, 16, -16, -16), QColor(240, 180, 200), 26);
                     }
                     const QPainterPath w = roundWindow(48, 60);
                     k.cutWindow(w, 4);
                     Pen p(k);
                     windowRim(p, w, QColor(210, 80, 110), 3);
                     for (const QPointF& c : {QPointF(60, 60), QPointF(580, 420)}) {
                         for (int i = 0; i < 5; ++i)
                             leaf(p, c, 50, i * 72 + 20, QColor(90, 160, 90));
                         rose(p, c, 40, QColor(220, 40, 70));
                         rose(p, c + QPointF(c.x() < 320 ? 52 : -52, 10), 26, QColor(250, 120, 150));
                         rose(p, c + QPointF(10, c.y() < 240 ? 50 : -50), 24, QColor(240, 90, 120));
                     }
                     ribbonBanner(p, QPointF(320, 452), 200, 40, QColor(220, 50, 90), u("我爱你"),
                         serifFont(26, true), QColor(255, 240, 220));
                 }});
    d.push_back({"ribbon", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(200, 30, 60));
                         stripePattern(p, QColor(230, 70, 100, 160), 10, 45);
                     }
                     const QPainterPath w = heartPath(QPointF(320, 236), 600);
                     QPainterPath win = w.united(roundWindow(60, 40).translated(0, -10));
                     k.cutWindow(ellipseWindow(40, 26), 4);
                     Pen p(k);
                     windowRim(p, ellipseWindow(40, 26), QColor(255, 210, 120), 5);
                     // Bow at the top centre.
                     p.setPen(QPen(QColor(150, 110, 20), 2));
                     p.setBrush(QColor(255, 210, 90));
                     for (int s : {-1, 1}) {
                         QPainterPath loop;
                         loop.moveTo(320, 30);
                         loop.cubicTo(320 + s * 70, -20, 320 + s * 90, 70, 320, 30);
                         p.drawPath(loop);
                     }
                     p.drawEllipse(QPointF(320, 30), 12, 10);
                     text(p, QStringLiteral("LOVE"), serifFont(30, true), QPointF(80, 452),
                         QColor(255, 220, 130), QColor(120, 10, 40), 2);
                     Random rnd(43);
                     heartsAround(p, rnd, 10, 0, 20, 16, 28, QRectF(60, 40, 520, 400));
                 }});
    d.push_back({"letter", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(250, 236, 220));
                         // Air-mail edge.
                         p.save();
                         p.setClipPath(roundWindow(0, 0).subtracted(roundWindow(18, 0)));
                         stripePattern(p, QColor(220, 60, 70), 18, 45);
                         p.restore();
                     }
                     const QPainterPath w = roundWindow(52, 10);
                     k.cutWindow(w, 3);
                     Pen p(k);
                     windowRim(p, w, QColor(180, 140, 110), 2, true);
                     // Stamp with a heart.
                     const QRectF stamp(540, 26, 78, 92);
                     p.setPen(QPen(QColor(160, 120, 100), 1.5));
                     p.setBrush(QColor(255, 250, 240));
                     p.drawPath(scallopRectPath(stamp, 10));
                     p.setBrush(QColor(240, 110, 130));
                     p.drawRect(stamp.adjusted(10, 10, -10, -10));
                     p.setBrush(QColor(255, 240, 200));
                     p.drawPath(heartPath(stamp.center(), 36));
                     p.setPen(QPen(QColor(120, 70, 60), 2));
                     p.setBrush(Qt::NoBrush);
                     p.drawEllipse(QPointF(520, 110), 34, 34);
                     text(p, u("爱你一生"), serifFont(26, true), QPointF(140, 452), QColor(200, 50, 80));
                     text(p, QStringLiteral("I \u2665 U"), serifFont(26, true), QPointF(100, 26),
                         QColor(200, 50, 80));
                 }});
    d.push_back({"heartframe", true, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(230, 60, 100), QColor(190, 30, 70));
                         Random rnd(45);
                         heartsAround(p, rnd, 40, 340, 359, 16, 30, QRectF(), 255);
                     }
                     const QPainterPath w = heartPath(QPointF(320, 250), 620);
                     k.cutWindow(w.united(ellipseWindow(110, 60)), 1);
                     Pen p(k);
                     windowRim(p, w.united(ellipseWindow(110, 60)), QColor(250, 200, 90), 6);
                 }});
    d.push_back({"sweet", true, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(250, 170, 190));
                         dotPattern(p, QColor(250, 140, 170), 26, 6);
                     }
                     const QPainterPath w = scallopRectPath(kCanvas.adjusted(44, 40, -44, -56), 26);
                     k.cutWindow(w, 1);
                     Pen p(k);
                     windowRim(p, w, QColor(220, 80, 120), 4);
                     text(p, u("甜蜜时光"), serifFont(28, true), QPointF(320, 454), QColor(160, 30, 70));
                     Random rnd(46);
                     heartsAround(p, rnd, 8, 345, 359, 20, 34, QRectF(50, 40, 540, 380));
                 }});
    return d;
}

std::vector<Design> magazineDesigns()
{
    std::vector<Design> d;
    d.push_back({"fashion", false, [](Kit& k) {
                     magazineCover(k, u("时尚"), QStringLiteral("FASHION WEEKLY"), QColor(220, 30, 50),
                         {u("春季新潮流"), u("独家专访"), u("美丽秘诀")}, {u("穿搭指南"), u("封面人物")},
                         u("第 08 期  ¥20"), 880801, false);
                 }});
    d.push_back({"star", false, [](Kit& k) {
                     magazineCover(k, u("明星志"), QStringLiteral("STAR STYLE"), QColor(255, 200, 40),
                         {u("今日封面之星"), u("幕后花絮"), u("红毯风采")}, {u("独家写真"), u("粉丝见面")},
                         u("2024 夏季号"), 2024, false);
                 }});
    d.push_back({"travel", false, [](Kit& k) {
                     magazineCover(k, u("旅行家"), QStringLiteral("THE TRAVELLER"), QColor(30, 170, 170),
                         {u("发现世界之美"), u("十大海岛"), u("美食地图")}, {u("背包攻略"), u("摄影手记")},
                         u("第 12 期"), 1212, false);
                 }});
    d.push_back({"life", true, [](Kit& k) {
                     magazineCover(k, u("生活"), QStringLiteral("LIFE & JOY"), QColor(200, 60, 40),
                         {u("快乐每一天"), u("家居灵感"), u("健康饮食"), u("周末去哪儿")},
                         {u("封面故事"), u("名人访谈")}, u("第 03 期 ¥15"), 303, true);
                 }});
    d.push_back({"trend", true, [](Kit& k) {
                     magazineCover(k, u("潮流"), QStringLiteral("TREND"), QColor(40, 90, 200),
                         {u("街头风尚"), u("潮人推荐"), u("新品速递"), u("音乐现场")},
                         {u("独家专访"), u("本期焦点")}, u("2024 春季号"), 2402, true);
                 }});
    d.push_back({"people", false, [](Kit& k) {
                     magazineCover(k, u("人物"), QStringLiteral("PEOPLE TODAY"), QColor(120, 40, 160),
                         {u("年度风云人物"), u("真情告白"), u("成长故事")}, {u("独家对话"), u("精彩瞬间")},
                         u("第 21 期 ¥18"), 2121, false);
                 }});
    return d;
}

std::vector<Design> posterDesigns()
{
    std::vector<Design> d;
    d.push_back({"movie", false, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(10, 10, 20), QColor(30, 20, 40));
                     }
                     const QPainterPath w = roundedRectPath(QRectF(30, 70, 580, 330), 2);
                     k.cutWindow(w, 8);
                     Pen p(k);
                     text(p, u("超级巨星"), serifFont(50, true), QPointF(320, 38), QColor(255, 210, 90),
                         QColor(120, 60, 0), 1.5);
                     text(p, u("年度最受期待大片 · 即将上映"), sansFont(18, true), QPointF(320, 424),
                         QColor(255, 255, 255));
                     text(p, u("导演 小快门   主演 你   出品 Snapolia 影业"), sansFont(12, false),
                         QPointF(270, 454), QColor(190, 190, 200));
                     filmStars(p, QPointF(110, 424 - 30), 5, QColor(255, 200, 60));
                 }});
    d.push_back(
        {"wanted", false, [](Kit& k) {
             {
                 Pen p(k);
                 QRadialGradient g(QPointF(320, 240), 420);
                 g.setColorAt(0, QColor(240, 220, 170));
                 g.setColorAt(1, QColor(190, 150, 90));
                 p.fillRect(kCanvas, g);
                 Random rnd(52);
                 p.setPen(Qt::NoPen);
                 for (int i = 0; i < 300; ++i) {
                     p.setBrush(QColor(120, 80, 40, rnd.range(10, 40)));
                     p.drawEllipse(QPointF(rnd.uniform(0, 640), rnd.uniform(0, 480)), rnd.uniform(1, 4),
                         rnd.uniform(1, 4));
                 }
             }
             const QPainterPath w = roundedRectPath(QRectF(64, 76, 512, 320), 3);
             k.cutWindow(w, 2);
             Pen p(k);
             windowRim(p, w, QColor(80, 50, 20), 5);
             text(p, u("通 缉 令"), serifFont(56, true), QPointF(320, 44), QColor(90, 40, 10));
             text(p, u("赏金  ¥ 1,000,000"), serifFont(30, true), QPointF(320, 416), QColor(140, 30, 20));
             text(p, u("罪名：笑得太灿烂"), sansFont(17, true), QPointF(320, 452), QColor(90, 50, 20));
             for (const QPointF& c :
                 {QPointF(30, 30), QPointF(610, 30), QPointF(30, 450), QPointF(610, 450)}) {
                 p.setPen(QPen(QColor(80, 60, 40), 1.5));
                 p.setBrush(QColor(150, 130, 110));
                 p.drawEllipse(c, 7, 7);
             }
         }});
    d.push_back({"hero", false, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(20, 20, 24));
                         p.setPen(Qt::NoPen);
                         p.setBrush(QColor(200, 20, 30));
                         QPainterPath slash;
                         slash.moveTo(0, 360);
                         slash.lineTo(640, 300);
                         slash.lineTo(640, 480);
                         slash.lineTo(0, 480);
                         slash.closeSubpath();
                         p.drawPath(slash);
                     }
                     QPainterPath w;
                     w.addPolygon(QPolygonF({QPointF(40, 30), QPointF(600, 30), QPointF(600, 310),
                         QPointF(40, 370), QPointF(40, 30)}));
                     k.cutWindow(w, 3);
                     Pen p(k);
                     windowRim(p, w, QColor(255, 255, 255), 3);
                     text(p, u("英雄归来"), serifFont(60, true), QPointF(300, 418), QColor(255, 255, 255),
                         QColor(20, 20, 24), 2);
                     text(p, QStringLiteral("THE HERO RETURNS"), sansFont(15, true), QPointF(220, 462),
                         QColor(255, 210, 200));
                 }});
    d.push_back(
        {"concert", true, [](Kit& k) {
             {
                 Pen p(k);
                 fillGradient(p, QColor(60, 20, 110), QColor(150, 30, 120));
                 p.setPen(Qt::NoPen);
                 for (int i = 0; i < 4; ++i) {
                     QPainterPath beam;
                     beam.moveTo(80 + i * 160, 0);
                     beam.lineTo(40 + i * 160, 480);
                     beam.lineTo(130 + i * 160, 480);
                     beam.closeSubpath();
                     p.setBrush(QColor(200, 90, 200));
                     p.drawPath(beam);
                 }
             }
             const QPainterPath w = ellipseWindow(48, 38).translated(0, -16);
             k.cutWindow(w, 1);
             Pen p(k);
             windowRim(p, w, QColor(250, 210, 60), 6);
             text(p, u("星光演唱会"), serifFont(34, true), QPointF(320, 457), QColor(255, 214, 70),
                 QColor(60, 20, 110), 2);
             for (const QPointF& c : {QPointF(50, 60), QPointF(590, 80), QPointF(600, 330), QPointF(40, 340)})
                 musicNote(p, c, 40, QColor(250, 200, 80));
         }});
    d.push_back({"romance", true, [](Kit& k) {
                     {
                         Pen p(k);
                         fillGradient(p, QColor(200, 60, 90), QColor(90, 20, 60));
                     }
                     const QPainterPath w = roundedRectPath(QRectF(24, 24, 592, 360), 6);
                     k.cutWindow(w, 1);
                     Pen p(k);
                     text(p, u("恋恋时光"), serifFont(46, true), QPointF(320, 420), QColor(250, 200, 200));
                     text(p, u("一生只为遇见你 · 情人节献映"), sansFont(15, true), QPointF(320, 458),
                         QColor(240, 180, 140));
                     p.setPen(QPen(QColor(120, 20, 50), 2));
                     p.setBrush(QColor(240, 120, 150));
                     p.drawPath(heartPath(QPointF(96, 420), 40));
                     p.drawPath(heartPath(QPointF(544, 420), 40));
                 }});
    d.push_back({"champion", true, [](Kit& k) {
                     {
                         Pen p(k);
                         p.fillRect(kCanvas, QColor(20, 90, 180));
                         stripePattern(p, QColor(30, 110, 200), 30, -30);
                     }
                     const QPainterPath w = roundedRectPath(QRectF(40, 80, 560, 300), 14);
                     k.cutWindow(w, 1);
                     Pen p(k);
                     windowRim(p, w, QColor(250, 200, 40), 6);
                     text(p, u("冠军时刻"), serifFont(52, true), QPointF(320, 42), QColor(250, 210, 60),
                         QColor(10, 40, 90), 2);
                     text(p, u("为梦想而战 · 荣耀属于你"), sansFont(20, true), QPointF(320, 424),
                         QColor(250, 230, 160));
                     filmStars(p, QPointF(320, 458), 5, QColor(250, 200, 40));
                 }});
    return d;
}

std::vector<Design> softDesigns()
{
    std::vector<Design> d;
    struct Soft {
        const char* name;
        QColor a, b;
        int feature;
    };
    static const Soft softs[] = {
        {"pink", QColor(255, 214, 226), QColor(255, 236, 242), 0},
        {"lavender", QColor(226, 214, 252), QColor(244, 236, 255), 1},
        {"peach", QColor(255, 222, 196), QColor(255, 242, 226), 2},
        {"mint", QColor(206, 244, 226), QColor(236, 252, 244), 3},
        {"sky", QColor(206, 228, 252), QColor(236, 246, 255), 4},
        {"cream", QColor(250, 240, 210), QColor(255, 250, 236), 5},
    };
    for (const Soft& s : softs) {
        d.push_back(
            {s.name, false, [s](Kit& k) {
                 {
                     Pen p(k);
                     QRadialGradient g(QPointF(320, 240), 420);
                     g.setColorAt(0, s.b);
                     g.setColorAt(1, s.a);
                     p.fillRect(kCanvas, g);
                     // Bokeh circles in the haze.
                     Random rnd(600 + s.feature);
                     p.setPen(Qt::NoPen);
                     for (int i = 0; i < 30; ++i) {
                         const QPointF c(rnd.uniform(0, 640), rnd.uniform(0, 480));
                         const double r = rnd.uniform(10, 34);
                         QRadialGradient bg(c, r);
                         bg.setColorAt(0, QColor(255, 255, 255, 150));
                         bg.setColorAt(1, QColor(255, 255, 255, 0));
                         p.setBrush(bg);
                         p.drawEllipse(c, r, r);
                     }
                 }
                 k.cutVignette(QRectF(110, 70, 420, 340), 150, 0.92);
                 Pen p(k);
                 const QColor ink = mix(s.a, QColor(110, 50, 90), 0.8);
                 switch (s.feature) {
                 case 0: {
                     Random rnd(700);
                     heartsAround(p, rnd, 14, 330, 359, 10, 22, QRectF(70, 40, 500, 400), 170);
                     text(p, u("朦胧之美"), serifFont(26, true), QPointF(320, 450), ink);
                     break;
                 }
                 case 1:
                     for (int i = 0; i < 12; ++i) {
                         const double a = i * M_PI / 6;
                         p.setPen(Qt::NoPen);
                         p.setBrush(QColor(255, 255, 255, 200));
                         p.drawPath(sparklePath(
                             QPointF(320 + 300 * std::cos(a), 240 + 225 * std::sin(a)), 10 + (i % 3) * 4));
                     }
                     text(p, u("梦幻"), serifFont(28, true), QPointF(570, 40), ink);
                     break;
                 case 2:
                     for (const QPointF& c : {QPointF(50, 50), QPointF(590, 430)}) {
                         p.setOpacity(0.8);
                         rose(p, c, 30, QColor(250, 170, 150));
                         rose(p, c + QPointF(c.x() < 320 ? 44 : -44, 6), 20, QColor(255, 200, 180));
                         p.setOpacity(1);
                     }
                     text(p, u("温柔时光"), serifFont(24, true), QPointF(320, 30), ink);
                     break;
                 case 3:
                     p.setOpacity(0.85);
                     for (int corner = 0; corner < 2; ++corner) {
                         // A sprig: a curved stem with leaves on both sides.
                         const QPointF a = corner ? QPointF(640, 0) : QPointF(0, 480);
                         const QPointF c1 = corner ? QPointF(560, 30) : QPointF(80, 450);
                         const QPointF b = corner ? QPointF(500, 120) : QPointF(140, 360);
                         QPainterPath stem;
                         stem.moveTo(a);
                         stem.quadTo(c1, b);
                         p.setPen(QPen(QColor(110, 170, 120), 3, Qt::SolidLine, Qt::RoundCap));
                         p.setBrush(Qt::NoBrush);
                         p.drawPath(stem);
                         for (int i = 1; i < 8; ++i) {
                             const double t = i / 8.0;
                             const QPointF pt = stem.pointAtPercent(t);
                             const double ang = -stem.angleAtPercent(t);
                             leaf(p, pt, 30 - i * 2, ang + (i % 2 ? 50 : -50), QColor(150, 214, 170));
                         }
                     }
                     p.setOpacity(1);
                     text(p, u("清新"), serifFont(28, true), QPointF(80, 40), ink);
                     break;
                 case 4: {
                     p.setOpacity(0.85);
                     for (const QPointF& c : {QPointF(90, 50), QPointF(560, 60), QPointF(520, 440)}) {
                         p.setPen(Qt::NoPen);
                         p.setBrush(QColor(255, 255, 255));
                         p.drawPath(cloudPath(c, 120));
                     }
                     p.setOpacity(1);
                     text(p, u("晴空"), serifFont(26, true), QPointF(90, 446), ink);
                     break;
                 }
                 default:
                     p.setPen(QPen(QColor(220, 190, 130, 200), 2));
                     p.setBrush(Qt::NoBrush);
                     p.drawPath(roundWindow(14, 30));
                     p.drawPath(roundWindow(22, 24));
                     text(p, u("岁月静好"), serifFont(24, true), QPointF(320, 452), ink);
                     break;
                 }
             }});
    }
    return d;
}

} // namespace kf::art::tpl
