#pragma once

#include <QImage>
#include <QPoint>

namespace kf::art {

// data/Video.jpg: the preview area's picture while the camera is not open
// (320 x 240).
QImage cameraOffPicture();
// data/back.jpg: the 640 x 640 placement canvas, plain white so that the
// area a moved photo uncovers stays clean and keys like a template's window.
QImage placementCanvas();
// data/photo.jpg: an album tile (89 x 73, the album chooser's tile size).
QImage albumTile();
// The pointer shown over web links (32 x 32 with alpha) and its hot spot.
QImage linkPointer(QPoint* hotSpot);
// A sample photo (640 x 480) of a smiling face, for previews of templates.
QImage samplePhoto();

} // namespace kf::art
