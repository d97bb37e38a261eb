#include "compound.h"
#include "imageio.h"
#include "testsupport.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kf;
using namespace kf::test;

namespace {

class CompoundTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        writeImageFile(photo_, source(), "BMP");
        writeFile(output(), "old photo");
    }
    QString source() const { return path("Photo1.bmp.dat"); }
    QString output() const { return path("Photo1.bmp"); }
    const QImage& photo() const { return photo_; }
    QImage result() const { return loadImage(output()).convertToFormat(QImage::Format_RGB32); }

private:
    QImage photo_ = pattern(320, 240);
};

// Template pixel over photo pixel with straight alpha, rounded.
int blend(int t, int p, int a)
{
    return (t * a + p * (255 - a) + 127) / 255;
}

} // namespace

TEST_F(CompoundTest, PngTemplateIsBlendedOverThePhotoByItsAlpha)
{
    // Columns 0-99 transparent, 100-199 opaque, 200-319 half transparent.
    QImage tmpl(320, 240, QImage::Format_ARGB32);
    tmpl.fill(qRgba(0, 255, 0, 0));
    for (int y = 0; y < 240; ++y)
        for (int x = 100; x < 320; ++x)
            tmpl.setPixel(x, y, x < 200 ? qRgba(10, 200, 30, 255) : qRgba(255, 0, 0, 128));
    writeImageFile(tmpl, path("frame.png"), "PNG");

    ASSERT_NE(compound(source(), path("frame.png"), output(), 0, 0), 0);
    EXPECT_TRUE(readFile(output()).startsWith("BM"));
    const QImage out = result();
    ASSERT_EQ(out.size(), QSize(320, 240));
    EXPECT_EQ(out.copy(0, 0, 100, 240), photo().copy(0, 0, 100, 240));
    EXPECT_EQ(out.copy(100, 0, 100, 240), solid(100, 240, QColor(10, 200, 30)));
    int worst = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 200; x < 320; ++x) {
            const QRgb p = photo().pixel(x, y);
            const QRgb expected
                = qRgb(blend(255, qRed(p), 128), blend(0, qGreen(p), 128), blend(0, qBlue(p), 128));
            worst = std::max(worst, colourDistance(out.pixel(x, y), expected));
        }
    EXPECT_LE(worst, 1);
}

TEST_F(CompoundTest, JpegTemplateLetsThePhotoShowThroughItsWhiteWindow)
{
    // Decoration 40 pixels wide around a pure white window.
    QImage tmpl = solid(320, 240, QColor(200, 40, 60));
    QPainter(&tmpl).fillRect(40, 40, 240, 160, Qt::white);
    writeImageFile(tmpl, path("frame.JPG"), "JPEG", 95);

    ASSERT_NE(compound(source(), path("frame.JPG"), output(), 0, 0), 0);
    const QImage out = result();
    // Well inside the window the photo is untouched; on the decoration the
    // template covers it (up to JPEG's own error).
    EXPECT_EQ(out.copy(60, 60, 200, 120), photo().copy(60, 60, 200, 120));
    EXPECT_LE(maxDifference(out.copy(0, 0, 320, 30), solid(320, 30, QColor(200, 40, 60))), 8);
}

TEST(Compose, KeyWeightFollowsTheSmallestChannel)
{
    // Template (m, 255, 255) over a black photo gives weight x template.
    struct Case {
        int m;
        double weight;
    } cases[] = {{0, 1}, {220, 1}, {224, 1}, {228, 0.75}, {232, 0.5}, {236, 0.25}, {240, 0}, {255, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m);
        const QImage out = composeTemplate(solid(4, 4, Qt::black), solid(4, 4, QColor(c.m, 255, 255)));
        const QRgb p = out.pixel(2, 2);
        EXPECT_NEAR(qRed(p), c.m * c.weight, 1);
        EXPECT_NEAR(qGreen(p), 255 * c.weight, 1);
    }
    // An opaque template without alpha channel (a PNG saved without one)
    // is keyed too, rather than hiding the photo entirely.
    EXPECT_EQ(composeTemplate(solid(2, 2, Qt::red), solid(2, 2, Qt::white)), solid(2, 2, Qt::red));
}

TEST_F(CompoundTest, TemplateIsFittedToThePhotoSize)
{
    // Left half opaque black, right half clear, in three sizes and formats.
    auto make = [](QSize size, bool alpha) {
        QImage t(size, QImage::Format_ARGB32);
        t.fill(alpha ? qRgba(0, 0, 0, 0) : qRgba(255, 255, 255, 255));
        QPainter(&t).fillRect(0, 0, size.width() / 2, size.height(), Qt::black);
        return t;
    };
    struct Case {
        const char* file;
        QSize size;
        const char* format;
    } cases[]
        = {{"big.png", {640, 480}, "PNG"}, {"small.png", {160, 120}, "PNG"}, {"odd.jpg", {400, 200}, "JPEG"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        writeImageFile(make(c.size, QByteArray(c.format) == "PNG"), path(c.file), c.format, 95);
        ASSERT_NE(compound(source(), path(c.file), output(), 0, 0), 0);
        const QImage out = result();
        ASSERT_EQ(out.size(), QSize(320, 240));
        EXPECT_LE(maxDifference(out.copy(0, 0, 150, 240), solid(150, 240, Qt::black)), 8);
        EXPECT_EQ(out.copy(175, 0, 145, 240), photo().copy(175, 0, 145, 240));
    }
}

TEST_F(CompoundTest, EmptyTemplateWritesTheSourceInTheWorkingFormat)
{
    writeImageFile(photo(), path("clean.png"), "PNG");
    ASSERT_NE(compound(path("clean.png"), QString(), output(), 0, 0), 0);
    EXPECT_TRUE(readFile(output()).startsWith("BM"));
    EXPECT_EQ(result(), photo());
}

TEST_F(CompoundTest, OutputMayReplaceTheSource)
{
    writeImageFile(solid(320, 240, Qt::black), path("black.jpg"), "JPEG");
    ASSERT_NE(compound(source(), path("black.jpg"), source(), 0, 0), 0);
    EXPECT_LE(
        maxDifference(loadImage(source()).convertToFormat(QImage::Format_RGB32), solid(320, 240, Qt::black)),
        2);
}

TEST_F(CompoundTest, FailureGivesZeroAndLeavesTheOutputUntouched)
{
    writeFile(path("garbage.png"), QByteArray(300, '\x7f'));
    writeFile(path("empty.jpg"), QByteArray());
    writeImageFile(solid(320, 240, Qt::white), path("fine.jpg"), "JPEG");
    QDir(path("")).mkdir("folder");
    const QStringList before = files();
    struct Case {
        const char* name;
        QString source;
        QString tmpl;
        QString output;
    } cases[] = {
        {"missing template", source(), path("missing.png"), output()},
        {"garbage template", source(), path("garbage.png"), output()},
        {"empty template file", source(), path("empty.jpg"), output()},
        {"missing source", path("missing.bmp"), path("fine.jpg"), output()},
        {"garbage source", path("garbage.png"), QString(), output()},
        {"output folder missing", source(), path("fine.jpg"), path("nowhere/Photo1.bmp")},
        {"output is a folder", source(), path("fine.jpg"), path("folder")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compound(c.source, c.tmpl, c.output, 0, 0), 0);
        EXPECT_EQ(readFile(output()), "old photo");
        EXPECT_EQ(files(), before);
    }
}
