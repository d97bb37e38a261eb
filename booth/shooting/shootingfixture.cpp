#include "shootingfixture.h"

#include "shell/appfolder.h"
#include "shell/skin.h"
#include "shell/templatescramble.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>

namespace kf::test {

QImage FakeCamera::frame(int k) const
{
    QImage image(frameSize, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            line[3 * x] = static_cast<uchar>(x * 255 / std::max(1, image.width() - 1));
            line[3 * x + 1] = static_cast<uchar>(y * 255 / std::max(1, image.height() - 1));
            line[3 * x + 2] = static_cast<uchar>((k * 37) % 256);
        }
    }
    return image;
}

int FakeCamera::GetDeviceNumber()
{
    calls << QStringLiteral("GetDeviceNumber");
    return devices;
}

void FakeCamera::SetIsChangeVideoFormat(bool change)
{
    calls << QStringLiteral("SetIsChangeVideoFormat(%1)").arg(change);
}

void FakeCamera::SetVideoFormat(int format)
{
    calls << QStringLiteral("SetVideoFormat(%1)").arg(format);
}

void FakeCamera::SelectDevice(int index)
{
    calls << QStringLiteral("SelectDevice(%1)").arg(index);
}

bool FakeCamera::Capture()
{
    calls << QStringLiteral("Capture");
    if (built || devices == 0)
        return false;
    built = running = true;
    return true;
}

void FakeCamera::Run()
{
    calls << QStringLiteral("Run");
    running = built;
}

void FakeCamera::Pause()
{
    calls << QStringLiteral("Pause");
    running = false;
}

void FakeCamera::ShowFilterPropertyPage()
{
    calls << QStringLiteral("ShowFilterPropertyPage");
}

bool FakeCamera::Grab(const QString& path, bool processed)
{
    calls << QStringLiteral("Grab(%1)").arg(processed);
    if (!running || failGrab)
        return false;
    ++frames;
    return frame(frames).save(path, "BMP");
}

bool FakeCamera::SetFore(const QString& path)
{
    calls << QStringLiteral("SetFore");
    forePath = path;
    if (!running)
        return false;
    fore = QImage(path);
    return !fore.isNull();
}

void FakeCamera::SetEnableMergeFore(bool on)
{
    calls << QStringLiteral("EnableMergeFore(%1)").arg(on);
    merge = on;
}

void QuietPrompts::inform(const QString&, const QString& text, Icon)
{
    informed << text;
}

bool QuietPrompts::askYesNo(const QString&, const QString& text)
{
    asked << text;
    return answer;
}

ShootingInstall::ShootingInstall()
{
    QDir root(dir_.path());
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("PhotoSaved"));
    for (const char* tag : kCategoryTags)
        root.mkpath(QStringLiteral("image/") + QString::fromUtf8(tag));
    // A light canvas that is not plain white, so pasting shows.
    QImage canvas(640, 640, QImage::Format_RGB32);
    canvas.fill(QColor(250, 248, 240));
    canvas.save(root.filePath(QStringLiteral("data/back.jpg")), "JPEG", 100);
    session_ = BoothSession::forInstallation(dir_.path());
    session_.shootFolder = *createShootFolder(dir_.path());
}

QString ShootingInstall::categoryFolder(int index) const
{
    return dir_.filePath(QStringLiteral("image/") + QString::fromUtf8(kCategoryTags[index]));
}

QImage templatePicture(ShootingInstall::Kind kind, QColor colour, QSize size)
{
    const bool png = kind == ShootingInstall::Kind::Png;
    QImage image(size, png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(png ? QColor(0, 0, 0, 0) : QColor(Qt::white));
    // A border an eighth of the height wide.
    const int w = size.width(), h = size.height(), b = h / 8;
    QPainter p(&image);
    p.fillRect(0, 0, w, b, colour);
    p.fillRect(0, h - b, w, b, colour);
    p.fillRect(0, 0, b, h, colour);
    p.fillRect(w - b, 0, b, h, colour);
    p.end();
    return image;
}

QString writeTemplate(
    const QString& folder, const QString& name, ShootingInstall::Kind kind, QColor colour, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    templatePicture(kind, colour, size)
        .save(&buffer, kind == ShootingInstall::Kind::Png ? "PNG" : "JPEG", 95);
    toggleTemplateBytes(
        reinterpret_cast<std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size()));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QString ShootingInstall::addTemplate(int category, const QString& name, Kind kind, QColor colour, QSize size)
{
    return writeTemplate(categoryFolder(category), name, kind, colour, size);
}

void ShootingInstall::addTemplates(int category, int count)
{
    for (int i = 0; i < count; ++i)
        addTemplate(category, QStringLiteral("t%1.png").arg(i, 2, 10, QLatin1Char('0')), Kind::Png,
            QColor::fromHsv((i * 17) % 360, 200, 200), QSize(80, 60));
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace kf::test
