#include "merger.h"

#include "compound.h"
#include "imageio.h"
#include "shell/session.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kf {
namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

int roundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

SiteMark siteMarkOf(const BoothSession& session)
{
    return SiteMark {session.config.siteMark(session.variant),
        session.variant == SkinVariant::A ? kMarkLeftA : kMarkLeftB};
}

void markPicture(Picture& picture, const SiteMark& mark)
{
    picture.setFont(QStringLiteral("Times New Roman"), 8, false, false, false);
    picture.drawText(mark.x, kMarkTop, mark.text, QColor(0, 0, 0));
    picture.fixText();
}

QPoint placementCropOrigin(int turnedWidth, int turnedHeight, int x, int y)
{
    const double left = (turnedWidth - kCanvasSide) / 2.0 + kCanvasPasteLeft + x;
    const double top = (turnedHeight - kCanvasSide) / 2.0 + kCanvasPasteTop + y;
    return QPoint(roundHalfEven(left), roundHalfEven(top));
}

bool writePicturesTogether(const std::vector<PictureFile>& files, QString* error)
{
    std::vector<QString> parts;
    auto discard = [&parts] {
        for (const QString& p : parts)
            QFile::remove(p);
    };
    for (const PictureFile& f : files) {
        const QString part = f.path + QStringLiteral(".part");
        if (!writeImage(f.image, part, kSaveTypeWorking, error)) {
            discard();
            return false;
        }
        parts.push_back(part);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        // rename() replaces an existing file in one step.
        if (std::rename(QFile::encodeName(parts[i]).constData(), QFile::encodeName(files[i].path).constData())
            != 0) {
            setError(error, QStringLiteral("cannot replace %1").arg(files[i].path));
            for (std::size_t j = i; j < parts.size(); ++j)
                QFile::remove(parts[j]);
            return false;
        }
    }
    return true;
}

Merger::Merger(QString canvasPath, SiteMark mark)
    : canvasPath_(std::move(canvasPath))
    , mark_(std::move(mark))
{
}

const QImage& Merger::canvas() const
{
    if (canvas_.isNull()) {
        QImage loaded = loadImage(canvasPath_);
        if (loaded.isNull()) {
            loaded = QImage(kCanvasSide, kCanvasSide, QImage::Format_RGB32);
            loaded.fill(Qt::white);
        }
        canvas_ = Picture(loaded).image();
        if (canvas_.size() != QSize(kCanvasSide, kCanvasSide))
            canvas_
                = canvas_.scaled(kCanvasSide, kCanvasSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return canvas_;
}

QImage Merger::templatePicture(const QString& path, QString* error) const
{
    return templates_.load(path, error);
}

QImage Merger::composed(const QImage& picture, const QString& templatePath, QString* error) const
{
    if (templatePath.isEmpty())
        return Picture(picture).image();
    const QImage tmpl = templates_.load(templatePath, error);
    if (tmpl.isNull())
        return {};
    return composeTemplate(picture, tmpl);
}

bool Merger::shotPictures(
    const QImage& grabbed, const QString& templatePath, ShotPictures* out, QString* error) const
{
    Picture frame(grabbed);
    if (frame.isNull()) {
        setError(error, QStringLiteral("no picture was grabbed"));
        return false;
    }
    Picture clean = frame;
    clean.scale(kWorkWidth, kWorkHeight);
    // The photo has the working size from the start, as every rebuild
    // gives it, so the mark sits in its lower right corner whatever size
    // the camera delivers.
    Picture photo;
    if (templatePath.isEmpty()) {
        photo = clean;
    } else {
        const QImage picture = composed(clean.image(), templatePath, error);
        if (picture.isNull())
            return false;
        photo.setImage(picture);
    }
    markPicture(photo, mark_);
    out->clean = clean.image();
    out->photo = photo.image();
    return true;
}

bool Merger::recompose(const QString& photo, const QString& templatePath, QString* error) const
{
    const QString placedPath = placedCopy(photo);
    const QString source = QFileInfo::exists(placedPath) ? placedPath : cleanCopy(photo);
    const QImage base = loadImage(source, error);
    if (base.isNull())
        return false;
    const QImage picture = composed(base, templatePath, error);
    if (picture.isNull())
        return false;
    Picture result(picture);
    markPicture(result, mark_);
    return writePicturesTogether({{result.image(), photo}}, error);
}

QImage Merger::placed(const QImage& clean, int x, int y, int angle) const
{
    // Paste: the clean copy at the area's top left corner, at its own size,
    // clipped to the area.
    QImage board = canvas().copy();
    const QImage src = Picture(clean).image();
    const int w = std::min(src.width(), kWorkWidth);
    const int h = std::min(src.height(), kWorkHeight);
    for (int row = 0; row < h; ++row)
        std::copy_n(reinterpret_cast<const QRgb*>(src.constScanLine(row)), w,
            reinterpret_cast<QRgb*>(board.scanLine(kCanvasPasteTop + row)) + kCanvasPasteLeft);
    Picture work;
    work.setImage(board);
    work.rotate(angle);
    const QPoint at = placementCropOrigin(work.width(), work.height(), x, y);
    work.crop(at.x(), at.y(), kWorkWidth, kWorkHeight);
    return work.image();
}

void Merger::applyColourSteps(Picture& picture, const QString& colourSteps)
{
    for (const ColourStep& s : parseColourSteps(colourSteps)) {
        picture.brightness(s.brightness);
        picture.contrast(s.contrast);
        picture.colourBalance(s.red, s.green, s.blue);
    }
}

bool Merger::endMerger(
    const QString& photo, const PhotoSlot& slot, int x, int y, int angle, QString* error) const
{
    const QImage clean = loadImage(cleanCopy(photo), error);
    if (clean.isNull())
        return false;
    const QImage placedPicture = placed(clean, x, y, angle);
    const QImage picture = composed(placedPicture, slot.templatePath, error);
    if (picture.isNull())
        return false;
    Picture result(picture);
    markPicture(result, mark_);
    applyColourSteps(result, slot.colourSteps);
    return writePicturesTogether({{placedPicture, placedCopy(photo)}, {result.image(), photo}}, error);
}

} // namespace kf
