#pragma once

#include "picture.h"

#include <QLabel>
#include <QList>
#include <QWidget>

namespace sheen {

class SheenKey;

// Pictures the gallery draws for itself.
Picture galleryBitmap(); // 32 x 32 camera on white, a bitmap
Picture galleryIcon(); // 32 x 32 star with transparency, an icon
Picture galleryBackground(QColor top, QColor bottom); // 8 x 8 gradient, stretched

// The four looks of one button with the given border style, side by side,
// enlarged `zoom` times pixel for pixel, for looking at single pixels.
QImage zoomedLooks(int border, int zoom);

// Every look and border style side by side, and a row of live buttons.
class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget* parent = nullptr);
    QList<SheenKey*> liveKeys() const { return m_live; }

private:
    QWidget* lookSheet(SheenKey& model);
    QWidget* liveRow();
    QList<SheenKey*> m_live;
    QLabel* m_status;
};

} // namespace sheen
