#pragma once

#include "art/layout.h"

#include <QImage>

namespace kf::art {

// The main window's background (744 x 516): banner, camera body with the
// preview screen, control column, film strip, template card and the button
// row, with nothing placed over it yet.
QImage mainBackground();

// A button picture: the background under the button's place with the
// button's face drawn on it, so that the button blends into the skin. The
// hover picture has the same size with a brighter face and a glow.
QImage buttonPicture(const QImage& background, const ButtonPicture& button, bool hover);

// The messenger icon (17 x 17), a chat bubble on the given background.
QImage messengerIcon(const QImage& background, const QRect& place);

// The main window as it looks with every normal picture placed (or every
// hover picture), the preview area showing preview, template cells and strip
// thumbnails showing the given pictures (fitted); for contact sheets and the
// help page.
QImage mainWindowPreview(const QImage& background, bool hover, const QImage& preview,
    const QList<QImage>& cells = {}, const QList<QImage>& strip = {});

} // namespace kf::art
