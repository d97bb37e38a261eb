#include "art/paint.h"

#include "art/layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace kf::art {

std::uint64_t Random::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform(double lo, double hi)
{
    return lo + (hi - lo) * (static_cast<double>(next() >> 11) / 9007199254740992.0);
}

int Random::range(int lo, int hiInclusive)
{
    return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hiInclusive - lo + 1));
}

namespace {

QFont makeFont(const char* family, double pixelSize, bool bold)
{
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace

QFont sansFont(double pixelSize, bool bold)
{
    return makeFont("Noto Sans CJK SC", pixelSize, bold);
}

QFont serifFont(double pixelSize, bool bold)
{
    return makeFont("Noto Serif CJK SC", pixelSize, bold);
}

bool fontsAvailable(QString* missing)
{
    const QStringList families = QFontDatabase::families();
    QStringList absent;
    for (const char* name : {"Noto Sans CJK SC", "Noto Serif CJK SC"}) {
        if (!families.contains(QString::fromLatin1(name)))
            absent << QString::fromLatin1(name);
    }
    if (missing)
        *missing = absent.join(QStringLiteral(", "));
    return absent.isEmpty();
}

QColor hsv(int hue, int saturationPercent, int valuePercent, int alpha)
{
    return QColor::fromHsv(((hue % 360) + 360) % 360, std::clamp(saturationPercent, 0, 100) * 255 / 100,
        std::clamp(valuePercent, 0, 100) * 255 / 100, alpha);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(
        m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()), m(a.alpha(), b.alpha()));
}

QPainterPath radialPolygon(QPointF c, int n, double startDeg, const std::function<double(int)>& radius)
{
    QPainterPath path;
    for (int i = 0; i < n; ++i) {
        const double a = qDegreesToRadians(startDeg + i * 360.0 / n);
        const double r = radius(i);
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath spiralPath(QPointF c, double radius, double turns, int steps)
{
    QPainterPath path;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double a = t * turns * 2 * M_PI;
        const QPointF pt(c.x() + radius * t * std::cos(a), c.y() + radius * t * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    return path;
}

QPainterPath starPath(QPointF c, double outer, double inner, int points, double rotationDeg)
{
    return radialPolygon(c, points * 2, rotationDeg, [=](int i) { return (i % 2 == 0) ? outer : inner; });
}

QPainterPath heartPath(QPointF c, double size)
{
    // Two arcs and a point; size is the heart's width.
    const double s = size / 2.0;
    QPainterPath path;
    path.moveTo(c.x(), c.y() + s * 0.95);
    path.cubicTo(c.x() - s * 0.35, c.y() + s * 0.6, c.x() - s * 1.0, c.y() + s * 0.15, c.x() - s * 1.0,
        c.y() - s * 0.3);
    path.cubicTo(
        c.x() - s * 1.0, c.y() - s * 0.85, c.x() - s * 0.3, c.y() - s * 1.05, c.x(), c.y() - s * 0.5);
    path.cubicTo(c.x() + s * 0.3, c.y() - s * 1.05, c.x() + s * 1.0, c.y() - s * 0.85, c.x() + s * 1.0,
        c.y() - s * 0.3);
    path.cubicTo(
        c.x() + s * 1.0, c.y() + s * 0.15, c.x() + s * 0.35, c.y() + s * 0.6, c.x(), c.y() + s * 0.95);
    path.closeSubpath();
    return path;
}

QPainterPath cloudPath(QPointF c, double width)
{
    const double w = width;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addEllipse(QPointF(c.x() - w * 0.28, c.y() + w * 0.04), w * 0.22, w * 0.17);
    path.addEllipse(QPointF(c.x() - w * 0.05, c.y() - w * 0.08), w * 0.26, w * 0.24);
    path.addEllipse(QPointF(c.x() + w * 0.24, c.y() - w * 0.01), w * 0.22, w * 0.19);
    path.addRoundedRect(QRectF(c.x() - w * 0.46, c.y() - w * 0.02, w * 0.92, w * 0.2), w * 0.1, w * 0.1);
    return path.simplified();
}

QPainterPath roundedRectPath(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath scallopRectPath(const QRectF& r, double bump)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(r.adjusted(bump * 0.5, bump * 0.5, -bump * 0.5, -bump * 0.5));
    const int nx = std::max(2, static_cast<int>(r.width() / (bump * 1.6)));
    const int ny = std::max(2, static_cast<int>(r.height() / (bump * 1.6)));
    for (int i = 0; i <= nx; ++i) {
        const double x = r.left() + bump * 0.5 + (r.width() - bump) * i / nx;
        path.addEllipse(QPointF(x, r.top() + bump * 0.5), bump * 0.5, bump * 0.5);
        path.addEllipse(QPointF(x, r.bottom() - bump * 0.5), bump * 0.5, bump * 0.5);
    }
    for (int i = 0; i <= ny; ++i) {
        const double y = r.top() + bump * 0.5 + (r.height() - bump) * i / ny;
        path.addEllipse(QPointF(r.left() + bump * 0.5, y), bump * 0.5, bump * 0.5);
        path.addEllipse(QPointF(r.right() - bump * 0.5, y), bump * 0.5, bump * 0.5);
    }
    return path.simplified();
}

QPainterPath flowerPath(QPointF c, double radius, int petals, double petalRatio)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const double pr = radius * petalRatio;
    for (int i = 0; i < petals; ++i) {
        const double a = 2 * M_PI * i / petals - M_PI / 2;
        const QPointF pc(c.x() + (radius - pr) * std::cos(a), c.y() + (radius - pr) * std::sin(a));
        path.addEllipse(pc, pr, pr);
    }
    return path.simplified();
}

QPainterPath sparklePath(QPointF c, double r)
{
    QPainterPath path;
    const double k = r * 0.18;
    path.moveTo(c.x(), c.y() - r);
    path.quadTo(c.x() + k, c.y() - k, c.x() + r, c.y());
    path.quadTo(c.x() + k, c.y() + k, c.x(), c.y() + r);
    path.quadTo(c.x() - k, c.y() + k, c.x() - r, c.y());
    path.quadTo(c.x() - k, c.y() - k, c.x(), c.y() - r);
    path.closeSubpath();
    return path;
}

QPainterPath gearPath(QPointF c, double outer, double inner, int teeth)
{
    return radialPolygon(c, teeth * 4, 0, [=](int i) { return (i % 4 < 2) ? outer : inner; });
}

QPainterPath textPath(const QString& text, const QFont& font, QPointF c)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF b = path.boundingRect();
    // Centre on the ink box horizontally and on the font's cap area
    // vertically so that rows of labels line up.
    const QFontMetricsF fm(font);
    const double baselineShift = (fm.ascent() - fm.descent()) / 2.0;
    path.translate(c.x() - b.center().x(), c.y() + baselineShift - fm.ascent() * 0.08);
    return path;
}

void outlinedText(QPainter& p, const QString& text, const QFont& font, QPointF c, const QColor& fill,
    const QColor& outline, double outlineWidth, const QColor& shadow, QPointF shadowOffset)
{
    const QPainterPath path = textPath(text, font, c);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (shadow.alpha() > 0) {
        p.setPen(outlineWidth > 0 ? QPen(shadow, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                                  : Qt::NoPen);
        p.setBrush(shadow);
        p.drawPath(path.translated(shadowOffset));
    }
    if (outlineWidth > 0) {
        p.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(outline);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

namespace {

void boxPass(std::vector<int>& line, std::vector<int>& tmp, int radius)
{
    const int n = static_cast<int>(line.size());
    const int w = 2 * radius + 1;
    long sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += line[std::clamp(i, 0, n - 1)];
    for (int i = 0; i < n; ++i) {
        tmp[i] = static_cast<int>((sum + w / 2) / w);
        sum += line[std::clamp(i + radius + 1, 0, n - 1)] - line[std::clamp(i - radius, 0, n - 1)];
    }
    line.swap(tmp);
}

} // namespace

void blur(QImage& image, int radius)
{
    if (radius <= 0 || image.isNull())
        return;
    const int r = std::max(1, radius / 2);
    const int w = image.width(), h = image.height();
    std::vector<int> line, tmp;
    for (int ch = 0; ch < 4; ++ch) {
        line.resize(w);
        tmp.resize(w);
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<std::uint8_t*>(image.scanLine(y));
            for (int x = 0; x < w; ++x)
                line[x] = row[x * 4 + ch];
            for (int k = 0; k < 3; ++k)
                boxPass(line, tmp, r);
            for (int x = 0; x < w; ++x)
                row[x * 4 + ch] = static_cast<std::uint8_t>(line[x]);
        }
        line.resize(h);
        tmp.resize(h);
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y)
                line[y] = image.scanLine(y)[x * 4 + ch];
            for (int k = 0; k < 3; ++k)
                boxPass(line, tmp, r);
            for (int y = 0; y < h; ++y)
                image.scanLine(y)[x * 4 + ch] = static_cast<std::uint8_t>(line[y]);
        }
    }
}

void softShadow(QPainter& p, const QPainterPath& path, const QColor& colour, QPointF offset, int radius)
{
    const QRectF b
        = path.boundingRect().translated(offset).adjusted(-radius * 2, -radius * 2, radius * 2, radius * 2);
    const QRect area = b.toAlignedRect();
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.translate(-area.topLeft() + offset);
        lp.setPen(Qt::NoPen);
        lp.setBrush(colour);
        lp.drawPath(path);
    }
    blur(layer, radius);
    p.drawImage(area.topLeft(), layer);
}

void gloss(QPainter& p, const QPainterPath& path, double strength)
{
    const QRectF b = path.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0.0, QColor(255, 255, 255, static_cast<int>(200 * strength)));
    g.setColorAt(0.48, QColor(255, 255, 255, static_cast<int>(70 * strength)));
    g.setColorAt(0.5, QColor(255, 255, 255, 0));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    p.restore();
}

