#include "imageio.h"
#include "picture.h"
#include "testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

using namespace kf;
using namespace kf::test;

namespace {

using PictureTest = TempFolderTest;

QRgb at(const Picture& p, int x, int y)
{
    return p.image().pixel(x, y);
}

// Pixels that differ clearly from white.
int inkCount(const QImage& image, QRect* bounds = nullptr, long* redExcess = nullptr)
{
    int count = 0;
    QRect box;
    long excess = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (colourDistance(p, qRgb(255, 255, 255)) > 96) {
                ++count;
                box = box.united(QRect(x, y, 1, 1));
                excess += qRed(p) - (qGreen(p) + qBlue(p)) / 2;
            }
        }
    if (bounds)
        *bounds = box;
    if (redExcess)
        *redExcess = excess;
    return count;
}

// A JPEG of stored size 400 x 200 whose orientation tag says "turn 90
// degrees clockwise to show", so it shows as 200 x 400.
QByteArray sidewaysJpeg()
{
    QByteArray jpeg;
    {
        QImage image = halves(400, 200);
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
    }
    const QByteArray exif = QByteArray::fromHex("ffe10022457869660000"
                                                "4d4d002a00000008"
                                                "0001"
                                                "011200030000000100060000"
                                                "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2);
}

} // namespace

TEST_F(PictureTest, WorkingFormatIs24BitBmpAndLoadsBackPixelForPixel)
{
    const Picture original(pattern(33, 17)); // odd width: padded rows
    const QString file = path("Photo1.bmp.dat");
    ASSERT_TRUE(original.save(file, kSaveTypeWorking));

    const QByteArray bytes = readFile(file);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(bytes.at(28), 24); // bits per pixel

    Picture loaded;
    ASSERT_TRUE(loaded.load(file));
    EXPECT_EQ(loaded.image(), original.image());
    EXPECT_EQ(files(), QStringList {"Photo1.bmp.dat"});
}

TEST_F(PictureTest, UploadFormatIsJpeg)
{
    const Picture original(solid(40, 30, QColor(200, 80, 30)));
    ASSERT_TRUE(original.save(path("a.jpg"), kSaveTypeJpeg));
    EXPECT_TRUE(readFile(path("a.jpg")).startsWith("\xFF\xD8\xFF"));
    Picture loaded;
    ASSERT_TRUE(loaded.load(path("a.jpg")));
    EXPECT_LE(maxDifference(loaded.image(), original.image()), 4);
}

TEST_F(PictureTest, FailedSaveReportsAndLeavesTheTargetAlone)
{
    const Picture good(pattern(8, 8));
    const Picture empty;
    QDir(path("")).mkdir("sub");
    struct Case {
        const char* name;
        const Picture& picture;
        QString target;
        int saveType;
    } cases[] = {
        {"unknown save type", good, path("old.bmp"), 6},
        {"empty picture", empty, path("old.bmp"), kSaveTypeWorking},
        {"missing folder", good, path("nowhere/x.bmp"), kSaveTypeWorking},
        {"target is a folder", good, path("sub"), kSaveTypeWorking},
        {"no name", good, QString(), kSaveTypeWorking},
    };
    writeFile(path("old.bmp"), "old");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.picture.save(c.target, c.saveType));
        EXPECT_FALSE(c.picture.errorString().isEmpty());
    }
    EXPECT_EQ(readFile(path("old.bmp")), "old");
    EXPECT_EQ(files(), (QStringList {"old.bmp", "sub"})); // no temporary left behind
}

TEST_F(PictureTest, LoadFindsTheFormatFromTheContent)
{
    writeImageFile(pattern(12, 9), path("png-inside.dat"), "PNG");
    writeImageFile(solid(20, 10, Qt::green), path("jpeg-inside.bmp"), "JPEG");
    Picture p;
    ASSERT_TRUE(p.load(path("png-inside.dat")));
    EXPECT_EQ(p.image(), pattern(12, 9));
    ASSERT_TRUE(p.load(path("jpeg-inside.bmp")));
    EXPECT_EQ(p.size(), QSize(20, 10));
}

