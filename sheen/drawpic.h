#pragma once

#include "picture.h"
#include "sheen_global.h"

#include <QColor>
#include <functional>

class QPainter;

namespace sheen {

// Draws pictures for the button, and for anyone else who wants the same
// looks: plain, disabled (embossed grey) and as a one-colour silhouette.
// Bitmaps and icons are drawn; every other kind of picture is skipped.
//
// Arguments, in this order: the target painter, the picture, the target
// rectangle as top, left, width, height, and the picture's natural size in
// pixels. An empty target rectangle draws nothing.
class SHEEN_EXPORT DrawPic {
public:
    // Called when a disabled or silhouette drawing could not be made (no
    // memory for its scratch surface). The default shows the message box
    // "drawstate不能用~" once the current paint is over; drawing goes on.
    using FailureHandler = std::function<void()>;

    DrawPic() = default;

    // Bitmap: the part (0, 0, Picx, Picy) of the bitmap stretched over the
    // target rectangle. Icon: drawn at (lLeft, lTop) with size Picx x Picy.
    void drawPic(QPainter& hdcmb, const Picture& pic, int lTop, int lLeft, int lWidth, int lHeight, int Picx,
        int Picy);
    // The picture stretched into the target rectangle and drawn embossed in
    // the palette's light and dark greys.
    void DrawDisabledPic(QPainter& hdcmb, const Picture& pic, int lTop, int lLeft, int lWidth, int lHeight,
        int Picx, int Picy);
    // The picture's silhouette, stretched into the target rectangle, in
    // ShadowColor.
    void DrawShadowPic(QPainter& hdcmb, const Picture& pic, int lTop, int lLeft, int lWidth, int lHeight,
        int Picx, int Picy, const QColor& ShadowColor);

    // Replaces the failure handler for every DrawPic; an empty handler
    // brings back the default.
    static void setFailureHandler(FailureHandler handler);

    // Largest edge of a scratch surface; larger targets count as failures.
    static constexpr int kMaxScratchEdge = 16384;
};

} // namespace sheen