namespace {

QPainterPath boldArrow(const QRectF& r, double angleDeg)
{
    // An arrow pointing right, then turned.
    const double s = std::min(r.width(), r.height());
    QPainterPath path;
    path.moveTo(s * 0.42, 0);
    path.lineTo(-s * 0.02, -s * 0.38);
    path.lineTo(-s * 0.02, -s * 0.16);
    path.lineTo(-s * 0.4, -s * 0.16);
    path.lineTo(-s * 0.4, s * 0.16);
    path.lineTo(-s * 0.02, s * 0.16);
    path.lineTo(-s * 0.02, s * 0.38);
    path.closeSubpath();
    QTransform t;
    t.translate(r.center().x(), r.center().y());
    t.rotate(angleDeg);
    return t.map(path);
}

QPainterPath rotateArrow(const QRectF& r, bool left)
{
    // Most of a circle with a bold head at its open end; drawn for the
    // right turn (clockwise) and mirrored for the left.
    const double s = std::min(r.width(), r.height());
    const double rad = s * 0.3;
    QPainterPath arc;
    const QRectF ring(-rad, -rad, rad * 2, rad * 2);
    // From 12 o'clock round anticlockwise (in Qt's angles) to 3 o'clock,
    // i.e. the arrow runs clockwise from 3 o'clock back up to the top.
    arc.arcMoveTo(ring, 0);
    arc.arcTo(ring, 0, -270);
    QPainterPathStroker st;
    st.setWidth(s * 0.14);
    st.setCapStyle(Qt::FlatCap);
    QPainterPath out = st.createStroke(arc);
    // Head at 12 o'clock pointing right.
    const double hs = s * 0.2;
    QPainterPath head;
    head.moveTo(hs * 1.1, -rad);
    head.lineTo(-hs * 0.2, -rad - hs);
    head.lineTo(-hs * 0.2, -rad + hs);
    head.closeSubpath();
    out.addPath(head);
    out.setFillRule(Qt::WindingFill);
    out = out.simplified();
    QTransform t;
    t.translate(r.center().x(), r.center().y() + s * 0.04);
    if (left)
        t.scale(-1, 1);
    return t.map(out);
}

} // namespace

void drawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& fg)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(box.width(), box.height());
    const QPointF c = box.center();
    const double lw = std::max(1.3, s * 0.11);
    QPen pen(fg, lw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    switch (g) {
    case Glyph::None:
        break;
    case Glyph::Camera: {
        const QRectF body(c.x() - s * 0.46, c.y() - s * 0.24, s * 0.92, s * 0.62);
        QPainterPath cam;
        cam.addRoundedRect(body, s * 0.1, s * 0.1);
        QPainterPath top;
        top.addRoundedRect(QRectF(c.x() - s * 0.2, c.y() - s * 0.38, s * 0.4, s * 0.2), s * 0.05, s * 0.05);
        cam = cam.united(top);
        QPainterPath lens;
        lens.addEllipse(QPointF(c.x(), c.y() + s * 0.07), s * 0.22, s * 0.22);
        cam = cam.subtracted(lens);
        QPainterPath inner;
        inner.addEllipse(QPointF(c.x(), c.y() + s * 0.07), s * 0.13, s * 0.13);
        cam = cam.united(inner);
        QPainterPath flash;
        flash.addEllipse(QPointF(c.x() + s * 0.32, c.y() - s * 0.12), s * 0.05, s * 0.05);
        cam = cam.subtracted(flash);
        p.drawPath(cam);
        break;
    }
    case Glyph::Import: {
        // A tray with an arrow falling into it.
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath tray;
        tray.moveTo(c.x() - s * 0.42, c.y() + s * 0.05);
        tray.lineTo(c.x() - s * 0.42, c.y() + s * 0.38);
        tray.lineTo(c.x() + s * 0.42, c.y() + s * 0.38);
        tray.lineTo(c.x() + s * 0.42, c.y() + s * 0.05);
        p.drawPath(tray);
        p.setPen(Qt::NoPen);
        p.setBrush(fg);
        p.drawPath(boldArrow(QRectF(c.x() - s * 0.36, c.y() - s * 0.52, s * 0.72, s * 0.72), 90));
        break;
    }
    case Glyph::Adjust: {
        p.setPen(pen);
        for (int i = 0; i < 3; ++i) {
            const double y = c.y() - s * 0.3 + i * s * 0.3;
            p.drawLine(QPointF(c.x() - s * 0.42, y), QPointF(c.x() + s * 0.42, y));
        }
        p.setPen(Qt::NoPen);
        const double knobs[3] = {0.15, -0.2, 0.3};
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(c.x() + knobs[i] * s, c.y() - s * 0.3 + i * s * 0.3), s * 0.11, s * 0.11);
        break;
    }
    case Glyph::Delete: {
        QPainterPath can;
        can.moveTo(c.x() - s * 0.3, c.y() - s * 0.22);
        can.lineTo(c.x() + s * 0.3, c.y() - s * 0.22);
        can.lineTo(c.x() + s * 0.24, c.y() + s * 0.45);
        can.lineTo(c.x() - s * 0.24, c.y() + s * 0.45);
        can.closeSubpath();
        for (int i = -1; i <= 1; ++i) {
            QPainterPath slot;
            slot.addRoundedRect(QRectF(c.x() + i * s * 0.14 - s * 0.03, c.y() - s * 0.12, s * 0.06, s * 0.46),
                s * 0.03, s * 0.03);
            can = can.subtracted(slot);
        }
        p.drawPath(can);
        p.drawRoundedRect(QRectF(c.x() - s * 0.4, c.y() - s * 0.36, s * 0.8, s * 0.1), s * 0.03, s * 0.03);
        p.drawRoundedRect(QRectF(c.x() - s * 0.12, c.y() - s * 0.46, s * 0.24, s * 0.12), s * 0.04, s * 0.04);
        break;
    }
    case Glyph::Browse: {
        const double q = s * 0.4;
        for (int i = 0; i < 4; ++i) {
            const double x = c.x() - q - s * 0.04 + (i % 2) * (q + s * 0.08);
            const double y = c.y() - q - s * 0.04 + (i / 2) * (q + s * 0.08);
            p.drawRoundedRect(QRectF(x, y, q, q), s * 0.07, s * 0.07);
        }
        break;
    }
    case Glyph::Setup: {
        QPainterPath gp = gearPath(c, s * 0.46, s * 0.34, 8);
        QPainterPath hole;
        hole.addEllipse(c, s * 0.15, s * 0.15);
        p.drawPath(gp.subtracted(hole));
        break;
    }
    case Glyph::Exit: {
        p.setPen(QPen(fg, lw * 1.15, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(c.x() - s * 0.36, c.y() - s * 0.32, s * 0.72, s * 0.72);
        p.drawArc(ring, 120 * 16, 300 * 16);
        p.drawLine(QPointF(c.x(), c.y() - s * 0.46), QPointF(c.x(), c.y() - s * 0.02));
        break;
    }
    case Glyph::Question: {
        QFont f = sansFont(s * 0.95, true);
        p.drawPath(textPath(QStringLiteral("?"), f, c));
        break;
    }
    case Glyph::ArrowLeft:
        p.drawPath(boldArrow(box, 180));
        break;
    case Glyph::ArrowRight:
        p.drawPath(boldArrow(box, 0));
        break;
    case Glyph::ArrowUp:
        p.drawPath(boldArrow(box, -90));
        break;
    case Glyph::ArrowDown:
        p.drawPath(boldArrow(box, 90));
        break;
    case Glyph::RotateLeft:
        p.drawPath(rotateArrow(box, true));
        break;
    case Glyph::RotateRight:
        p.drawPath(rotateArrow(box, false));
        break;
    case Glyph::Reset: {
        p.setPen(QPen(fg, lw, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, s * 0.3, s * 0.3);
        p.setPen(Qt::NoPen);
        p.setBrush(fg);
        p.drawEllipse(c, s * 0.12, s * 0.12);
        break;
    }
    case Glyph::Star:
        p.drawPath(starPath(c, s * 0.5, s * 0.22, 5));
        break;
    case Glyph::Bolt: {
        QPainterPath b;
        b.moveTo(c.x() + s * 0.12, c.y() - s * 0.5);
        b.lineTo(c.x() - s * 0.3, c.y() + s * 0.08);
        b.lineTo(c.x() - s * 0.02, c.y() + s * 0.08);
        b.lineTo(c.x() - s * 0.14, c.y() + s * 0.5);
        b.lineTo(c.x() + s * 0.3, c.y() - s * 0.1);
        b.lineTo(c.x() + s * 0.02, c.y() - s * 0.1);
        b.closeSubpath();
        p.drawPath(b);
        break;
    }
    case Glyph::Heart:
        p.drawPath(heartPath(QPointF(c.x(), c.y() + s * 0.04), s * 0.92));
        break;
    case Glyph::Book: {
        QPainterPath l, r;
        l.moveTo(c.x() - s * 0.03, c.y() - s * 0.28);
        l.quadTo(c.x() - s * 0.25, c.y() - s * 0.42, c.x() - s * 0.48, c.y() - s * 0.3);
        l.lineTo(c.x() - s * 0.48, c.y() + s * 0.36);
        l.quadTo(c.x() - s * 0.25, c.y() + s * 0.26, c.x() - s * 0.03, c.y() + s * 0.4);
        l.closeSubpath();
        p.drawPath(l);
        QTransform m;
        m.translate(2 * c.x(), 0);
        m.scale(-1, 1);
        p.drawPath(m.map(l));
        break;
    }
    case Glyph::Film: {
        QPainterPath f;
        f.addRoundedRect(QRectF(c.x() - s * 0.42, c.y() - s * 0.36, s * 0.84, s * 0.72), s * 0.06, s * 0.06);
        for (int i = 0; i < 4; ++i) {
            for (int side = 0; side < 2; ++side) {
                QPainterPath hole;
                hole.addRect(QRectF(
                    c.x() - s * 0.36 + side * s * 0.62, c.y() - s * 0.3 + i * s * 0.17, s * 0.1, s * 0.09));
                f = f.subtracted(hole);
            }
        }
        QPainterPath win;
        win.addRect(QRectF(c.x() - s * 0.2, c.y() - s * 0.26, s * 0.4, s * 0.52));
        f = f.subtracted(win);
        p.drawPath(f);
        break;
    }
    case Glyph::Moon: {
        QPainterPath m;
        m.addEllipse(c, s * 0.4, s * 0.4);
        QPainterPath cut;
        cut.addEllipse(QPointF(c.x() + s * 0.2, c.y() - s * 0.12), s * 0.34, s * 0.34);
        p.drawPath(m.subtracted(cut));
        p.drawPath(sparklePath(QPointF(c.x() + s * 0.3, c.y() + s * 0.22), s * 0.14));
        break;
    }
    case Glyph::Play: {
        QPainterPath t;
        t.moveTo(c.x() - s * 0.28, c.y() - s * 0.4);
        t.lineTo(c.x() + s * 0.42, c.y());
        t.lineTo(c.x() - s * 0.28, c.y() + s * 0.4);
        t.closeSubpath();
        p.setPen(QPen(fg, s * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(t);
        break;
    }
    }
    p.restore();
}

namespace {

void eyes(QPainter& p, QPointF c, double size, double spread, double dy)
{
    p.setBrush(QColor(45, 30, 35));
    p.setPen(Qt::NoPen);
    const double er = size * 0.065;
    for (int s : {-1, 1}) {
        const QPointF e(c.x() + s * size * spread, c.y() + size * dy);
        p.drawEllipse(e, er, er * 1.15);
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPointF(e.x() - er * 0.3, e.y() - er * 0.4), er * 0.38, er * 0.38);
        p.setBrush(QColor(45, 30, 35));
    }
}

void cheeks(QPainter& p, QPointF c, double size, double spread, double dy)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 140, 150));
    for (int s : {-1, 1})
        p.drawEllipse(QPointF(c.x() + s * size * spread, c.y() + size * dy), size * 0.09, size * 0.06);
}

void smile(QPainter& p, QPointF c, double size, double dy)
{
    p.setPen(QPen(QColor(60, 35, 40), std::max(1.0, size * 0.03), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const double w = size * 0.08;
    p.drawArc(QRectF(c.x() - 2 * w, c.y() + size * dy - w, 2 * w, 2 * w), 200 * 16, 140 * 16);
    p.drawArc(QRectF(c.x(), c.y() + size * dy - w, 2 * w, 2 * w), 200 * 16, 140 * 16);
}

} // namespace

void drawAnimal(QPainter& p, Animal a, QPointF c, double size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double r = size / 2;
    const QPen outline(QColor(70, 45, 50), std::max(1.0, size * 0.025));
    auto head = [&](const QColor& fill) {
        p.setPen(outline);
        p.setBrush(fill);
        p.drawEllipse(c, r, r * 0.9);
    };
    switch (a) {
    case Animal::Bear:
    case Animal::Panda: {
        const bool panda = a == Animal::Panda;
        const QColor fur = panda ? QColor(245, 243, 238) : QColor(176, 120, 78);
        const QColor ear = panda ? QColor(40, 38, 45) : QColor(150, 98, 60);
        p.setPen(outline);
        p.setBrush(ear);
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c.x() + s * r * 0.72, c.y() - r * 0.68), r * 0.3, r * 0.3);
        if (!panda) {
            p.setBrush(QColor(232, 186, 150));
            p.setPen(Qt::NoPen);
            for (int s : {-1, 1})
                p.drawEllipse(QPointF(c.x() + s * r * 0.72, c.y() - r * 0.68), r * 0.16, r * 0.16);
        }
        head(fur);
        if (panda) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 38, 45));
            for (int s : {-1, 1}) {
                p.save();
                p.translate(c.x() + s * r * 0.36, c.y() - r * 0.02);
                p.rotate(s * -30);
                p.drawEllipse(QPointF(0, 0), r * 0.2, r * 0.27);
                p.restore();
            }
            p.setBrush(QColor(250, 250, 250));
            for (int s : {-1, 1})
                p.drawEllipse(QPointF(c.x() + s * r * 0.34, c.y() - r * 0.04), r * 0.07, r * 0.07);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(236, 200, 165));
            p.drawEllipse(QPointF(c.x(), c.y() + r * 0.3), r * 0.38, r * 0.3);
            eyes(p, c, size, 0.2, -0.05);
        }
        p.setBrush(QColor(50, 35, 38));
        p.drawEllipse(QPointF(c.x(), c.y() + r * 0.2), r * 0.12, r * 0.09);
        smile(p, c, size, 0.2);
        cheeks(p, c, size, 0.33, 0.13);
        break;
    }
    case Animal::Cat:
    case Animal::Fox: {
        const bool fox = a == Animal::Fox;
        const QColor fur = fox ? QColor(238, 128, 52) : QColor(170, 170, 182);
        p.setPen(outline);
        p.setBrush(fur);
        for (int s : {-1, 1}) {
            QPainterPath ear;
            ear.moveTo(c.x() + s * r * 0.95, c.y() - r * (fox ? 1.25 : 1.05));
            ear.lineTo(c.x() + s * r * 0.2, c.y() - r * 0.7);
            ear.lineTo(c.x() + s * r * 0.9, c.y() - r * 0.1);
            ear.closeSubpath();
            p.drawPath(ear);
        }
        head(fur);
        p.setPen(Qt::NoPen);
        if (fox) {
            p.setBrush(QColor(250, 238, 222));
            QPainterPath cheek;
            cheek.moveTo(c.x() - r * 0.95, c.y() + r * 0.05);
            cheek.quadTo(c.x() - r * 0.4, c.y() - r * 0.05, c.x(), c.y() + r * 0.15);
            cheek.quadTo(c.x() + r * 0.4, c.y() - r * 0.05, c.x() + r * 0.95, c.y() + r * 0.05);
            cheek.quadTo(c.x() + r * 0.5, c.y() + r * 0.9, c.x(), c.y() + r * 0.9);
            cheek.quadTo(c.x() - r * 0.5, c.y() + r * 0.9, c.x() - r * 0.95, c.y() + r * 0.05);
            p.drawPath(cheek);
        } else {
            p.setBrush(QColor(120, 120, 135));
            for (int i = -1; i <= 1; ++i)
                p.drawRoundedRect(
                    QRectF(c.x() + i * r * 0.22 - r * 0.05, c.y() - r * 0.85, r * 0.1, r * 0.3), 2, 2);
        }
        eyes(p, c, size, 0.22, -0.06);
        p.setBrush(QColor(235, 100, 120));
        p.drawEllipse(QPointF(c.x(), c.y() + r * 0.18), r * 0.09, r * 0.07);
        smile(p, c, size, 0.18);
        cheeks(p, c, size, 0.34, 0.12);
        if (!fox) {
            p.setPen(QPen(QColor(70, 60, 70), std::max(1.0, size * 0.015)));
            for (int s : {-1, 1}) {
                for (int k = -1; k <= 1; ++k)
                    p.drawLine(QPointF(c.x() + s * r * 0.35, c.y() + r * 0.22),
                        QPointF(c.x() + s * r * 0.95, c.y() + r * (0.15 + k * 0.13)));
            }
        }
        break;
    }
    case Animal::Bunny: {
        const QColor fur(238, 226, 232);
        p.setPen(outline);
        for (int s : {-1, 1}) {
            p.save();
            p.translate(c.x() + s * r * 0.35, c.y() - r * 1.05);
            p.rotate(s * 12);
            p.setBrush(fur);
            p.drawEllipse(QPointF(0, 0), r * 0.24, r * 0.62);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 170, 190));
            p.drawEllipse(QPointF(0, r * 0.05), r * 0.11, r * 0.45);
            p.restore();
        }
        head(fur);
        eyes(p, c, size, 0.22, -0.02);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 110, 140));
        p.drawEllipse(QPointF(c.x(), c.y() + r * 0.2), r * 0.08, r * 0.06);
        smile(p, c, size, 0.19);
        cheeks(p, c, size, 0.36, 0.15);
        break;
    }
    case Animal::Pig: {
        const QColor fur(250, 176, 190);
        p.setPen(outline);
        p.setBrush(QColor(240, 150, 170));
        for (int s : {-1, 1}) {
            QPainterPath ear;
            ear.moveTo(c.x() + s * r * 0.9, c.y() - r * 0.95);
            ear.lineTo(c.x() + s * r * 0.3, c.y() - r * 0.75);
            ear.lineTo(c.x() + s * r * 0.85, c.y() - r * 0.3);
            ear.closeSubpath();
            p.drawPath(ear);
        }
        head(fur);
        eyes(p, c, size, 0.24, -0.12);
        p.setBrush(QColor(240, 140, 160));
        p.setPen(outline);
        p.drawEllipse(QPointF(c.x(), c.y() + r * 0.22), r * 0.3, r * 0.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 70, 90));
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c.x() + s * r * 0.11, c.y() + r * 0.22), r * 0.05, r * 0.08);
        cheeks(p, c, size, 0.45, 0.12);
        break;
    }
    case Animal::Chick: {
        p.setPen(outline);
        p.setBrush(QColor(255, 214, 70));
        QPainterPath tuft;
        tuft.moveTo(c.x(), c.y() - r * 0.8);
        tuft.quadTo(c.x() - r * 0.1, c.y() - r * 1.25, c.x() + r * 0.15, c.y() - r * 1.2);
        tuft.quadTo(c.x() + r * 0.05, c.y() - r * 1.0, c.x() + r * 0.15, c.y() - r * 0.8);
        p.drawPath(tuft);
        p.drawEllipse(c, r, r * 0.95);
        eyes(p, c, size, 0.22, -0.08);
        p.setBrush(QColor(245, 140, 40));
        QPainterPath beak;
        beak.moveTo(c.x() - r * 0.16, c.y() + r * 0.1);
        beak.lineTo(c.x() + r * 0.16, c.y() + r * 0.1);
        beak.lineTo(c.x(), c.y() + r * 0.32);
        beak.closeSubpath();
        p.drawPath(beak);
        cheeks(p, c, size, 0.42, 0.12);
        break;
    }
    case Animal::Frog: {
        const QColor skin(120, 196, 90);
        p.setPen(outline);
        p.setBrush(skin);
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c.x() + s * r * 0.5, c.y() - r * 0.6), r * 0.32, r * 0.3);
        p.drawEllipse(QPointF(c.x(), c.y() + r * 0.05), r, r * 0.72);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 245));
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c.x() + s * r * 0.5, c.y() - r * 0.6), r * 0.2, r * 0.2);
        p.setBrush(QColor(40, 35, 40));
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c.x() + s * r * 0.5, c.y() - r * 0.58), r * 0.1, r * 0.12);
        p.setPen(QPen(QColor(60, 40, 40), std::max(1.0, size * 0.03), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r * 0.45, c.y() - r * 0.2, r * 0.9, r * 0.6), 200 * 16, 140 * 16);
        cheeks(p, c, size, 0.55, 0.1);
        break;
    }
    }
    p.restore();
}

