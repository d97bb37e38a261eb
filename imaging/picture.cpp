#include "picture.h"

#include "imageio.h"

#include <QFont>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kf {
namespace {

// 96 dots per inch, so that font sizes in points map to the same pixel
// sizes on every picture, whatever resolution its file recorded.
constexpr int kDotsPerMeter = 3780;

bool sizeAllowed(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide
        && qint64(width) * height <= kMaxPicturePixels;
}

void setResolution(QImage& image)
{
    if (image.dotsPerMeterX() != kDotsPerMeter)
        image.setDotsPerMeterX(kDotsPerMeter);
    if (image.dotsPerMeterY() != kDotsPerMeter)
        image.setDotsPerMeterY(kDotsPerMeter);
}

quint8 clampChannel(int value)
{
    return static_cast<quint8>(std::clamp(value, 0, 255));
}

int clampAdjust(int value)
{
    return std::clamp(value, -100, 100);
}

using Lut = std::array<quint8, 256>;

Lut offsetLut(int value)
{
    Lut lut;
    const int offset = clampAdjust(value) * 255 / 100;
    for (int c = 0; c < 256; ++c)
        lut[c] = clampChannel(c + offset);
    return lut;
}

Lut contrastLut(int value)
{
    Lut lut;
    const int factor = 100 + clampAdjust(value);
    for (int c = 0; c < 256; ++c)
        lut[c] = clampChannel(128 + (c - 128) * factor / 100);
    return lut;
}

} // namespace

