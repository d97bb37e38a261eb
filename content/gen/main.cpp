// kf-contentgen: writes the booth's installation content into the
// application folder (and the application icons into an icon folder).
//
//   kf-contentgen --app-dir DIR [--icon-dir DIR] [--sheets DIR]
//
// --sheets also writes contact sheets (main window with normal and hover
// pictures, every template over a sample photo, the other pictures) as PNG
// for looking at the art.

#include "art/content.h"
#include "art/encode.h"
#include "art/paint.h"
#include "art/pictures.h"
#include "art/skin.h"
#include "art/splash.h"
#include "art/templates.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    // Leave files that already hold these bytes alone, so their times stay.
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.size() == bytes.size() && existing.readAll() == bytes)
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

void fail(const QString& message)
{
    std::fprintf(stderr, "kf-contentgen: %s\n", qPrintable(message));
    std::exit(1);
}

// Templates composed over a sample photo the way the booth composes them:
// alpha for PNG, the near-white key for JPEG.
QImage composeSample(const QImage& photo, const kf::art::TemplateArt& t)
{
    QImage out = photo.convertToFormat(QImage::Format_RGB32);
    if (!t.jpeg) {
        QPainter p(&out);
        p.drawImage(0, 0, t.image);
        return out;
    }
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const QRgb* tr = reinterpret_cast<const QRgb*>(t.image.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int m = std::min({qRed(tr[x]), qGreen(tr[x]), qBlue(tr[x])});
            const double a = std::clamp((240.0 - m) / 16.0, 0.0, 1.0);
            auto b = [a](int ph, int tp) { return static_cast<int>(ph * (1 - a) + tp * a + 0.5); };
            row[x] = qRgb(b(qRed(row[x]), qRed(tr[x])), b(qGreen(row[x]), qGreen(tr[x])),
                b(qBlue(row[x]), qBlue(tr[x])));
        }
    }
    return out;
}

