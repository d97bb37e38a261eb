#include "imageio.h"

#include "picture.h"

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace kf {
namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

bool withinLimits(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide
        && size.height() <= kMaxPictureSide && qint64(size.width()) * size.height() <= kMaxPicturePixels;
}

bool turnsSideways(QImageIOHandler::Transformations t)
{
    return t.testFlag(QImageIOHandler::TransformationRotate90);
}

// size fitted into box, aspect ratio kept, each side at least one pixel.
QSize fitted(QSize size, QSize box)
{
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    QSize out;
    if (qint64(size.width()) * box.height() >= qint64(size.height()) * box.width())
        out = QSize(box.width(), qRound(double(size.height()) * box.width() / size.width()));
    else
        out = QSize(qRound(double(size.width()) * box.height() / size.height()), box.height());
    return out.expandedTo(QSize(1, 1));
}

void prepare(QImageReader& reader, const QString& path)
{
    reader.setFileName(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
}

QImage decode(const QString& path, QSize box, QString* error)
{
    if (path.isEmpty()) {
        setError(error, QStringLiteral("no file name given"));
        return {};
    }
    QImageReader reader;
    prepare(reader, path);
    if (!reader.canRead()) {
        setError(error, QStringLiteral("cannot read %1: %2").arg(path, reader.errorString()));
        return {};
    }
    const QSize stored = reader.size();
    if (stored.isValid() && !withinLimits(stored)) {
        setError(error,
            QStringLiteral("%1: picture too large (%2 x %3)")
                .arg(path)
                .arg(stored.width())
                .arg(stored.height()));
        return {};
    }
    const bool wantBox = box.isValid() && !box.isEmpty();
    if (wantBox && stored.isValid()) {
        const bool sideways = turnsSideways(reader.transformation());
        const QSize shown = sideways ? stored.transposed() : stored;
        const QSize target = fitted(shown, box);
        if (target != shown)
            reader.setScaledSize(sideways ? target.transposed() : target);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        setError(error, QStringLiteral("cannot decode %1: %2").arg(path, reader.errorString()));
        return {};
    }
    if (!withinLimits(image.size())) {
        setError(error, QStringLiteral("%1: picture too large").arg(path));
        return {};
    }
    if (wantBox && !stored.isValid()) {
        const QSize target = fitted(image.size(), box);
        if (target != image.size())
            image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

} // namespace

QImage loadImage(const QString& path, QString* error)
{
    return decode(path, QSize(), error);
}

QImage loadScaled(const QString& path, QSize box, QString* error)
{
    return decode(path, box, error);
}

QSize imageSize(const QString& path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader;
    prepare(reader, path);
    const QSize stored = reader.size();
    if (!stored.isValid())
        return {};
    return turnsSideways(reader.transformation()) ? stored.transposed() : stored;
}

bool writeImage(const QImage& image, const QString& path, int saveType, QString* error)
{
    if (image.isNull()) {
        setError(error, QStringLiteral("no picture to save"));
        return false;
    }
    const char* format = nullptr;
    if (saveType == kSaveTypeWorking)
        format = "bmp";
    else if (saveType == kSaveTypeJpeg)
        format = "jpeg";
    if (!format) {
        setError(error, QStringLiteral("unknown save type %1").arg(saveType));
        return false;
    }
    if (path.isEmpty()) {
        setError(error, QStringLiteral("no file name given"));
        return false;
    }
    QImage out = image;
    if (out.hasAlphaChannel()) {
        QImage flat(out.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, out);
        painter.end();
        out = flat;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    QImageWriter writer(&file, format);
    if (saveType == kSaveTypeJpeg)
        writer.setQuality(kJpegQuality);
    if (!writer.write(out)) {
        file.cancelWriting();
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()));
        return false;
    }
    if (!file.commit()) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace kf
