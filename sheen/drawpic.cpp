#include "drawpic.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QTimer>
#include <algorithm>

namespace sheen {

namespace {

DrawPic::FailureHandler& failureHandler()
{
    static DrawPic::FailureHandler handler;
    return handler;
}

// The message box waits for the end of the paint that failed: a modal loop
// inside a paint would paint again into the half-finished one. While one box
// is open, further failures add no second one.
void showFailureBox()
{
    static bool pending = false;
    if (pending || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    pending = true;
    QTimer::singleShot(0, [] {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sheen"), QStringLiteral("drawstate不能用~"),
            QMessageBox::Ok);
        box.exec();
        pending = false;
    });
}

void reportFailure()
{
    if (failureHandler())
        failureHandler()();
    else
        showFailureBox();
}

bool drawable(const Picture& pic)
{
    return pic.type() == Picture::Bitmap || pic.type() == Picture::Icon;
}

QImage iconAt(const QIcon& icon, int width, int height)
{
    QImage image = icon.pixmap(QSize(width, height), 1.0).toImage();
    if (image.size() != QSize(width, height))
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

// The picture as the disabled and silhouette drawings take it: stretched into
// a transparent width x height surface. Null when no surface can be made.
QImage renderScaled(const Picture& pic, int width, int height, int Picx, int Picy)
{
    if (width > DrawPic::kMaxScratchEdge || height > DrawPic::kMaxScratchEdge)
        return {};
    QImage scratch(width, height, QImage::Format_ARGB32_Premultiplied);
    if (scratch.isNull())
        return {};
    scratch.fill(Qt::transparent);
    QPainter painter(&scratch);
    if (pic.type() == Picture::Bitmap) {
        if (Picx > 0 && Picy > 0)
            painter.drawImage(QRect(0, 0, width, height), pic.bitmap(), QRect(0, 0, Picx, Picy));
    } else {
        painter.drawImage(QPoint(0, 0), iconAt(pic.icon(), width, height));
    }
    return scratch;
}

// The scratch rendering for a disabled or silhouette drawing; null when there
// is nothing to draw, or when it cannot be made, which is reported.
QImage scratchFor(const Picture& pic, int width, int height, int Picx, int Picy)
{
    if (!drawable(pic) || width <= 0 || height <= 0)
        return {};
    QImage rendered = renderScaled(pic, width, height, Picx, Picy);
    if (rendered.isNull())
        reportFailure();
    return rendered;
}

// The picture's ink in one colour: every pixel that, laid over white, is not
// white or nearly so. Transparent parts and white parts are left out, the way
// a one-colour rendering against a white ground sees a picture.
QImage inkMask(const QImage& rendered, const QColor& ink)
{
    QImage mask(rendered.size(), QImage::Format_ARGB32_Premultiplied);
    const QRgb inkPixel = qPremultiply(ink.rgba());
    constexpr int kWhiteFloor = 0xF8;
    for (int y = 0; y < rendered.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(rendered.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < rendered.width(); ++x) {
            const QRgb p = src[x];
            const int overWhite = 255 - qAlpha(p);
            const int darkest = std::min({qRed(p), qGreen(p), qBlue(p)}) + overWhite;
            dst[x] = darkest < kWhiteFloor ? inkPixel : 0;
        }
    }
    return mask;
}

} // namespace

void DrawPic::setFailureHandler(FailureHandler handler)
{
    failureHandler() = std::move(handler);
}

void DrawPic::drawPic(
    QPainter& hdcmb, const Picture& pic, int lTop, int lLeft, int lWidth, int lHeight, int Picx, int Picy)
{
    if (pic.type() == Picture::Bitmap) {
        if (lWidth <= 0 || lHeight <= 0 || Picx <= 0 || Picy <= 0)
            return;
        hdcmb.drawImage(QRect(lLeft, lTop, lWidth, lHeight), pic.bitmap(), QRect(0, 0, Picx, Picy));
    } else if (pic.type() == Picture::Icon) {
        if (Picx <= 0 || Picy <= 0)
            return;
        hdcmb.drawImage(QPoint(lLeft, lTop), iconAt(pic.icon(), Picx, Picy));
    }
}

void DrawPic::DrawDisabledPic(
    QPainter& hdcmb, const Picture& pic, int lTop, int lLeft, int lWidth, int lHeight, int Picx, int Picy)
{
    const QImage rendered = scratchFor(pic, lWidth, lHeight, Picx, Picy);
    if (rendered.isNull())
        return;
    // Embossed: the ink in the light grey one pixel down and right, then in
    // the dark grey in place.
    const QPalette palette = QGuiApplication::palette();
    hdcmb.drawImage(QPoint(lLeft + 1, lTop + 1), inkMask(rendered, palette.color(QPalette::Light)));
    hdcmb.drawImage(QPoint(lLeft, lTop), inkMask(rendered, palette.color(QPalette::Dark)));
}

void DrawPic::DrawShadowPic(QPainter& hdcmb, const Picture& pic, int lTop, int lLeft, int lWidth, int lHeight,
    int Picx, int Picy, const QColor& ShadowColor)
{
    const QImage rendered = scratchFor(pic, lWidth, lHeight, Picx, Picy);
    if (rendered.isNull())
        return;
    hdcmb.drawImage(QPoint(lLeft, lTop), inkMask(rendered, ShadowColor));
}

} // namespace sheen
