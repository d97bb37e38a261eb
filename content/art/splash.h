#pragma once

#include <QColor>
#include <QImage>

namespace kf::art {

// Background colour of the splash window, RGB(255,128,128).
inline const QColor kSplashBackground(255, 128, 128);

// The picture the splash window reveals: 320 x 241 pixels, the window's
// size, on the splash background colour.
QImage splashPicture();

} // namespace kf::art
