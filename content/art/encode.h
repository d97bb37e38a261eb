#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace kf::art {

// A GIF89a file of the picture, quantised to at most 256 colours (median
// cut, refined by a few nearest-colour passes, no dithering so labels stay
// crisp). Transparency is not kept: button pictures carry the background
// they sit on. Empty on failure.
QByteArray encodeGif(const QImage& image);

// The palette the GIF encoder would choose, and the picture mapped onto it
// (Format_Indexed8); exposed so the quantiser can be checked on its own.
QImage quantise(const QImage& image, int maxColours = 256);

// A Windows cursor file (icon container of type 2) holding one 32-bit
// picture with alpha and its AND mask, with the given hot spot.
QByteArray encodeCursor(const QImage& image, QPoint hotSpot);

QByteArray encodeJpeg(const QImage& image, int quality);
// The highest JPEG quality from startQuality down whose file stays at or
// below maxBytes (never below quality 50).
QByteArray encodeJpegWithin(
    const QImage& image, int maxBytes, int startQuality = 95, int* chosenQuality = nullptr);
// PNG; images with an alpha channel are written as 8-bit RGBA.
QByteArray encodePng(const QImage& image);

} // namespace kf::art
