#include "compound.h"

#include "imageio.h"
#include "picture.h"

#include <algorithm>

namespace kf {
namespace {

// Straight-alpha "template over photo" with the template premultiplied:
// out = t' + photo * (255 - a) / 255, rounded.
void blendAlpha(QImage& out, const QImage& tmpl)
{
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* t = reinterpret_cast<const QRgb*>(tmpl.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb tp = t[x];
            const int a = qAlpha(tp);
            if (a == 0)
                continue;
            if (a == 255) {
                o[x] = tp | 0xFF000000u;
                continue;
            }
            const int inv = 255 - a;
            const QRgb op = o[x];
            const int r = qRed(tp) + (qRed(op) * inv + 127) / 255;
            const int g = qGreen(tp) + (qGreen(op) * inv + 127) / 255;
            const int b = qBlue(tp) + (qBlue(op) * inv + 127) / 255;
            o[x] = qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
        }
    }
}

// Keyed template: weight (out of 256) from the smallest channel.
void blendKeyed(QImage& out, const QImage& tmpl)
{
    constexpr int kRamp = 256 / (kKeyClearMin - kKeyOpaqueMax);
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* t = reinterpret_cast<const QRgb*>(tmpl.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb tp = t[x];
            const int m = std::min({qRed(tp), qGreen(tp), qBlue(tp)});
            const int weight = std::clamp((kKeyClearMin - m) * kRamp, 0, 256);
            if (weight == 0)
                continue;
            if (weight == 256) {
                o[x] = tp | 0xFF000000u;
                continue;
            }
            const int inv = 256 - weight;
            const QRgb op = o[x];
            o[x] = qRgb((qRed(tp) * weight + qRed(op) * inv + 128) >> 8,
                (qGreen(tp) * weight + qGreen(op) * inv + 128) >> 8,
                (qBlue(tp) * weight + qBlue(op) * inv + 128) >> 8);
        }
    }
}

} // namespace

QImage composeTemplate(const QImage& photo, const QImage& tmpl)
{
    if (photo.isNull())
        return {};
    QImage out = Picture(photo).image();
    if (tmpl.isNull())
        return out;
    const bool alpha = tmpl.hasAlphaChannel();
    QImage t = tmpl.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (t.size() != out.size())
        t = t.scaled(out.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (alpha)
        blendAlpha(out, t);
    else
        blendKeyed(out, t);
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
