#include "art/templates.h"

#include "art/templates_kit.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace kf::art {

namespace tpl {

Kit::Kit()
    : layer_(kTemplateWidth, kTemplateHeight, QImage::Format_ARGB32_Premultiplied)
{
    layer_.fill(Qt::transparent);
}

void Kit::cutWindow(const QPainterPath& window, int feather)
{
    QImage mask(layer_.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.setPen(Qt::NoPen);
        mp.setBrush(Qt::black);
        // Shrink by half the feather so the soft edge is centred on the
        // outline rather than eating into the frame.
        mp.drawPath(window);
    }
    blur(mask, feather);
    QPainter p(&layer_);
    p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    p.drawImage(0, 0, mask);
}

void Kit::cutVignette(const QRectF& clear, int soft, double edgeAlpha)
{
    const QPointF c = clear.center();
    const double rx = clear.width() / 2, ry = clear.height() / 2;
    for (int y = 0; y < layer_.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(layer_.scanLine(y));
        for (int x = 0; x < layer_.width(); ++x) {
            const double dx = (x + 0.5 - c.x()) / rx, dy = (y + 0.5 - c.y()) / ry;
            const double d = std::sqrt(dx * dx + dy * dy);
            // Distance beyond the clear ellipse in pixels (approximately).
            const double beyond = (d - 1.0) * std::min(rx, ry);
            double keep = std::clamp(beyond / soft, 0.0, 1.0);
            keep = keep * keep * (3 - 2 * keep);
            keep *= edgeAlpha;
            const QRgb v = row[x];
            row[x] = qRgba(static_cast<int>(qRed(v) * keep), static_cast<int>(qGreen(v) * keep),
                static_cast<int>(qBlue(v) * keep), static_cast<int>(qAlpha(v) * keep));
        }
    }
}

namespace {

// The site mark is drawn at the bottom right of every photo (from x 540,
// y 456 at this size); the template gives it a light tag there so the black
// mark reads on any frame.
const QRectF kMarkTag(530, 450, 130, 50);

void markTag(QImage& layer)
{
    // The tag takes a pale tint of the frame around it.
    long sum[3] = {0, 0, 0}, n = 0;
    for (int y = 440; y < 480; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        for (int x = 500; x < 640; ++x) {
            if (qAlpha(row[x]) < 128)
                continue;
            const QRgb u = qUnpremultiply(row[x]);
            sum[0] += qRed(u);
            sum[1] += qGreen(u);
            sum[2] += qBlue(u);
            ++n;
        }
    }
    QColor tint(255, 255, 255);
    if (n > 0)
        tint = QColor(
            static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n), static_cast<int>(sum[2] / n));
    const QColor fill = mix(tint, QColor(255, 255, 255), 0.78);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath tag = roundedRectPath(kMarkTag, 11);
    softShadow(p, tag, QColor(0, 0, 0, 50), QPointF(-1, -1), 3);
    p.setPen(QPen(mix(tint, QColor(255, 255, 255), 0.45), 1.5));
    QColor f = fill;
    f.setAlpha(235);
    p.setBrush(f);
    p.drawPath(tag);
}

} // namespace

QImage Kit::finishPng() const
{
    QImage out = layer_;
    markTag(out);
    return out.convertToFormat(QImage::Format_ARGB32);
}

QImage Kit::finishJpeg() const
{
    QImage layer = layer_;
    markTag(layer);
    QImage out(layer.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb v = src[x];
            const int a = qAlpha(v);
            if (a == 0) {
                dst[x] = qRgb(255, 255, 255);
                continue;
            }
            const QRgb u = qUnpremultiply(v);
            int r = qRed(u), g = qGreen(u), b = qBlue(u);
            // Keep the decoration clear of the photo's key: its lightest
            // channel at 205 at the most.
            const int m = std::min({r, g, b});
            if (m > 205) {
                r -= m - 205;
                g -= m - 205;
                b -= m - 205;
            }
            // Hard edges for the keyed format: soft alpha would leave a
            // faint veil over the photo.
            double t = std::clamp((a / 255.0 - 0.3) / 0.4, 0.0, 1.0);
            t = t * t * (3 - 2 * t);
            auto over = [t](int c) { return static_cast<int>(std::lround(c * t + 255 * (1 - t))); };
            dst[x] = qRgb(over(r), over(g), over(b));
        }
    }
    return out;
}

