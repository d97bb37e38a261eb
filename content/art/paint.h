#pragma once

#include "art/layout.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>

class QPainter;

namespace kf::art {

// Small deterministic random source (splitmix64), so every run of the
// generator paints the same pixels.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed)
    {
    }
    std::uint64_t next();
    // Uniform in [lo, hi).
    double uniform(double lo, double hi);
    int range(int lo, int hiInclusive);

private:
    std::uint64_t state_;
};

// Fonts the art is drawn with: Noto Sans CJK SC (labels, Latin and Chinese)
// and Noto Serif CJK SC (titles). Sizes are in pixels.
QFont sansFont(double pixelSize, bool bold = true);
QFont serifFont(double pixelSize, bool bold = true);
// False when the CJK fonts are not installed (the text would be missing).
bool fontsAvailable(QString* missing);

QColor hsv(int hue, int saturationPercent, int valuePercent, int alpha = 255);
QColor mix(const QColor& a, const QColor& b, double t);

// Shapes, as paths centred on c.
QPainterPath starPath(QPointF c, double outer, double inner, int points, double rotationDeg = -90);
QPainterPath heartPath(QPointF c, double size);
QPainterPath cloudPath(QPointF c, double width);
QPainterPath roundedRectPath(const QRectF& r, double radius);
QPainterPath scallopRectPath(const QRectF& r, double bump);
QPainterPath flowerPath(QPointF c, double radius, int petals, double petalRatio = 0.55);
QPainterPath sparklePath(QPointF c, double radius);
QPainterPath gearPath(QPointF c, double outer, double inner, int teeth);
// A closed polygon of n corners round c, corner i at radius(i) and angle
// startDeg + i * 360 / n.
QPainterPath radialPolygon(QPointF c, int n, double startDeg, const std::function<double(int)>& radius);
// An open spiral from c out to radius in the given number of turns.
QPainterPath spiralPath(QPointF c, double radius, double turns, int steps = 60);

// Text laid out as a path (for outlines and fills), centred on c.
QPainterPath textPath(const QString& text, const QFont& font, QPointF c);
// Text with an outline and an optional soft shadow, centred on c.
void outlinedText(QPainter& p, const QString& text, const QFont& font, QPointF c, const QColor& fill,
    const QColor& outline, double outlineWidth, const QColor& shadow = QColor(0, 0, 0, 0),
    QPointF shadowOffset = QPointF(1, 1.5));

// Blurs an image in place (three box passes, close to a Gaussian of the
// given radius); works on any 32-bit format.
void blur(QImage& image, int radius);
// A soft shadow of path, drawn below whatever p paints next.
void softShadow(QPainter& p, const QPainterPath& path, const QColor& colour, QPointF offset, int radius);

// Glossy highlight over the upper half of path.
void gloss(QPainter& p, const QPainterPath& path, double strength = 0.45);

// Draws glyph g in the square box, in colour fg (line art on any face).
void drawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& fg);

// Cute figures and party things used across the art.
enum class Animal { Bear, Cat, Bunny, Panda, Pig, Chick, Frog, Fox };
void drawAnimal(QPainter& p, Animal a, QPointF c, double size);
void drawBalloon(QPainter& p, QPointF c, double r, const QColor& colour, double stringLength);
void drawBunting(QPainter& p, QPointF from, QPointF to, double sag, double flag, int count, int hueStart,
    int saturation = 70, int value = 95);
void drawCamera(QPainter& p, const QRectF& box, const QColor& body, const QColor& accent, const QColor& lens);
// The camera as a picture's centre piece: soft shadow below, two gold
// sparkles and a white one around it.
void drawCameraHero(
    QPainter& p, const QRectF& box, const QColor& body, const QColor& accent, const QColor& shadow);

} // namespace kf::art
