#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kf::test {

QStringList TempFolderTest::files() const
{
    return QDir(dir_.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, (7 * x + 13 * y) & 255));
    return image;
}

QImage solid(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage halves(int width, int height)
{
    QImage image = solid(width, height, Qt::red);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    return image;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void writeImageFile(const QImage& image, const QString& path, const char* format, int quality)
{
    ASSERT_TRUE(image.save(path, format, quality)) << path.toStdString();
}

int colourDistance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

int maxDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            worst = std::max(worst, colourDistance(a.pixel(x, y), b.pixel(x, y)));
    return worst;
}

} // namespace kf::test