void writeSheets(const QString& dir)
{
    using namespace kf::art;
    QDir().mkpath(dir);
    const QImage bg = QImage::fromData(encodeJpegWithin(mainBackground(), 150 * 1024), "JPG");
    mainBackground().save(dir + QStringLiteral("/background.png"));
    mainWindowPreview(bg, false, cameraOffPicture()).save(dir + QStringLiteral("/main-normal.png"));
    mainWindowPreview(bg, true, cameraOffPicture()).save(dir + QStringLiteral("/main-hover.png"));
    {
        const QList<TemplateArt> all = allTemplates();
        QList<QImage> cells;
        for (int i = 0; i < 15 && i < all.size(); ++i)
            cells << all[i].image;
        const QImage working = composeSample(samplePhoto(), all[1]);
        mainWindowPreview(bg, false, working, cells, {composeSample(samplePhoto(), all[0]), working})
            .save(dir + QStringLiteral("/main-working.png"));
    }

    // Every button picture, normal beside hover, three times enlarged.
    {
        const auto& buttons = mainWindowButtons();
        QImage sheet(1100, 3000, QImage::Format_RGB32);
        sheet.fill(qRgb(90, 90, 100));
        QPainter p(&sheet);
        int x = 10, y = 10, rowH = 0;
        for (const ButtonPicture& b : buttons) {
            const QImage n = QImage::fromData(encodeGif(buttonPicture(bg, b, false)), "GIF");
            const QImage h = b.hover.isEmpty()
                ? QImage()
                : QImage::fromData(encodeGif(buttonPicture(bg, b, true)), "GIF");
            const int w = (n.width() * 3 + 6) * (h.isNull() ? 1 : 2);
            if (x + w > sheet.width()) {
                x = 10;
                y += rowH + 10;
                rowH = 0;
            }
            p.drawImage(QRect(x, y, n.width() * 3, n.height() * 3), n);
            if (!h.isNull())
                p.drawImage(QRect(x + n.width() * 3 + 6, y, h.width() * 3, h.height() * 3), h);
            x += w + 14;
            rowH = std::max(rowH, n.height() * 3);
        }
        p.end();
        sheet.copy(0, 0, sheet.width(), y + rowH + 10).save(dir + QStringLiteral("/buttons.png"));
    }

    const QList<TemplateArt> templates = allTemplates();
    const QImage photo = samplePhoto();
    const int cols = 5, tw = 320, th = 240, pad = 8;
    QString last;
    QList<TemplateArt> group;
    auto flush = [&](const QString& name, const QList<TemplateArt>& items) {
        if (items.isEmpty())
            return;
        const int rows = (static_cast<int>(items.size()) + cols - 1) / cols;
        QImage sheet(cols * (tw + pad) + pad, rows * (th + pad + 16) + pad, QImage::Format_RGB32);
        sheet.fill(qRgb(60, 60, 70));
        QPainter p(&sheet);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        for (int i = 0; i < items.size(); ++i) {
            const int x = pad + (i % cols) * (tw + pad), y = pad + (i / cols) * (th + pad + 16);
            const QImage c = composeSample(photo, items[i])
                                 .scaled(tw, th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            p.drawImage(x, y + 16, c);
            // The site mark as the booth draws it.
            QFont f(QStringLiteral("Liberation Serif"));
            f.setPixelSize(11);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QPointF(x + 270, y + 16 + 228 + 9), QStringLiteral("www.snapolia.example"));
            p.setPen(Qt::white);
            p.setFont(sansFont(11, false));
            p.drawText(QPointF(x, y + 12), items[i].fileName);
        }
        p.end();
        sheet.save(dir + QStringLiteral("/templates-%1.png").arg(name));
    };
    int index = 0;
    for (const TemplateArt& t : templates) {
        if (t.category != last) {
            flush(QString::number(index++), group);
            group.clear();
            last = t.category;
        }
        group << t;
    }
    flush(QString::number(index), group);

    // Other pictures side by side.
    QImage misc(980, 700, QImage::Format_RGB32);
    misc.fill(qRgb(200, 200, 205));
    QPainter p(&misc);
    p.drawImage(10, 10, cameraOffPicture());
    p.drawImage(340, 10, splashPicture());
    p.drawImage(670, 10, albumTile());
    p.drawImage(670, 100, albumTile().scaled(178, 146));
    QPoint hot;
    const QImage ptr = linkPointer(&hot);
    p.drawImage(860, 10, ptr);
    p.drawImage(860, 60, ptr.scaled(96, 96));
    p.drawImage(10, 270, appIcon(256));
    p.drawImage(280, 270, appIcon(48));
    p.drawImage(340, 270, placementCanvas().scaled(160, 160));
    p.drawImage(520, 270, samplePhoto().scaled(320, 240));
    p.end();
    misc.save(dir + QStringLiteral("/misc.png"));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("app-dir"), QStringLiteral("Application folder to fill."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("icon-dir"), QStringLiteral("Folder for the application icons."),
        QStringLiteral("dir")});
    parser.addOption(
        {QStringLiteral("sheets"), QStringLiteral("Also write contact sheets here."), QStringLiteral("dir")});
    parser.process(app);

    QString missing;
    if (!kf::art::fontsAvailable(&missing))
        fail(QStringLiteral("fonts missing (install fonts-noto-cjk): %1").arg(missing));

    if (parser.isSet(QStringLiteral("sheets")))
        writeSheets(parser.value(QStringLiteral("sheets")));

    const QString appDir = parser.value(QStringLiteral("app-dir"));
    if (!appDir.isEmpty()) {
        const QList<kf::art::ContentFile> files = kf::art::buildContent();
        // Templates of earlier runs that are no longer made would show up in
        // the booth's lists: clear the template folders of other pictures.
        for (const QString& cat : kf::art::templateCategories()) {
            QDir dir(appDir + QStringLiteral("/image/") + cat);
            for (const QFileInfo& fi :
                dir.entryInfoList({QStringLiteral("*.png"), QStringLiteral("*.JPG")}, QDir::Files)) {
                bool keep = false;
                for (const auto& f : files)
                    keep = keep || f.path == QStringLiteral("image/%1/%2").arg(cat, fi.fileName());
                if (!keep)
                    QFile::remove(fi.absoluteFilePath());
            }
        }
        for (const kf::art::ContentFile& f : files) {
            if (f.bytes.isEmpty())
                fail(QStringLiteral("could not encode %1").arg(f.path));
            if (!writeFile(appDir + QLatin1Char('/') + f.path, f.bytes))
                fail(QStringLiteral("could not write %1").arg(f.path));
        }
        if (!QDir().mkpath(appDir + QStringLiteral("/PhotoSaved")))
            fail(QStringLiteral("could not create PhotoSaved"));
    }

    const QString iconDir = parser.value(QStringLiteral("icon-dir"));
    if (!iconDir.isEmpty()) {
        for (int size : {48, 256}) {
            const QString path = QStringLiteral("%1/%2x%2/apps/kinfolio.png").arg(iconDir).arg(size);
            if (!writeFile(path, kf::art::encodePng(kf::art::appIcon(size))))
                fail(QStringLiteral("could not write %1").arg(path));
        }
    }
    return 0;
}