TEST_F(PictureTest, FailedLoadKeepsThePicture)
{
    writeFile(path("garbage.jpg"), QByteArray(500, 'x'));
    {
        QImage image = pattern(64, 64);
        writeImageFile(image, path("whole.png"), "PNG");
        writeFile(path("truncated.png"), readFile(path("whole.png")).left(60));
    }
    Picture p(pattern(5, 4));
    for (const QString& bad : {path("missing.bmp"), path("garbage.jpg"), path("truncated.png"), QString()}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(p.load(bad));
        EXPECT_FALSE(p.load(bad, QSize(2, 2)));
        EXPECT_FALSE(p.errorString().isEmpty());
        EXPECT_EQ(p.image(), pattern(5, 4));
    }
}

TEST_F(PictureTest, TransparentPartsLoadOnWhite)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(10, 20, 30, 0));
    image.setPixel(1, 0, qRgba(10, 20, 30, 255));
    writeImageFile(image, path("a.png"), "PNG");
    Picture p;
    ASSERT_TRUE(p.load(path("a.png")));
    EXPECT_EQ(p.image().format(), QImage::Format_RGB32);
    EXPECT_EQ(at(p, 0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(at(p, 1, 0), qRgb(10, 20, 30));
}

TEST_F(PictureTest, ScaledLoadFitsIntoTheBox)
{
    writeImageFile(halves(1600, 1200), path("landscape.jpg"), "JPEG", 90);
    writeImageFile(halves(1200, 1600), path("portrait.jpg"), "JPEG", 90);
    writeImageFile(halves(200, 100), path("small.jpg"), "JPEG", 90);
    writeImageFile(halves(800, 400), path("wide.png"), "PNG");
    writeFile(path("sideways.jpg"), sidewaysJpeg());
    struct Case {
        const char* file;
        QSize box;
        QSize expected;
    } cases[] = {
        {"landscape.jpg", {320, 240}, {320, 240}}, {"portrait.jpg", {320, 240}, {180, 240}},
        {"small.jpg", {320, 240}, {200, 100}}, // never enlarged
        {"wide.png", {320, 240}, {320, 160}},
        {"sideways.jpg", {100, 100}, {50, 100}}, // orientation tag applied first
        {"landscape.jpg", {}, {1600, 1200}}, // no box: whole picture
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Picture p;
        ASSERT_TRUE(p.load(path(c.file), c.box));
        ASSERT_EQ(p.size(), c.expected);
        if (QByteArray(c.file) != "sideways.jpg") {
            // Still the whole picture, only smaller.
            EXPECT_LE(colourDistance(at(p, 1, p.height() / 2), qRgb(255, 0, 0)), 40);
            EXPECT_LE(colourDistance(at(p, p.width() - 2, p.height() / 2), qRgb(0, 0, 255)), 40);
        }
    }
    EXPECT_EQ(imageSize(path("sideways.jpg")), QSize(200, 400));
    Picture whole;
    ASSERT_TRUE(whole.load(path("sideways.jpg")));
    EXPECT_EQ(whole.size(), QSize(200, 400));
}

TEST(PictureOps, ScaleGivesExactlyTheAskedSize)
{
    struct Case {
        QSize from;
        QSize to;
    } cases[]
        = {{{640, 480}, {320, 240}}, {{640, 480}, {120, 90}}, {{3, 2}, {9, 4}}, {{320, 240}, {320, 240}}};
    for (const Case& c : cases) {
        Picture p(halves(c.from.width(), c.from.height()));
        ASSERT_TRUE(p.scale(c.to.width(), c.to.height()));
        EXPECT_EQ(p.size(), c.to);
        EXPECT_EQ(at(p, 0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(at(p, c.to.width() - 1, c.to.height() - 1), qRgb(0, 0, 255));
    }
    Picture p(pattern(6, 4));
    for (QSize bad : {QSize(0, 240), QSize(-1, 5), QSize(kMaxPictureSide + 1, 1), QSize(10000, 10000)}) {
        EXPECT_FALSE(p.scale(bad.width(), bad.height()));
        EXPECT_EQ(p.image(), pattern(6, 4));
    }
    EXPECT_FALSE(Picture().scale(10, 10));
}

TEST(PictureOps, RightAngleTurnsArePixelExactAndPositiveIsLeft)
{
    const QImage src = pattern(3, 2);
    const int w = src.width();
    const int h = src.height();
    using Map = std::function<QPoint(int x, int y)>; // output pixel -> source pixel
    const Map left = [&](int x, int y) { return QPoint(w - 1 - y, x); };
    const Map half = [&](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); };
    const Map right = [&](int x, int y) { return QPoint(y, h - 1 - x); };
    const Map none = [](int x, int y) { return QPoint(x, y); };
    struct Case {
        double degrees;
        QSize size;
        Map source;
    } cases[] = {
        {90, {2, 3}, left},
        {450, {2, 3}, left},
        {-270, {2, 3}, left},
        {180, {3, 2}, half},
        {-180, {3, 2}, half},
        {270, {2, 3}, right},
        {-90, {2, 3}, right},
        {360, {3, 2}, none},
        {0, {3, 2}, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        Picture p(src);
        ASSERT_TRUE(p.rotate(c.degrees));
        ASSERT_EQ(p.size(), c.size);
        for (int y = 0; y < c.size.height(); ++y)
            for (int x = 0; x < c.size.width(); ++x) {
                const QPoint s = c.source(x, y);
                EXPECT_EQ(at(p, x, y), src.pixel(s)) << x << "," << y;
            }
    }
}

TEST(PictureOps, TurnGivesTheBoundingBoxFilledOutside)
{
    // White 100 x 50 with a red block at its right end, turned by 30
    // degrees: the box is ceil(100 cos 30 + 50 sin 30) x ceil(100 sin 30 +
    // 50 cos 30) = 112 x 94. Turning left lifts the right end.
    QImage src = solid(100, 50, Qt::white);
    QPainter(&src).fillRect(80, 20, 20, 10, Qt::red);
    struct Case {
        double degrees;
        QPoint red;
        QPoint mirrored; // where the block would be, turned the other way
    } cases[] = {{30, {90, 27}, {90, 67}}, {-30, {90, 67}, {90, 27}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        Picture p(src);
        ASSERT_TRUE(p.rotate(c.degrees, Qt::black));
        ASSERT_EQ(p.size(), QSize(112, 94));
        EXPECT_EQ(at(p, 0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(at(p, 111, 93), qRgb(0, 0, 0));
        EXPECT_LE(colourDistance(at(p, 56, 47), qRgb(255, 255, 255)), 2);
        EXPECT_LE(colourDistance(at(p, c.red.x(), c.red.y()), qRgb(255, 0, 0)), 10);
        EXPECT_GT(colourDistance(at(p, c.mirrored.x(), c.mirrored.y()), qRgb(255, 0, 0)), 200);
    }
    Picture white(src);
    ASSERT_TRUE(white.rotate(45));
    EXPECT_EQ(at(white, 0, 0), qRgb(255, 255, 255)); // default fill
    EXPECT_FALSE(white.rotate(std::numeric_limits<double>::quiet_NaN()));
}

TEST(PictureOps, CropKeepsTheRectangleClippedToThePicture)
{
    const QImage src = pattern(10, 8);
    struct Case {
        QRect asked;
        QRect kept; // empty: refused, picture unchanged
    } cases[] = {
        {{2, 1, 3, 2}, {2, 1, 3, 2}},
        {{0, 0, 10, 8}, {0, 0, 10, 8}},
        {{8, 5, 10, 10}, {8, 5, 2, 3}},
        {{-3, -2, 5, 4}, {0, 0, 2, 2}},
        {{20, 20, 5, 5}, {}},
        {{0, 0, 0, 5}, {}},
        {{0, 0, 5, -1}, {}},
    };
    for (const Case& c : cases) {
        Picture p(src);
        const bool done = p.crop(c.asked.x(), c.asked.y(), c.asked.width(), c.asked.height());
        EXPECT_EQ(done, !c.kept.isEmpty());
        EXPECT_EQ(p.image(), c.kept.isEmpty() ? src : src.copy(c.kept));
    }
}

TEST_F(PictureTest, PasteAreaPlacesTheLoadedPictureAtItsOwnSize)
{
    // A 180 x 240 picture into a white 320 x 240 canvas with the area at
    // (70, 0, 320, 240): centred with 70-pixel white bands.
    const QImage narrow = pattern(180, 240);
    writeImageFile(narrow, path("narrow.bmp"), "BMP");
    Picture p;
    ASSERT_TRUE(p.newPicture(320, 240, 24, bgr(0xFFFFFF)));
    p.setPasteArea(true, QRect(70, 0, 320, 240));
    p.setMergeOnLoad(true);
    ASSERT_TRUE(p.load(path("narrow.bmp")));
    ASSERT_EQ(p.size(), QSize(320, 240));
    EXPECT_EQ(p.image().copy(70, 0, 180, 240), narrow);
    EXPECT_EQ(p.image().copy(0, 0, 70, 240), solid(70, 240, Qt::white));
    EXPECT_EQ(p.image().copy(250, 0, 70, 240), solid(70, 240, Qt::white));

    // Larger than the area: clipped to it, the rest of the canvas stays.
    p.newPicture(100, 100, 24, QColor(50, 50, 50));
    p.setPasteArea(true, QRect(10, 10, 20, 20));
    ASSERT_TRUE(p.load(path("narrow.bmp")));
    EXPECT_EQ(p.image().copy(10, 10, 20, 20), narrow.copy(0, 0, 20, 20));
    EXPECT_EQ(at(p, 30, 30), qRgb(50, 50, 50));
    EXPECT_EQ(at(p, 9, 9), qRgb(50, 50, 50));
}

TEST_F(PictureTest, PlacementCanvasWithoutTurnOrOffsetGivesBackTheCleanCopy)
{
    const QImage clean = pattern(320, 240);
    writeImageFile(clean, path("Photo1.bmp.dat"), "BMP");
    writeImageFile(solid(640, 640, QColor(90, 120, 150)), path("back.jpg"), "JPEG");
    Picture p;
    ASSERT_TRUE(p.load(path("back.jpg")));
    p.setPasteArea(true, QRect(160, 200, 320, 240));
    p.setMergeOnLoad(true);
    ASSERT_TRUE(p.load(path("Photo1.bmp.dat")));
    ASSERT_EQ(p.size(), QSize(640, 640));
    ASSERT_TRUE(p.rotate(0));
    ASSERT_TRUE(p.crop(160, 200, 320, 240));
    EXPECT_EQ(p.image(), clean);
}

TEST_F(PictureTest, LoadReplacesUnlessPasteAreaAndMergeAreBothOn)
{
    writeImageFile(pattern(4, 4), path("small.bmp"), "BMP");
    struct Case {
        bool paste;
        bool merge;
        bool canvas;
        bool pasted;
    } cases[] = {
        {true, true, true, true}, {true, false, true, false}, {false, true, true, false},
        {true, true, false, false}, // nothing to paste into
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.paste << c.merge << c.canvas);
        Picture p;
        if (c.canvas)
            p.newPicture(20, 20, 24, Qt::white);
        p.setPasteArea(c.paste, QRect(5, 5, 10, 10));
        p.setMergeOnLoad(c.merge);
        ASSERT_TRUE(p.load(path("small.bmp")));
        EXPECT_EQ(p.size(), c.pasted ? QSize(20, 20) : QSize(4, 4));
    }
    // Switching the area off keeps its rectangle for the next time.
    Picture p;
    p.setPasteArea(true, QRect(1, 2, 3, 4));
    p.setPasteArea(false);
    EXPECT_EQ(p.pasteArea(), QRect(1, 2, 3, 4));
}

TEST_F(PictureTest, DrawnTextIsSavedOnlyOnceFixed)
{
    Picture p(solid(320, 240, Qt::white));
    p.setFont("Times New Roman", 8, false, false, false);
    p.drawText(270, 228, "kf.cn", QColor(0, 0, 0));
    EXPECT_TRUE(p.hasPendingText());
    EXPECT_EQ(inkCount(p.image()), 0);
    EXPECT_GT(inkCount(p.shownImage()), 10);

    ASSERT_TRUE(p.save(path("pending.bmp"), kSaveTypeWorking));
    Picture saved;
    ASSERT_TRUE(saved.load(path("pending.bmp")));
    EXPECT_EQ(inkCount(saved.image()), 0);

    p.fixText();
    EXPECT_FALSE(p.hasPendingText());
    QRect ink;
    EXPECT_GT(inkCount(p.image(), &ink), 10);
    // Top left corner at (270, 228); 8 pt is about 11 pixels high.
    EXPECT_GE(ink.left(), 269);
    EXPECT_GE(ink.top(), 228);
    EXPECT_LE(ink.bottom(), 228 + 12);
    ASSERT_TRUE(p.save(path("fixed.bmp"), kSaveTypeWorking));
    ASSERT_TRUE(saved.load(path("fixed.bmp")));
    EXPECT_EQ(saved.image(), p.image());
}

TEST(PictureText, FontAndColourTakeEffect)
{
    auto ink = [](const TextFont& font, const QColor& colour, long* red = nullptr) {
        Picture p(solid(200, 60, Qt::white));
        p.setFont(font);
        p.drawText(2, 2, "Snapshot 123", colour);
        p.fixText();
        return inkCount(p.image(), nullptr, red);
    };
    const TextFont regular {"Times New Roman", 8, false, false, false};
    TextFont big = regular;
    big.size = 16;
    TextFont bold = regular;
    bold.bold = true;
    const int base = ink(regular, Qt::black);
    EXPECT_GT(ink(big, Qt::black), base * 2);
    EXPECT_GT(ink(bold, Qt::black), base);
    long red = 0;
    ink(regular, bgr(0x0000FF), &red);
    EXPECT_GT(red, 0);

    Picture p(solid(10, 10, Qt::white));
    p.drawText(1, 1, "x", Qt::black);
    ASSERT_TRUE(p.newPicture(10, 10, 24, Qt::white)); // a new picture drops pending text
    EXPECT_FALSE(p.hasPendingText());
}

TEST(PictureOps, ColourAdjustmentsFollowTheirRules)
{
    using Op = std::function<bool(Picture&)>;
    struct Case {
        const char* name;
        Op op;
        QRgb in;
        QRgb out;
    } cases[] = {
        {"brightness 10", [](Picture& p) { return p.brightness(10); }, qRgb(100, 100, 100),
            qRgb(125, 125, 125)},
        {"brightness -100", [](Picture& p) { return p.brightness(-100); }, qRgb(200, 10, 90), qRgb(0, 0, 0)},
        {"brightness 100", [](Picture& p) { return p.brightness(100); }, qRgb(0, 10, 90),
            qRgb(255, 255, 255)},
        {"brightness clamped", [](Picture& p) { return p.brightness(150); }, qRgb(0, 0, 0),
            qRgb(255, 255, 255)},
        {"contrast 50", [](Picture& p) { return p.contrast(50); }, qRgb(200, 50, 128), qRgb(236, 11, 128)},
        {"contrast -50 truncates", [](Picture& p) { return p.contrast(-50); }, qRgb(27, 229, 128),
            qRgb(78, 178, 128)},
        {"contrast -100", [](Picture& p) { return p.contrast(-100); }, qRgb(0, 255, 77), qRgb(128, 128, 128)},
        {"balance", [](Picture& p) { return p.colourBalance(10, -20, 30); }, qRgb(100, 100, 100),
            qRgb(125, 49, 176)},
        {"balance clamps", [](Picture& p) { return p.colourBalance(100, -100, 0); }, qRgb(100, 100, 100),
            qRgb(255, 0, 100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Picture p(solid(3, 2, QColor::fromRgb(c.in)));
        ASSERT_TRUE(c.op(p));
        EXPECT_EQ(p.image(), solid(3, 2, QColor::fromRgb(c.out)));
    }
    Picture p(pattern(16, 16));
    ASSERT_TRUE(p.brightness(0));
    ASSERT_TRUE(p.contrast(0));
    ASSERT_TRUE(p.colourBalance(0, 0, 0));
    EXPECT_EQ(p.image(), pattern(16, 16));
    EXPECT_FALSE(Picture().brightness(10));
}

TEST(PictureOps, NewPictureAndBgrColours)
{
    EXPECT_EQ(bgr(0x0080FF80).rgb(), qRgb(0x80, 0xFF, 0x80));
    EXPECT_EQ(bgr(0x000000FF).rgb(), qRgb(255, 0, 0));
    EXPECT_EQ(bgr(0x00FF0000).rgb(), qRgb(0, 0, 255));
    EXPECT_EQ(toBgr(QColor(0x12, 0x34, 0x56)), 0x563412u);

    Picture p;
    ASSERT_TRUE(p.newPicture(320, 240, 24, bgr(0xFFFFFF)));
    EXPECT_EQ(p.image(), solid(320, 240, Qt::white));
    ASSERT_TRUE(p.newPicture(4, 3, 24, bgr(0x0080FF80)));
    EXPECT_EQ(at(p, 3, 2), qRgb(0x80, 0xFF, 0x80));
    for (auto [w, h, bpp] : {std::tuple {4, 4, 7}, {0, 4, 24}, {4, -1, 24}, {kMaxPictureSide + 1, 1, 24}}) {
        EXPECT_FALSE(p.newPicture(w, h, bpp, Qt::black));
        EXPECT_EQ(p.size(), QSize(4, 3));
    }
}
