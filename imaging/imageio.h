#pragma once

// Reading and writing picture files: the decoding rules shared by Picture,
// compound() and ImageView. Reentrant.

#include <QImage>
#include <QSize>
#include <QString>

namespace kf {

// Decodes the picture at path. The format is found from the content, not the
// extension; JPEG orientation tags are applied. Returns a null image (and
// sets *error when given) for a missing, unreadable or oversized picture.
// The image keeps its decoded format (an alpha channel stays).
QImage loadImage(const QString& path, QString* error = nullptr);

// Decodes the picture at path fitted into box: aspect ratio kept, rounded to
// whole pixels, never enlarged. JPEG is decoded at the reduced size (the
// decoder skips the detail it would throw away), which costs a fraction of a
// full decode; other formats are decoded whole and scaled smoothly. An
// invalid or empty box decodes the whole picture.
QImage loadScaled(const QString& path, QSize box, QString* error = nullptr);

// The size the picture at path will have once loaded (orientation applied),
// read from its header without decoding; an invalid size when unreadable.
QSize imageSize(const QString& path);

// An opaque Format_RGB32 copy of image; transparent parts are laid on white.
QImage opaqueImage(const QImage& image);

// Writes image to path in the save type (kSaveTypeWorking: 24-bit BMP;
// kSaveTypeJpeg: JPEG), through a hidden temporary file in the same folder
// that is renamed over path only when complete. False (path untouched) on
// failure. An existing file keeps its permissions.
bool writeImage(const QImage& image, const QString& path, int saveType, QString* error = nullptr);

} // namespace kf
