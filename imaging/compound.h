#pragma once

// compound(): composes a photo with a decorative template and writes the
// result. Reentrant.

#include <QImage>
#include <QString>

namespace kf {

// Template key of templates without an alpha channel (JPEG): with m the
// smallest of a template pixel's red, green and blue, the template covers the
// photo fully where m <= kKeyOpaqueMax, the photo shows fully where
// m >= kKeyClearMin, and the template's weight falls linearly in between
// (weight = (kKeyClearMin - m) / (kKeyClearMin - kKeyOpaqueMax)). Templates
// paint their window pure white and keep every decoration colour's smallest
// channel at or below 220.
inline constexpr int kKeyOpaqueMax = 224;
inline constexpr int kKeyClearMin = 240;

// Composes photo with tmpl and returns the result, the size of photo and
// opaque (RGB32). tmpl is first scaled smoothly to exactly the photo's size.
// A template with an alpha channel (PNG) is blended over the photo by its
// alpha (straight alpha); a template without one (JPEG) is keyed as above.
// A null tmpl gives the photo unchanged; a null photo gives a null image.
QImage composeTemplate(const QImage& photo, const QImage& tmpl);

// Compound(source, template, output, a, b): loads source (any picture the
// library reads, normally a 320 x 240 working-format copy), composes it with
// the template picture at tmpl (JPEG or PNG, see composeTemplate) and writes
// the result to output in the working format. An empty tmpl writes the
// source unchanged. a and b are reserved and ignored (callers pass 0).
// Returns 1 when output holds the composed picture. Returns 0 when the source
// or the template cannot be read or the output cannot be written; output is
// then untouched (the result is written to a temporary file in output's
// folder and renamed over output only when complete). output may name source.
qint16 compound(
    const QString& source, const QString& tmpl, const QString& output, qint16 a = 0, qint16 b = 0);

} // namespace kf
