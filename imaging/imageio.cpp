#include "imageio.h"

#include "picture.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstdio>

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

void put16(uchar*& at, quint16 value)
{
    qToLittleEndian(value, at);
    at += 2;
}

void put32(uchar*& at, quint32 value)
{
    qToLittleEndian(value, at);
    at += 4;
}

// 24-bit uncompressed BMP: 14-byte file header, 40-byte info header, rows of
// blue, green, red padded to 4 bytes, the bottom row first.
QByteArray encodeBmp(const QImage& rgb32)
{
    const int w = rgb32.width();
    const int h = rgb32.height();
    const qint64 rowBytes = (qint64(w) * 3 + 3) & ~qint64(3);
    const qint64 pixelBytes = rowBytes * h;
    constexpr int kHeaderBytes = 54;
    QByteArray bytes(kHeaderBytes + pixelBytes, '\0');
    auto* at = reinterpret_cast<uchar*>(bytes.data());
    *at++ = 'B';
    *at++ = 'M';
    put32(at, quint32(bytes.size()));
    put32(at, 0);
    put32(at, kHeaderBytes);
    put32(at, 40);
    put32(at, quint32(w));
    put32(at, quint32(h));
    put16(at, 1);
    put16(at, 24);
    put32(at, 0);
    put32(at, quint32(pixelBytes));
    put32(at, quint32(std::max(0, rgb32.dotsPerMeterX())));
    put32(at, quint32(std::max(0, rgb32.dotsPerMeterY())));
    put32(at, 0);
    put32(at, 0);
    auto* pixels = reinterpret_cast<uchar*>(bytes.data()) + kHeaderBytes;
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        uchar* dst = pixels + (h - 1 - y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            dst[0] = uchar(qBlue(src[x]));
            dst[1] = uchar(qGreen(src[x]));
            dst[2] = uchar(qRed(src[x]));
            dst += 3;
        }
    }
    return bytes;
}

// Writes bytes to a hidden temporary file beside path and renames it over
// path once it is complete: readers see the old file or the new one, never
// a part. (The rename replaces path in one step.)
bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        setError(error, QStringLiteral("cannot write %1: it is a folder").arg(path));
        return false;
    }
    QTemporaryFile temp(
        info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX")));
    temp.setAutoRemove(true);
    if (!temp.open()) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, temp.errorString()));
        return false;
    }
    if (temp.write(bytes) != bytes.size() || !temp.flush()) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, temp.errorString()));
        return false;
    }
    temp.close();
    const QFileDevice::Permissions keep = info.exists()
        ? QFile::permissions(path)
        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    temp.setPermissions(keep);
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData())
        != 0) {
        setError(error, QStringLiteral("cannot write %1: %2").arg(path, qt_error_string(errno)));
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

} // namespace

QImage opaqueImage(const QImage& image)
{
    if (image.isNull())
        return {};
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

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
    if (saveType != kSaveTypeWorking && saveType != kSaveTypeJpeg) {
        setError(error, QStringLiteral("unknown save type %1").arg(saveType));
        return false;
    }
    if (path.isEmpty()) {
        setError(error, QStringLiteral("no file name given"));
        return false;
    }
    const QImage flat = opaqueImage(image);
    QByteArray bytes;
    if (saveType == kSaveTypeWorking) {
        bytes = encodeBmp(flat);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(kJpegQuality);
        if (!writer.write(flat)) {
            setError(error, QStringLiteral("cannot encode %1: %2").arg(path, writer.errorString()));
            return false;
        }
    }
    return writeAtomically(path, bytes, error);
}

} // namespace kf
