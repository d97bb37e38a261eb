#pragma once
// Pixel helpers for the tests.

#include <QImage>
#include <QRect>
#include <functional>

namespace sheen::test {

// Smallest rectangle holding every pixel for which pick is true.
inline QRect boundsOf(const QImage& image, const std::function<bool(QRgb)>& pick)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pick(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline std::function<bool(QRgb)> is(QColor color)
{
    return [rgb = color.rgb()](QRgb p) { return (p | 0xff000000u) == rgb; };
}

inline QImage solid(QSize size, QColor color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(color);
    return image;
}

} // namespace sheen::test
