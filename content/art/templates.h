#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace kf::art {

// Template pictures are 640 x 480, the live frame's size; the booth fits
// them to each photo.
inline constexpr int kTemplateWidth = 640;
inline constexpr int kTemplateHeight = 480;

// One decorative template. PNG templates are transparent (alpha 0) where
// the photo shows; JPEG templates are pure white there, and every colour of
// their decoration keeps its smallest channel at 205 or below, so the
// booth's near-white keying (photo where min(R,G,B) >= 240, template where
// it is <= 224) finds the window and nothing else.
struct TemplateArt {
    QString category; // folder name below image/
    QString fileName; // ".png" or ".JPG"
    QImage image; // ARGB32 for PNG, RGB32 for JPEG
    bool jpeg = false;
};

QList<TemplateArt> allTemplates();

} // namespace kf::art
