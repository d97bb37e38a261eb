#pragma once

// Shared tools of the template painters.

#include "art/paint.h"
#include "art/templates.h"

#include <QPainter>
#include <functional>

namespace kf::art::tpl {

inline constexpr QRectF kCanvas(0, 0, kTemplateWidth, kTemplateHeight);

// The decoration layer of one template: paint the frame, cut the window
// where the photo shows, paint ornaments over it, then finish as PNG or
// JPEG.
class Kit {
public:
    Kit();
    QImage& layer() { return layer_; }
    // Makes the inside of window fully transparent with an edge softened
    // over feather pixels.
    void cutWindow(const QPainterPath& window, int feather);
    // Soft vignette: transparent inside the ellipse, rising to full cover
    // over a band of width soft towards the edges, scaled by strength.
    void cutVignette(const QRectF& clear, int soft, double edgeAlpha);
    QImage finishPng() const;
    QImage finishJpeg() const;

private:
    QImage layer_;
};

// A painter on the kit's layer with antialiasing on.
class Pen : public QPainter {
public:
    explicit Pen(Kit& kit)
        : QPainter(&kit.layer())
    {
        setRenderHint(QPainter::Antialiasing);
        setRenderHint(QPainter::TextAntialiasing);
        setRenderHint(QPainter::SmoothPixmapTransform);
    }
};

using Painter = std::function<void(Kit&)>;

struct Design {
    const char* name;
    bool jpeg;
    Painter paint;
};

// Frames and fills used by many templates.
void fillGradient(QPainter& p, const QColor& top, const QColor& bottom);
void dotPattern(QPainter& p, const QColor& colour, double spacing, double radius, double offset = 0);
void stripePattern(QPainter& p, const QColor& colour, double width, double angleDeg);
void checkPattern(QPainter& p, const QColor& colour, double cell);
void scatterStars(
    QPainter& p, Random& rnd, int count, const QColor& colour, double minR, double maxR, const QRectF& avoid);
void windowRim(
    QPainter& p, const QPainterPath& window, const QColor& colour, double width, bool dashed = false);
QPainterPath roundWindow(double margin, double radius);
QPainterPath ellipseWindow(double mx, double my);
void ribbonBanner(QPainter& p, QPointF c, double width, double height, const QColor& colour,
    const QString& text, const QFont& font, const QColor& ink);
void rose(QPainter& p, QPointF c, double r, const QColor& colour);
void leaf(QPainter& p, QPointF c, double length, double angleDeg, const QColor& colour);
void barcode(QPainter& p, const QRectF& r, std::uint64_t seed, const QColor& ink, const QColor& paper);
void musicNote(QPainter& p, QPointF c, double size, const QColor& colour);

std::vector<Design> cartoonDesigns();
std::vector<Design> offbeatDesigns();
std::vector<Design> loveDesigns();
std::vector<Design> magazineDesigns();
std::vector<Design> posterDesigns();
std::vector<Design> softDesigns();

} // namespace kf::art::tpl
