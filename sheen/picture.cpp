#include "picture.h"

#include <QBuffer>
#include <QDataStream>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace sheen {

namespace {

constexpr quint32 kMagic = 0x53485043; // "SHPC"
constexpr quint8 kFormatVersion = 1;
constexpr QSize kIconCell(32, 32);

// Lets QVariant-based callers (Qt properties, the form designer, property
// stores) assign images, pixmaps and icons where a picture is expected.
[[maybe_unused]] const bool kConvertersRegistered = [] {
    qRegisterMetaType<Picture>();
    QMetaType::registerConverter<QImage, Picture>([](const QImage& image) { return Picture(image); });
    QMetaType::registerConverter<QPixmap, Picture>([](const QPixmap& pixmap) { return Picture(pixmap); });
    QMetaType::registerConverter<QIcon, Picture>([](const QIcon& icon) { return Picture(icon); });
    return true;
}();

QImage iconImage(const QIcon& icon, QSize size)
{
    return icon.pixmap(size, 1.0).toImage();
}

} // namespace

Picture::Picture(const QImage& bitmap)
{
    if (bitmap.isNull())
        return;
    m_type = Bitmap;
    m_bitmap = bitmap;
    m_size = bitmap.size();
}

Picture::Picture(const QPixmap& bitmap)
    : Picture(bitmap.toImage())
{
}

Picture::Picture(const QIcon& icon, QSize naturalSize)
{
    if (icon.isNull())
        return;
    if (naturalSize.isEmpty())
        naturalSize = icon.actualSize(kIconCell);
    if (naturalSize.isEmpty())
        naturalSize = kIconCell;
    m_type = Icon;
    m_icon = icon;
    m_size = naturalSize;
}

Picture Picture::fromMetafile(const QPicture& picture)
{
    Picture result;
    if (picture.isNull())
        return result;
    result.m_type = Metafile;
    result.m_metafile = picture;
    result.m_size = picture.boundingRect().size();
    return result;
}

Picture Picture::load(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("ico") || suffix == QLatin1String("cur")) {
        QIcon icon(fileName);
        if (icon.availableSizes().isEmpty())
            return {};
        return Picture(icon);
    }
    QImageReader reader(fileName);
    return Picture(reader.read());
}

QByteArray Picture::toBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kFormatVersion << qint32(m_type) << qint32(m_size.width()) << qint32(m_size.height());
    switch (m_type) {
    case Bitmap:
        out << m_bitmap;
        break;
    case Icon:
        // The icon is stored as its rendering at the natural size, which is
        // all the button ever draws of it.
        out << QIcon(QPixmap::fromImage(iconImage(m_icon, m_size)));
        break;
    case Metafile:
        out << m_metafile;
        break;
    case None:
        break;
    }
    return bytes;
}

std::optional<Picture> Picture::fromBytes(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint8 version = 0;
    qint32 type = 0, width = 0, height = 0;
    in >> magic >> version >> type >> width >> height;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kFormatVersion || width < 0
        || height < 0)
        return std::nullopt;
    Picture result;
    switch (type) {
    case None:
        return result;
    case Bitmap: {
        QImage image;
        in >> image;
        if (image.isNull())
            return std::nullopt;
        result = Picture(image);
        break;
    }
    case Icon: {
        QIcon icon;
        in >> icon;
        if (icon.isNull())
            return std::nullopt;
        result = Picture(icon, QSize(width, height));
        break;
    }
    case Metafile: {
        QPicture picture;
        in >> picture;
        result = fromMetafile(picture);
        if (result.isNull())
            return std::nullopt;
        break;
    }
    default:
        return std::nullopt;
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return result;
}

bool Picture::operator==(const Picture& other) const
{
    if (m_type != other.m_type || m_size != other.m_size)
        return false;
    switch (m_type) {
    case None:
        return true;
    case Bitmap:
        return m_bitmap == other.m_bitmap;
    case Icon:
        return m_icon.cacheKey() == other.m_icon.cacheKey()
            || iconImage(m_icon, m_size) == iconImage(other.m_icon, m_size);
    case Metafile:
        return m_metafile.size() == other.m_metafile.size()
            && std::equal(m_metafile.data(), m_metafile.data() + m_metafile.size(), other.m_metafile.data());
    }
    return false;
}

} // namespace sheen