void fillGradient(QPainter& p, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, 0, 0, kTemplateHeight);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(kCanvas, g);
}

void dotPattern(QPainter& p, const QColor& colour, double spacing, double radius, double offset)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    int row = 0;
    for (double y = offset; y < kTemplateHeight + spacing; y += spacing * 0.866, ++row) {
        for (double x = (row % 2) * spacing / 2 + offset; x < kTemplateWidth + spacing; x += spacing)
            p.drawEllipse(QPointF(x, y), radius, radius);
    }
    p.restore();
}

void stripePattern(QPainter& p, const QColor& colour, double width, double angleDeg)
{
    p.save();
    p.translate(kTemplateWidth / 2.0, kTemplateHeight / 2.0);
    p.rotate(angleDeg);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (double x = -500; x < 500; x += width * 2)
        p.drawRect(QRectF(x, -500, width, 1000));
    p.restore();
}

void checkPattern(QPainter& p, const QColor& colour, double cell)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (double y = 0; y < kTemplateHeight; y += cell) {
        p.drawRect(QRectF(0, y, kTemplateWidth, cell / 2));
    }
    for (double x = 0; x < kTemplateWidth; x += cell)
        p.drawRect(QRectF(x, 0, cell / 2, kTemplateHeight));
    p.restore();
}

void scatterStars(
    QPainter& p, Random& rnd, int count, const QColor& colour, double minR, double maxR, const QRectF& avoid)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    int placed = 0;
    for (int tries = 0; placed < count && tries < count * 40; ++tries) {
        const QPointF c(rnd.uniform(0, kTemplateWidth), rnd.uniform(0, kTemplateHeight));
        if (avoid.contains(c))
            continue;
        const double r = rnd.uniform(minR, maxR);
        if (rnd.range(0, 2) == 0)
            p.drawPath(sparklePath(c, r));
        else
            p.drawPath(starPath(c, r, r * 0.45, 5, rnd.uniform(-110, -70)));
        ++placed;
    }
    p.restore();
}

void windowRim(QPainter& p, const QPainterPath& window, const QColor& colour, double width, bool dashed)
{
    p.save();
    QPen pen(colour, width, dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (dashed)
        pen.setDashPattern({2.0, 1.6});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(window);
    p.restore();
}

QPainterPath roundWindow(double margin, double radius)
{
    return roundedRectPath(kCanvas.adjusted(margin, margin * 0.85, -margin, -margin * 0.85), radius);
}

QPainterPath ellipseWindow(double mx, double my)
{
    QPainterPath path;
    path.addEllipse(kCanvas.adjusted(mx, my, -mx, -my));
    return path;
}

void ribbonBanner(QPainter& p, QPointF c, double width, double height, const QColor& colour,
    const QString& text, const QFont& font, const QColor& ink)
{
    p.save();
    const double w = width / 2, h = height / 2;
    const QColor dark = colour.darker(135);
    // Tails.
    for (int s : {-1, 1}) {
        QPainterPath tail;
        const double x0 = c.x() + s * (w - h * 0.6);
        const double x1 = c.x() + s * (w + h * 1.6);
        tail.moveTo(x0, c.y() - h * 0.4);
        tail.lineTo(x1, c.y() - h * 0.4);
        tail.lineTo(x1 - s * h * 0.8, c.y() + h * 0.55);
        tail.lineTo(x1, c.y() + h * 1.5);
        tail.lineTo(x0, c.y() + h * 1.5);
        tail.closeSubpath();
        p.setPen(QPen(dark.darker(120), 1.5));
        p.setBrush(dark);
        p.drawPath(tail);
    }
    QPainterPath band;
    band.moveTo(c.x() - w, c.y() - h);
    band.quadTo(c.x(), c.y() - h - height * 0.25, c.x() + w, c.y() - h);
    band.lineTo(c.x() + w, c.y() + h);
    band.quadTo(c.x(), c.y() + h - height * 0.25, c.x() - w, c.y() + h);
    band.closeSubpath();
    QLinearGradient g(0, c.y() - h, 0, c.y() + h);
    g.setColorAt(0, colour.lighter(115));
    g.setColorAt(1, colour.darker(108));
    p.setPen(QPen(dark.darker(115), 1.5));
    p.setBrush(g);
    p.drawPath(band);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(textPath(text, font, QPointF(c.x(), c.y() - height * 0.1)));
    p.restore();
}

void rose(QPainter& p, QPointF c, double r, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour.darker(150), std::max(1.0, r * 0.06)));
    QRadialGradient g(c, r);
    g.setColorAt(0, colour.darker(120));
    g.setColorAt(1, colour.lighter(112));
    p.setBrush(g);
    p.drawPath(flowerPath(c, r, 6, 0.5));
    p.setBrush(colour);
    p.drawEllipse(c, r * 0.62, r * 0.62);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour.darker(160), std::max(1.0, r * 0.07), Qt::SolidLine, Qt::RoundCap));
    // A spiral for the folded petals.
    const QPainterPath sp = spiralPath(c, r * 0.55, 2.1);
    p.drawPath(sp);
    p.restore();
}

