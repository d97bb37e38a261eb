#pragma once

#include "sheen_global.h"

#include <QIcon>
#include <QImage>
#include <QMetaType>
#include <QPicture>
#include <QSize>
#include <optional>

class QPixmap;

namespace sheen {

// A picture as the button and DrawPic see it: a bitmap (stretched to whatever
// rectangle it is drawn into), an icon (drawn at the size asked for, with its
// own transparency) or a vector picture, which is kept but never drawn. The
// natural size is in pixels. Copies share their data.
class SHEEN_EXPORT Picture {
public:
    enum Type { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

    Picture() = default;
    // Implicit on purpose: a QImage or QPixmap can be assigned where a
    // picture is expected and becomes a bitmap picture.
    Picture(const QImage& bitmap);
    Picture(const QPixmap& bitmap);
    // An icon; its natural size is naturalSize, or when that is empty the
    // size the icon offers for a 32 x 32 cell.
    explicit Picture(const QIcon& icon, QSize naturalSize = {});
    static Picture fromMetafile(const QPicture& picture);
    // .ico and .cur files become icons, other image files bitmaps; a file
    // that cannot be read gives an empty picture.
    static Picture load(const QString& fileName);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == None; }
    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }

    const QImage& bitmap() const { return m_bitmap; }
    const QIcon& icon() const { return m_icon; }
    const QPicture& metafile() const { return m_metafile; }

    // Self-contained byte form for property stores; fromBytes gives nothing
    // for data that is not such a form.
    QByteArray toBytes() const;
    static std::optional<Picture> fromBytes(const QByteArray& bytes);

    bool operator==(const Picture& other) const;

private:
    Type m_type = None;
    QSize m_size;
    QImage m_bitmap;
    QIcon m_icon;
    QPicture m_metafile;
};

} // namespace sheen

Q_DECLARE_METATYPE(sheen::Picture)
