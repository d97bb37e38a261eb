#pragma once

// Templates are stored scrambled (see templatescramble.h). The booth never
// unscrambles a template on disk: each use reads the file, unscrambles the
// bytes in memory and decodes them there, so the installation's files stay
// byte for byte as installed, also when the program stops half way or the
// installation is read-only.

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

namespace kf {

// Largest template file the booth reads.
inline constexpr qint64 kMaxTemplateBytes = 32LL * 1024 * 1024;

// The plain bytes of the scrambled template at path; empty (and *error
// set) when the file cannot be read.
QByteArray readTemplateBytes(const QString& path, QString* error = nullptr);

// Decodes the scrambled template at path. With a valid box the picture is
// fitted into it (aspect ratio kept, never enlarged; JPEG decodes at the
// reduced size). The image keeps its alpha channel. Null on failure.
QImage loadTemplate(const QString& path, QSize box = QSize(), QString* error = nullptr);

// The template as an overlay for the live picture: 8-bit RGBA. A template
// with an alpha channel keeps it; one without (JPEG) gets the alpha of its
// key (compound.h), so near-white parts are clear and the decoration covers
// the picture as it will in the composed photo.
QImage overlayImage(const QImage& tmpl);

// Keeps the template decoded last, for as long as its file stays the same
// (same size and modification time): choosing a template for the live
// picture and composing it into the shot decode it once.
class TemplateCache {
public:
    QImage load(const QString& path, QString* error = nullptr);

private:
    QString path_;
    qint64 size_ = -1;
    QDateTime modified_;
    QImage image_;
};

// Composes the 320 x 240 picture with the scrambled template at
// templatePath (compound.h rules); an empty templatePath gives the picture
// unchanged. Null (and *error set) when the template cannot be read.
QImage composeWithTemplate(const QImage& picture, const QString& templatePath, QString* error = nullptr);

} // namespace kf
