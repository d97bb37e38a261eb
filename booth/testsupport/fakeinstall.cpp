#include "fakeinstall.h"

#include "shell/skin.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>

namespace kf::test {

QColor FakeInstall::colourFor(const QString& fileName)
{
    const QByteArray h = QCryptographicHash::hash(fileName.toUtf8(), QCryptographicHash::Md5);
    return QColor(static_cast<uchar>(h[0]), static_cast<uchar>(h[1]), static_cast<uchar>(h[2]));
}

FakeInstall::FakeInstall(qint64 mainJpgBytes)
{
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    QDir(dir_.path()).mkpath(QStringLiteral("PhotoSaved"));
    auto picture = [this](const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colourFor(name));
        // PNG content under the skin's names: readers go by content.
        image.save(file(QStringLiteral("data/") + name), "PNG");
    };
    for (const ButtonSkin& s : skinButtons()) {
        picture(s.normal, QSize(20, 10));
        if (!s.hover.isEmpty())
            picture(s.hover, QSize(20, 10));
    }
    picture(QStringLiteral("Video.jpg"), QSize(320, 240));
    QImage main(744, 516, QImage::Format_RGB32);
    main.fill(Qt::darkCyan);
    main.save(file(QStringLiteral("data/Main.jpg")), "JPEG");
    QFile f(file(QStringLiteral("data/Main.jpg")));
    if (f.open(QIODevice::ReadWrite))
        f.resize(mainJpgBytes); // trailing bytes after the picture are ignored by readers
}

} // namespace kf::test
