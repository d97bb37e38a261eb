#pragma once

// Building a photo from its copies. A photo in the run's folder is never
// edited step by step: it is rebuilt from its 320 x 240 clean copy whenever
// its template or its placement changes. Every rebuild ends with the site
// mark, so each photo on disk carries exactly one mark.
//
// Order of a rebuilt photo: placement (paste onto the canvas, turn, crop)
// -> template -> mark -> recorded colour steps.
//
// Every file is replaced only when its new content is complete; a failed
// rebuild leaves the photo and its copies as they were.

#include "picture.h"
#include "shell/phototable.h"
#include "templatefile.h"

#include <QImage>
#include <QPoint>
#include <QString>

namespace kf {

struct BoothSession;

// Working size of clean and placed copies.
inline constexpr int kWorkWidth = 320;
inline constexpr int kWorkHeight = 240;
// Placement canvas: the clean copy is pasted at (160, 200) of 640 x 640.
inline constexpr int kCanvasSide = 640;
inline constexpr int kCanvasPasteLeft = 160;
inline constexpr int kCanvasPasteTop = 200;

// The operator's web address drawn into every photo: its text and left
// edge; the top is always kMarkTop.
struct SiteMark {
    QString text;
    int x = 270;
};
inline constexpr int kMarkTop = 228;
inline constexpr int kMarkLeftA = 270;
inline constexpr int kMarkLeftB = 250;
SiteMark siteMarkOf(const BoothSession& session);

// MarkPhoto: the mark in black, Times New Roman 8, at (mark.x, kMarkTop)
// pixels of the picture whatever its size, fixed into the pixels.
void markPicture(Picture& picture, const SiteMark& mark);

// Top left corner of the 320 x 240 crop from the turned canvas of W x H:
// ((W - 640) / 2 + 160 + x, (H - 640) / 2 + 200 + y), each sum rounded to
// the nearest integer with halves to the even neighbour.
QPoint placementCropOrigin(int turnedWidth, int turnedHeight, int x, int y);

// Writes every picture to its path so that either all files are replaced
// or none is: each goes to a side file first and all are renamed into
// place only when every one was written.
struct PictureFile {
    QImage image;
    QString path;
};
bool writePicturesTogether(const std::vector<PictureFile>& files, QString* error = nullptr);

class Merger {
public:
    // canvasPath: data/back.jpg (a white 640 x 640 canvas stands in when it
    // cannot be read; another size is scaled to 640 x 640).
    Merger(QString canvasPath, SiteMark mark);

    const SiteMark& mark() const { return mark_; }

    // The pictures of a shot from the grabbed frame: the clean copy (the
    // frame at 320 x 240) and the photo (the clean copy, composed with the
    // template when there is one, and marked). False (and *error) when the
    // template cannot be read.
    struct ShotPictures {
        QImage clean;
        QImage photo;
    };
    bool shotPictures(const QImage& grabbed, const QString& templatePath, ShotPictures* out,
        QString* error = nullptr) const;

    // Recompose: rebuilds photo with templatePath (may be empty) from its
    // placed copy when it has one, else from its clean copy, and marks it.
    // Recorded colour steps are not applied (the caller drops them).
    bool recompose(const QString& photo, const QString& templatePath, QString* error = nullptr) const;

    // EndMerger: places the clean copy with (x, y, angle), writes the placed
    // copy, composes the template, marks, and replays the colour steps in
    // order. Either the placed copy and the photo are both rewritten or
    // neither is.
    bool endMerger(
        const QString& photo, const PhotoSlot& slot, int x, int y, int angle, QString* error = nullptr) const;

    // The placed picture alone: the clean copy at path pasted on the canvas,
    // turned by angle degrees and cropped (exposed for tests and benchmarks).
    QImage placed(const QImage& clean, int x, int y, int angle) const;

    // The template at path, decoded (the last one is kept while its file is
    // unchanged). Null when it cannot be read.
    QImage templatePicture(const QString& path, QString* error = nullptr) const;

    // Applies colour steps to a picture in order: brightness, contrast,
    // colour balance of each group.
    static void applyColourSteps(Picture& picture, const QString& colourSteps);

private:
    const QImage& canvas() const;
    // picture composed with the template at templatePath (unchanged for an
    // empty path); null when the template cannot be read.
    QImage composed(const QImage& picture, const QString& templatePath, QString* error) const;

    QString canvasPath_;
    SiteMark mark_;
    mutable QImage canvas_;
    mutable TemplateCache templates_;
};

} // namespace kf