void leaf(QPainter& p, QPointF c, double length, double angleDeg, const QColor& colour)
{
    p.save();
    p.translate(c);
    p.rotate(angleDeg);
    QPainterPath l;
    l.moveTo(0, 0);
    l.quadTo(length * 0.5, -length * 0.35, length, 0);
    l.quadTo(length * 0.5, length * 0.35, 0, 0);
    p.setPen(QPen(colour.darker(140), 1.2));
    p.setBrush(colour);
    p.drawPath(l);
    p.drawLine(QPointF(0, 0), QPointF(length * 0.85, 0));
    p.restore();
}

void barcode(QPainter& p, const QRectF& r, std::uint64_t seed, const QColor& ink, const QColor& paper)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(r);
    Random rnd(seed);
    const QRectF bars = r.adjusted(5, 4, -5, -13);
    double x = bars.left();
    p.setBrush(ink);
    while (x < bars.right() - 2) {
        const double w = rnd.range(1, 3) * 1.0;
        p.drawRect(QRectF(x, bars.top(), w, bars.height()));
        x += w + rnd.range(1, 3);
    }
    QFont f = sansFont(9, false);
    p.setPen(ink);
    p.setFont(f);
    p.drawText(QRectF(r.left(), r.bottom() - 13, r.width(), 12), Qt::AlignCenter,
        QStringLiteral("6 901234 %1").arg(seed % 100000, 5, 10, QLatin1Char('0')));
    p.restore();
}

void musicNote(QPainter& p, QPointF c, double size, const QColor& colour)
{
    p.save();
    p.setPen(QPen(colour, size * 0.1));
    p.setBrush(colour);
    p.save();
    p.translate(c);
    p.rotate(-20);
    p.drawEllipse(QPointF(0, 0), size * 0.28, size * 0.2);
    p.restore();
    p.drawLine(QPointF(c.x() + size * 0.24, c.y() - size * 0.05), QPointF(c.x() + size * 0.24, c.y() - size));
    QPainterPath flag;
    flag.moveTo(c.x() + size * 0.24, c.y() - size);
    flag.quadTo(c.x() + size * 0.6, c.y() - size * 0.8, c.x() + size * 0.5, c.y() - size * 0.45);
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
    p.restore();
}

} // namespace tpl

QList<TemplateArt> allTemplates()
{
    struct Category {
        const char* folder;
        const char* prefix;
        std::vector<tpl::Design> (*designs)();
    };
    static const Category categories[] = {
        {"动画", "cartoon", tpl::cartoonDesigns},
        {"另类", "offbeat", tpl::offbeatDesigns},
        {"爱情", "love", tpl::loveDesigns},
        {"杂志", "magazine", tpl::magazineDesigns},
        {"海报", "poster", tpl::posterDesigns},
        {"朦胧照", "soft", tpl::softDesigns},
    };
    QList<TemplateArt> out;
    for (const Category& cat : categories) {
        int n = 0;
        for (const tpl::Design& d : cat.designs()) {
            ++n;
            tpl::Kit kit;
            d.paint(kit);
            TemplateArt t;
            t.category = QString::fromUtf8(cat.folder);
            t.fileName = QStringLiteral("%1%2-%3%4")
                             .arg(QLatin1String(cat.prefix))
                             .arg(n, 2, 10, QLatin1Char('0'))
                             .arg(QLatin1String(d.name))
                             .arg(d.jpeg ? QStringLiteral(".JPG") : QStringLiteral(".png"));
            t.jpeg = d.jpeg;
            t.image = d.jpeg ? kit.finishJpeg() : kit.finishPng();
            out << t;
        }
    }
    return out;
}

} // namespace kf::art