void drawBalloon(QPainter& p, QPointF c, double r, const QColor& colour, double stringLength)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath str;
    str.moveTo(c.x(), c.y() + r * 1.2);
    str.cubicTo(c.x() - r * 0.4, c.y() + r * 1.2 + stringLength * 0.3, c.x() + r * 0.4,
        c.y() + r * 1.2 + stringLength * 0.6, c.x() - r * 0.1, c.y() + r * 1.2 + stringLength);
    p.setPen(QPen(QColor(110, 90, 100), std::max(1.0, r * 0.05)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(str);
    QRadialGradient g(QPointF(c.x() - r * 0.35, c.y() - r * 0.45), r * 1.6);
    g.setColorAt(0, mix(colour, QColor(255, 255, 255), 0.45));
    g.setColorAt(0.55, colour);
    g.setColorAt(1, colour.darker(135));
    p.setPen(QPen(colour.darker(150), std::max(1.0, r * 0.04)));
    p.setBrush(g);
    p.drawEllipse(c, r * 0.88, r * 1.05);
    QPainterPath knot;
    knot.moveTo(c.x(), c.y() + r * 1.02);
    knot.lineTo(c.x() - r * 0.14, c.y() + r * 1.22);
    knot.lineTo(c.x() + r * 0.14, c.y() + r * 1.22);
    knot.closeSubpath();
    p.setBrush(colour.darker(120));
    p.drawPath(knot);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(c.x() - r * 0.35, c.y() - r * 0.45), r * 0.16, r * 0.26);
    p.restore();
}

