#include "templatefile.h"

#include "compound.h"
#include "picture.h"
#include "shell/templatescramble.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace kf {
namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QSize fittedInto(QSize size, QSize box)
{
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

} // namespace

QByteArray readTemplateBytes(const QString& path, QString* error)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("cannot open template %1").arg(path));
        return {};
    }
    if (file.size() > kMaxTemplateBytes) {
        setError(error, QStringLiteral("template %1 is too large").arg(path));
        return {};
    }
    QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        setError(error, QStringLiteral("template %1 is empty").arg(path));
        return {};
    }
    toggleTemplateBytes(
        reinterpret_cast<std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size()));
    return bytes;
}

QImage loadTemplate(const QString& path, QSize box, QString* error)
{
    QByteArray bytes = readTemplateBytes(path, error);
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.width() > kMaxPictureSide || stored.height() > kMaxPictureSide
        || qint64(stored.width()) * stored.height() > kMaxPicturePixels) {
        setError(error, QStringLiteral("template %1 is not a readable picture").arg(path));
        return {};
    }
    if (box.isValid() && !box.isEmpty()) {
        const QSize target = fittedInto(stored, box);
        if (target != stored)
            reader.setScaledSize(target);
    }
    QImage image = reader.read();
    if (image.isNull())
        setError(error, QStringLiteral("cannot decode template %1: %2").arg(path, reader.errorString()));
    return image;
}

QImage TemplateCache::load(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!image_.isNull() && path == path_ && info.size() == size_ && info.lastModified() == modified_)
        return image_;
    image_ = loadTemplate(path, QSize(), error);
    path_ = path;
    size_ = info.size();
    modified_ = info.lastModified();
    return image_;
}

QImage overlayImage(const QImage& tmpl)
{
    if (tmpl.isNull())
        return {};
    if (tmpl.hasAlphaChannel())
        return tmpl.convertToFormat(QImage::Format_RGBA8888);
    QImage out = tmpl.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < out.height(); ++y) {
        uchar* p = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x, p += 4) {
            const int m = std::min({int(p[0]), int(p[1]), int(p[2])});
            const int weight = std::clamp((kKeyClearMin - m) * 255 / (kKeyClearMin - kKeyOpaqueMax), 0, 255);
            p[3] = static_cast<uchar>(weight);
        }
    }
    return out;
}

QImage composeWithTemplate(const QImage& picture, const QString& templatePath, QString* error)
{
    if (templatePath.isEmpty())
        return Picture(picture).image();
    const QImage tmpl = loadTemplate(templatePath, QSize(), error);
    if (tmpl.isNull())
        return {};
    return composeTemplate(picture, tmpl);
}

} // namespace kf
