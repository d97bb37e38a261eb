#include "compound.h"

#include "imageio.h"
#include "picture.h"

#include <algorithm>

namespace kf {
namespace {

// Runs blend(template pixel, photo pixel) -> photo pixel over every pixel
// pair; the two pictures have the same size.
template <typename Blend> void blendRows(QImage& out, const QImage& tmpl, Blend blend)
{
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* t = reinterpret_cast<const QRgb*>(tmpl.constScanLine(y));
        for (int x = 0; x < w; ++x)
            o[x] = blend(t[x], o[x]);
    }
}

// Straight-alpha "template over photo" with the template premultiplied:
// out = t' + photo * (255 - a) / 255, rounded.
QRgb overByAlpha(QRgb t, QRgb p)
{
    const int a = qAlpha(t);
    if (a == 0)
        return p;
    if (a == 255)
        return t;
    const int inv = 255 - a;
    const int r = qRed(t) + (qRed(p) * inv + 127) / 255;
    const int g = qGreen(t) + (qGreen(p) * inv + 127) / 255;
    const int b = qBlue(t) + (qBlue(p) * inv + 127) / 255;
    return qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
}

// Keyed template: weight (out of 256) from the smallest channel.
QRgb overByKey(QRgb t, QRgb p)
{
    constexpr int kRamp = 256 / (kKeyClearMin - kKeyOpaqueMax);
    const int m = std::min({qRed(t), qGreen(t), qBlue(t)});
    const int weight = std::clamp((kKeyClearMin - m) * kRamp, 0, 256);
    if (weight == 0)
        return p;
    if (weight == 256)
        return t | 0xFF000000u;
    const int inv = 256 - weight;
    return qRgb((qRed(t) * weight + qRed(p) * inv + 128) >> 8,
        (qGreen(t) * weight + qGreen(p) * inv + 128) >> 8, (qBlue(t) * weight + qBlue(p) * inv + 128) >> 8);
}

} // namespace

QImage composeTemplate(const QImage& photo, const QImage& tmpl)
{
    if (photo.isNull())
        return {};
    QImage out = opaqueImage(photo);
    if (tmpl.isNull())
        return out;
    const bool alpha = tmpl.hasAlphaChannel();
    QImage t = tmpl.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (t.size() != out.size())
        t = t.scaled(out.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (alpha)
        blendRows(out, t, overByAlpha);
    else
        blendRows(out, t, overByKey);
    return out;
}

qint16 compound(const QString& source, const QString& tmpl, const QString& output, qint16 a, qint16 b)
{
    Q_UNUSED(a);
    Q_UNUSED(b);
    const QImage photo = loadImage(source);
    if (photo.isNull())
        return 0;
    QImage result;
    if (tmpl.isEmpty()) {
        result = photo;
    } else {
        const QImage decoration = loadImage(tmpl);
        if (decoration.isNull())
            return 0;
        result = composeTemplate(photo, decoration);
    }
    return writeImage(result, output, kSaveTypeWorking) ? 1 : 0;
}

} // namespace kf