void drawBunting(QPainter& p, QPointF from, QPointF to, double sag, double flag, int count, int hueStart,
    int saturation, int value)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    auto at = [&](double t) {
        const QPointF mid((from.x() + to.x()) / 2, (from.y() + to.y()) / 2 + sag * 2);
        const double u = 1 - t;
        return QPointF(u * u * from.x() + 2 * u * t * mid.x() + t * t * to.x(),
            u * u * from.y() + 2 * u * t * mid.y() + t * t * to.y());
    };
    QPainterPath line;
    line.moveTo(from);
    for (int i = 1; i <= 40; ++i)
        line.lineTo(at(i / 40.0));
    p.setPen(QPen(QColor(120, 90, 100), std::max(1.0, flag * 0.06)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    for (int i = 0; i < count; ++i) {
        const double t0 = (i + 0.1) / count, t1 = (i + 0.9) / count;
        const QPointF a = at(t0), b = at(t1);
        const QPointF m((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double len = std::hypot(dx, dy);
        const QPointF tip(m.x() - dy / len * flag, m.y() + dx / len * flag);
        QPainterPath f;
        f.moveTo(a);
        f.lineTo(b);
        f.lineTo(tip);
        f.closeSubpath();
        const QColor col = hsv(hueStart + i * 47, saturation, value);
        p.setPen(QPen(col.darker(130), 1));
        p.setBrush(col);
        p.drawPath(f);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QPointF((a.x() + b.x() + tip.x()) / 3, (a.y() + b.y() + tip.y()) / 3 - flag * 0.1),
            flag * 0.09, flag * 0.09);
    }
    p.restore();
}

void drawCamera(QPainter& p, const QRectF& box, const QColor& body, const QColor& accent, const QColor& lens)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = box.width(), h = box.height();
    const QRectF main(box.left(), box.top() + h * 0.18, w, h * 0.82);
    const QPen edge(body.darker(160), std::max(1.0, w * 0.015));
    // Top plate and shutter.
    p.setPen(edge);
    p.setBrush(body.darker(110));
    p.drawRoundedRect(QRectF(box.left() + w * 0.3, box.top(), w * 0.36, h * 0.26), w * 0.04, w * 0.04);
    p.setBrush(accent);
    p.drawRoundedRect(
        QRectF(box.left() + w * 0.74, box.top() + h * 0.06, w * 0.14, h * 0.16), w * 0.03, w * 0.03);
    QLinearGradient g(main.topLeft(), main.bottomLeft());
    g.setColorAt(0, body.lighter(118));
    g.setColorAt(1, body.darker(112));
    p.setBrush(g);
    p.drawRoundedRect(main, w * 0.1, w * 0.1);
    // Grip band.
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRect(
        QRectF(main.left() + 1, main.top() + main.height() * 0.36, main.width() - 2, main.height() * 0.22));
    // Lens.
    const QPointF lc(main.center().x(), main.center().y() + h * 0.02);
    const double lr = std::min(w, h) * 0.33;
    p.setPen(edge);
    p.setBrush(QColor(70, 62, 72));
    p.drawEllipse(lc, lr, lr);
    QRadialGradient lg(QPointF(lc.x() - lr * 0.3, lc.y() - lr * 0.3), lr);
    lg.setColorAt(0, lens.lighter(160));
    lg.setColorAt(0.6, lens);
    lg.setColorAt(1, lens.darker(180));
    p.setBrush(lg);
    p.drawEllipse(lc, lr * 0.72, lr * 0.72);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(QPointF(lc.x() - lr * 0.28, lc.y() - lr * 0.28), lr * 0.16, lr * 0.16);
    // Flash window.
    p.setBrush(QColor(255, 248, 220));
    p.drawRoundedRect(QRectF(main.left() + w * 0.07, main.top() + h * 0.08, w * 0.16, h * 0.12), 2, 2);
    p.restore();
}

void drawCameraHero(
    QPainter& p, const QRectF& box, const QColor& body, const QColor& accent, const QColor& shadow)
{
    QPainterPath below;
    below.addRoundedRect(box.translated(0, box.height() * 0.11), box.width() * 0.11, box.width() * 0.11);
    softShadow(p, below, shadow, QPointF(0, 0), std::max(4, static_cast<int>(box.width() / 11)));
    drawCamera(p, box, body, accent, QColor(90, 140, 220));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double s = box.width() / 100.0;
    p.setBrush(QColor(255, 220, 100));
    p.drawPath(sparklePath(QPointF(box.left() - 16 * s, box.top() + 6 * s), 9 * s));
    p.drawPath(sparklePath(QPointF(box.right() + 18 * s, box.bottom() - 6 * s), 7 * s));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(sparklePath(QPointF(box.right() + 12 * s, box.top() + 2 * s), 5.5 * s));
    p.restore();
}

} // namespace kf::art
