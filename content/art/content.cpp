#include "art/content.h"

#include "art/encode.h"
#include "art/helpdoc.h"
#include "art/layout.h"
#include "art/paint.h"
#include "art/pictures.h"
#include "art/skin.h"
#include "art/templates.h"
#include "shell/templatescramble.h"

#include <QPainter>

namespace kf::art {

QStringList templateCategories()
{
    return {QString::fromUtf8("动画"), QString::fromUtf8("另类"), QString::fromUtf8("爱情"),
        QString::fromUtf8("杂志"), QString::fromUtf8("海报"), QString::fromUtf8("朦胧照")};
}

namespace {

// Main background budget: the booth takes a main.jpg of 175 KB or less as
// skin variant A; stay well inside it.
constexpr int kMainJpegBudget = 150 * 1024;

} // namespace

QList<ContentFile> buildContent()
{
    QList<ContentFile> files;
    const QImage background = mainBackground();
    const QByteArray mainJpeg = encodeJpegWithin(background, kMainJpegBudget, 95);
    files.append({QStringLiteral("data/main.jpg"), mainJpeg});
    // Buttons are cut from the background as the window will show it, i.e.
    // after JPEG decoding, so no seam shows around them.
    QImage shown = QImage::fromData(mainJpeg, "JPG").convertToFormat(QImage::Format_RGB32);
    if (shown.isNull())
        shown = background;

    QList<HelpImage> helpImages;
    for (const ButtonPicture& b : mainWindowButtons()) {
        const QByteArray normal = encodeGif(buttonPicture(shown, b, false));
        files.append({QStringLiteral("data/") + b.normal, normal});
        helpImages.append({b.normal, QStringLiteral("image/gif"), normal});
        if (!b.hover.isEmpty())
            files.append({QStringLiteral("data/") + b.hover, encodeGif(buttonPicture(shown, b, true))});
    }

    const QImage cameraOff = cameraOffPicture();
    files.append({QStringLiteral("data/Video.jpg"), encodeJpeg(cameraOff, 92)});
    files.append({QStringLiteral("data/back.jpg"), encodeJpeg(placementCanvas(), 95)});
    files.append({QStringLiteral("data/photo.jpg"), encodeJpeg(albumTile(), 92)});
    QPoint hot;
    const QImage pointer = linkPointer(&hot);
    files.append({QStringLiteral("data/harrow.cur"), encodeCursor(pointer, hot)});

    const QList<TemplateArt> templates = allTemplates();
    // The help page shows the window at work: the first category in the
    // grid and a photo in the strip.
    QList<QImage> cells;
    for (const TemplateArt& t : templates) {
        if (t.category == templateCategories().constFirst() && cells.size() < 15)
            cells << t.image;
    }
    QImage shot = samplePhoto();
    {
        QPainter p(&shot);
        p.drawImage(0, 0, templates.constFirst().image);
    }
    const QImage overview = mainWindowPreview(shown, false, shot, cells, {shot});
    helpImages.append(
        {QStringLiteral("overview.jpg"), QStringLiteral("image/jpeg"), encodeJpeg(overview, 88)});
    files.append({QStringLiteral("help.mht"), helpDocument(helpImages)});

    for (const TemplateArt& t : templates) {
        QByteArray bytes = t.jpeg ? encodeJpeg(t.image, 92) : encodePng(t.image);
        kf::toggleTemplateBytes(
            reinterpret_cast<std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size()));
        files.append({QStringLiteral("image/%1/%2").arg(t.category, t.fileName), bytes});
    }
    return files;
}

QImage appIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const QPainterPath tile = roundedRectPath(QRectF(16, 16, 224, 224), 52);
    softShadow(p, tile, QColor(120, 30, 60, 120), QPointF(0, 6), 10);
    QLinearGradient g(0, 16, 0, 240);
    g.setColorAt(0, QColor(255, 150, 150));
    g.setColorAt(1, QColor(226, 70, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(tile);
    gloss(p, tile, 0.35);
    drawCamera(p, QRectF(52, 66, 152, 118), QColor(255, 250, 246), QColor(110, 40, 80), QColor(90, 140, 220));
    p.setBrush(QColor(255, 230, 120));
    p.drawPath(sparklePath(QPointF(196, 58), 18));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(heartPath(QPointF(128, 212), 26));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace kf::art
