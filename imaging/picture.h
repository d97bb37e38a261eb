#pragma once

// kf::Picture: the booth's picture document. A value type over a QImage that
// offers every picture operation the booth's windows use: loading (whole or
// at a reduced size), blank pictures, exact scaling, turning, cropping, text
// drawn and then fixed into the pixels, brightness, contrast, colour balance,
// the paste area with merge on load, and saving in the working format or as
// JPEG.
//
// Pictures are held opaque, 8 bits per channel (QImage::Format_RGB32).
// Everything here is reentrant: different Picture objects may be used on
// different threads at the same time (text drawing needs a QGuiApplication
// to exist, as all Qt font work does).

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace kf {

// Save types. The working format is the format of every picture the booth
// writes, whatever the file's extension; it is a 24-bit BMP file and loads
// back pixel for pixel. The upload format is JPEG.
inline constexpr int kSaveTypeWorking = 5;
inline constexpr int kSaveTypeJpeg = 8;
inline constexpr int kJpegQuality = 90;

// Largest picture the library creates or decodes: each side at most
// kMaxPictureSide pixels and at most kMaxPicturePixels pixels in all.
inline constexpr int kMaxPictureSide = 20000;
inline constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;

// Colours written in BGR notation, &H00BBGGRR (red in the lowest byte):
// bgr(0x0080FF80) is light green, bgr(0xFF0000) is blue. The top byte is
// ignored. toBgr gives the value back.
QColor bgr(quint32 value);
quint32 toBgr(const QColor& colour);

// The font used for drawn text. size is in points at 96 dots per inch
// (8 pt = 10.67 px on the picture).
struct TextFont {
    QString name = QStringLiteral("Times New Roman");
    double size = 8.0;
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
};

class Picture {
public:
    Picture() = default;
    // Adopts an image: converted to RGB32, transparent parts laid on white.
    explicit Picture(const QImage& image);

    // Loads the picture at path, whatever its extension (the format is found
    // from the content; BMP, JPEG, PNG, GIF and the other Qt formats). JPEG
    // orientation tags are applied. While the paste area and merge on load
    // are both on and a picture is held, the loaded picture is placed into
    // the paste area instead (see setPasteArea). On failure the picture is
    // unchanged and false is returned.
    bool load(const QString& path);
    // Loads the picture fitted into box (aspect ratio kept, never enlarged),
    // decoding at the reduced size where the format allows it (JPEG). The
    // paste area does not apply; an invalid box loads the whole picture.
    bool load(const QString& path, QSize box);

    // Empties the picture (and drops pending text). Font and paste settings stay.
    void clear();
    bool isNull() const { return image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QSize size() const { return image_.size(); }

    // The picture's pixels, without pending text. Format_RGB32.
    const QImage& image() const { return image_; }
    // The picture as a view shows it: the pixels with pending text drawn over.
    QImage shownImage() const;
    // Replaces the pixels (as the adopting constructor does); drops pending text.
    void setImage(const QImage& image);

    // New picture: replaces the picture by a blank one of width x height in
    // colour. bitsPerPixel is one of 1, 4, 8, 16, 24, 32; the picture is
    // always held as true colour. False (picture unchanged) for a bad size or
    // bit depth.
    bool newPicture(int width, int height, int bitsPerPixel, const QColor& colour);

    // Scales to exactly width x height pixels (smooth filtering); false for a
    // size below 1 or above the limits.
    bool scale(int width, int height);

    // Turns the picture by degrees; positive turns it to the left (counter-
    // clockwise). The result is the bounding box of the turned picture,
    // ceil(w|cos| + h|sin|) x ceil(w|sin| + h|cos|), with the picture's centre
    // at the centre of the box; the corners outside the turned picture are
    // filled with fill (white unless given). Multiples of 90 degrees turn
    // pixel for pixel exactly.
    bool rotate(double degrees, const QColor& fill = QColor(255, 255, 255));

    // Keeps only the rectangle. A rectangle reaching outside the picture is
    // clipped to it; one that misses the picture entirely (or has no area)
    // leaves the picture unchanged and gives false.
    bool crop(int left, int top, int width, int height);

    // Drawn text. drawText puts text with its top left corner at (x, y)
    // pixels of the picture, in the current font and colour; the text stays
    // pending (shown, but not part of image() and not saved) until fixText()
    // makes it part of the pixels. Loading, clearing or a new picture drops
    // pending text; other operations leave it pending where it was drawn.
    void setFont(const QString& name, double sizePoints, bool bold, bool italic, bool strikethrough);
    void setFont(const TextFont& font) { font_ = font; }
    const TextFont& font() const { return font_; }
    void drawText(int x, int y, const QString& text, const QColor& colour);
    bool hasPendingText() const { return !pending_.isEmpty(); }
    void fixText();
    // Flattens the current state into the picture: what is shown becomes the
    // pixels (pending text is fixed).
    void flatten() { fixText(); }

    // Colour adjustments, each value -100..100 (clamped), applied at once to
    // the pixels; 0 changes nothing. With c a channel value 0..255 and every
    // division truncating toward zero, the result clamped to 0..255:
    //   brightness(v):        c + v * 255 / 100             (all channels)
    //   contrast(v):          128 + (c - 128) * (100 + v) / 100
    //   colourBalance(r,g,b): red + r * 255 / 100, green + g * 255 / 100,
    //                         blue + b * 255 / 100
    // So brightness 100 gives white, contrast -100 flat grey 128, contrast
    // 100 doubles the distance from the middle. False for an empty picture.
    bool brightness(int value);
    bool contrast(int value);
    bool colourBalance(int red, int green, int blue);

    // Writes the picture's pixels (pending text is not written) to path:
    // kSaveTypeWorking = 24-bit BMP, kSaveTypeJpeg = JPEG (quality
    // kJpegQuality). The file is written to a temporary file in the same
    // folder and renamed over path only when complete, so a failed save
    // leaves any earlier file at path untouched. False for an empty picture,
    // an unknown save type or a failed write.
    bool save(const QString& path, int saveType) const;

    // Paste area and merge on load. While both are on and the picture is not
    // empty, load(path) places the loaded picture at the area's top left
    // corner, at its own size, clipped to the area and to the picture: the
    // picture keeps its size and everything outside the placed part. The
    // rectangle is remembered when the area is switched off, and the
    // one-argument form switches without changing it.
    void setPasteArea(bool on) { pasteOn_ = on; }
    void setPasteArea(bool on, const QRect& area)
    {
        pasteOn_ = on;
        pasteArea_ = area;
    }
    bool pasteAreaOn() const { return pasteOn_; }
    QRect pasteArea() const { return pasteArea_; }
    void setMergeOnLoad(bool on) { mergeOn_ = on; }
    bool mergeOnLoad() const { return mergeOn_; }
    // True when a load would paste rather than replace.
    bool pasting() const { return pasteOn_ && mergeOn_ && !image_.isNull(); }

    // Why the last failing operation failed (empty after a success).
    QString errorString() const { return error_; }

private:
    struct PendingText {
        int x;
        int y;
        QString text;
        QColor colour;
        TextFont font;
    };
    void adopt(QImage image);
    bool fail(const QString& message) const;
    bool ok() const;
    bool applyLut(const quint8* red, const quint8* green, const quint8* blue);

    QImage image_;
    QList<PendingText> pending_;
    TextFont font_;
    QRect pasteArea_;
    bool pasteOn_ = false;
    bool mergeOn_ = false;
    mutable QString error_;
};

} // namespace kf
