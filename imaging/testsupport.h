#pragma once

// Small helpers shared by the imaging tests: generated pictures and file
// access. Every picture a test needs is made here; no art is stored.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kf::test {

// A test with a fresh temporary folder.
class TempFolderTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    // Files and folders in it, hidden ones included, by name.
    QStringList files() const;

private:
    QTemporaryDir dir_;
};

// Every pixel different in a picture up to 256 x 256: red = x, green = y,
// blue = (7x + 13y) mod 256.
QImage pattern(int width, int height);
QImage solid(int width, int height, const QColor& colour);
// Left half red, right half blue.
QImage halves(int width, int height);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// Saves image with Qt's own writer in format ("PNG", "JPEG", "BMP").
void writeImageFile(const QImage& image, const QString& path, const char* format, int quality = -1);

// Largest channel difference between two colours.
int colourDistance(QRgb a, QRgb b);
// Largest channel difference over two pictures of the same size (-1 when
// the sizes differ).
int maxDifference(const QImage& a, const QImage& b);

} // namespace kf::test