QColor bgr(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 toBgr(const QColor& colour)
{
    const QRgb rgb = colour.rgb();
    return quint32(qRed(rgb)) | (quint32(qGreen(rgb)) << 8) | (quint32(qBlue(rgb)) << 16);
}

Picture::Picture(const QImage& image)
{
    adopt(image);
}

void Picture::adopt(QImage image)
{
    image_ = opaqueImage(image);
    setResolution(image_);
    pending_.clear();
}

bool Picture::fail(const QString& message) const
{
    error_ = message;
    return false;
}

bool Picture::ok() const
{
    error_.clear();
    return true;
}

bool Picture::load(const QString& path)
{
    QString error;
    const QImage loaded = loadImage(path, &error);
    if (loaded.isNull())
        return fail(error);
    if (!pasting()) {
        adopt(loaded);
        return ok();
    }
    const QRect target = pasteArea_.intersected(image_.rect());
    if (target.isEmpty())
        return fail(QStringLiteral("the paste area lies outside the picture"));
    QPainter painter(&image_);
    painter.setClipRect(target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(pasteArea_.topLeft(), opaqueImage(loaded));
    painter.end();
    return ok();
}

bool Picture::load(const QString& path, QSize box)
{
    QString error;
    const QImage loaded = loadScaled(path, box, &error);
    if (loaded.isNull())
        return fail(error);
    adopt(loaded);
    return ok();
}

void Picture::clear()
{
    image_ = QImage();
    pending_.clear();
    error_.clear();
}

void Picture::setImage(const QImage& image)
{
    adopt(image);
    error_.clear();
}

QImage Picture::shownImage() const
{
    if (pending_.isEmpty() || image_.isNull())
        return image_;
    QImage shown = image_.copy();
    QPainter painter(&shown);
    for (const PendingText& t : pending_) {
        QFont font(t.font.name);
        font.setPointSizeF(t.font.size > 0 ? t.font.size : 1.0);
        font.setBold(t.font.bold);
        font.setItalic(t.font.italic);
        font.setStrikeOut(t.font.strikethrough);
        painter.setFont(font);
        painter.setPen(t.colour);
        painter.drawText(QRect(t.x, t.y, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, t.text);
    }
    painter.end();
    return shown;
}

bool Picture::newPicture(int width, int height, int bitsPerPixel, const QColor& colour)
{
    static constexpr std::array kDepths {1, 4, 8, 16, 24, 32};
    if (std::find(kDepths.begin(), kDepths.end(), bitsPerPixel) == kDepths.end())
        return fail(QStringLiteral("unsupported bit depth %1").arg(bitsPerPixel));
    if (!sizeAllowed(width, height))
        return fail(QStringLiteral("bad picture size %1 x %2").arg(width).arg(height));
    QImage blank(width, height, QImage::Format_RGB32);
    blank.fill(colour.rgb() | 0xFF000000u);
    adopt(blank);
    return ok();
}

bool Picture::scale(int width, int height)
{
    if (image_.isNull())
        return fail(QStringLiteral("no picture"));
    if (!sizeAllowed(width, height))
        return fail(QStringLiteral("bad picture size %1 x %2").arg(width).arg(height));
    if (image_.size() != QSize(width, height)) {
        image_ = image_.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        setResolution(image_);
    }
    return ok();
}

bool Picture::rotate(double degrees, const QColor& fill)
{
    if (image_.isNull())
        return fail(QStringLiteral("no picture"));
    if (!std::isfinite(degrees))
        return fail(QStringLiteral("bad angle"));
    double a = std::fmod(degrees, 360.0);
    if (a < 0)
        a += 360.0;
    if (a == 0.0 || a == 360.0)
        return ok();
    if (a == 90.0 || a == 180.0 || a == 270.0) {
        // Qt's transform turns clockwise for positive angles on a y-down
        // raster; the picture turns counter-clockwise for positive degrees.
        image_ = image_.transformed(QTransform().rotate(-a));
        setResolution(image_);
        return ok();
    }
    const double radians = a * std::numbers::pi / 180.0;
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    const int w = image_.width();
    const int h = image_.height();
    const int outW = std::max(1, int(std::ceil(w * c + h * s - 1e-6)));
    const int outH = std::max(1, int(std::ceil(w * s + h * c - 1e-6)));
    if (!sizeAllowed(outW, outH))
        return fail(QStringLiteral("turned picture too large"));
    QImage out(outW, outH, QImage::Format_RGB32);
    out.fill(fill.rgb() | 0xFF000000u);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(outW / 2.0, outH / 2.0);
    painter.rotate(-a);
    painter.translate(-w / 2.0, -h / 2.0);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = out;
    setResolution(image_);
    return ok();
}

bool Picture::crop(int left, int top, int width, int height)
{
    if (image_.isNull())
        return fail(QStringLiteral("no picture"));
    if (width <= 0 || height <= 0)
        return fail(QStringLiteral("empty crop rectangle"));
    const QRect kept = QRect(left, top, width, height).intersected(image_.rect());
    if (kept.isEmpty())
        return fail(QStringLiteral("crop rectangle lies outside the picture"));
    if (kept != image_.rect()) {
        image_ = image_.copy(kept);
        setResolution(image_);
    }
    return ok();
}

void Picture::setFont(const QString& name, double sizePoints, bool bold, bool italic, bool strikethrough)
{
    font_ = TextFont {name, sizePoints, bold, italic, strikethrough};
}

void Picture::drawText(int x, int y, const QString& text, const QColor& colour)
{
    if (text.isEmpty())
        return;
    pending_.append(PendingText {x, y, text, colour, font_});
}

void Picture::fixText()
{
    if (pending_.isEmpty())
        return;
    image_ = shownImage();
    pending_.clear();
}

bool Picture::applyLut(const quint8* red, const quint8* green, const quint8* blue)
{
    if (image_.isNull())
        return fail(QStringLiteral("no picture"));
    const int w = image_.width();
    for (int y = 0; y < image_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            line[x]
                = 0xFF000000u | (QRgb(red[qRed(p)]) << 16) | (QRgb(green[qGreen(p)]) << 8) | blue[qBlue(p)];
        }
    }
    return ok();
}

bool Picture::brightness(int value)
{
    const Lut lut = offsetLut(value);
    return applyLut(lut.data(), lut.data(), lut.data());
}

bool Picture::contrast(int value)
{
    const Lut lut = contrastLut(value);
    return applyLut(lut.data(), lut.data(), lut.data());
}

bool Picture::colourBalance(int red, int green, int blue)
{
    const Lut r = offsetLut(red);
    const Lut g = offsetLut(green);
    const Lut b = offsetLut(blue);
    return applyLut(r.data(), g.data(), b.data());
}

bool Picture::save(const QString& path, int saveType) const
{
    QString error;
    if (!writeImage(image_, path, saveType, &error))
        return fail(error);
    return ok();
}

} // namespace kf
