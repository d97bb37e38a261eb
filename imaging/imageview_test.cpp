#include "imageio.h"
#include "imageview.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace kf;
using namespace kf::test;

namespace {

using ImageViewTest = TempFolderTest;

QImage shown(ImageView& view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(ImageViewTest, HiddenWorkerLoadsEditsAndSaves)
{
    writeImageFile(pattern(640, 480), path("Photo1.bmp"), "BMP");
    ImageView worker; // never shown
    ASSERT_TRUE(worker.setFile(path("Photo1.bmp")));
    EXPECT_EQ(worker.file(), path("Photo1.bmp"));
    ASSERT_TRUE(worker.scale(320, 240));
    worker.setTextFont("Times New Roman", 8, false, false, false);
    worker.drawText(270, 228, "kf.cn", Qt::black);
    worker.fixText();
    worker.setSaveType(kSaveTypeWorking);
    worker.setSaveName(path("Photo1.bmp.dat"));
    ASSERT_TRUE(worker.save());
    EXPECT_EQ(
        loadImage(path("Photo1.bmp.dat")).convertToFormat(QImage::Format_RGB32), worker.picture().image());
    EXPECT_EQ(worker.imageWidth(), 320);

    worker.setSaveType(kSaveTypeJpeg);
    worker.setSaveName(path("up.jpg"));
    ASSERT_TRUE(worker.save());
    EXPECT_TRUE(readFile(path("up.jpg")).startsWith("\xFF\xD8"));

    // A failed load keeps what is shown; an empty name clears.
    EXPECT_FALSE(worker.setFile(path("missing.bmp")));
    EXPECT_EQ(worker.file(), path("Photo1.bmp"));
    EXPECT_EQ(worker.imageWidth(), 320);
    EXPECT_TRUE(worker.setFile(QString()));
    EXPECT_TRUE(worker.file().isEmpty());
    EXPECT_TRUE(worker.picture().isNull());
    worker.setSaveName(QString());
    EXPECT_FALSE(worker.save());
    EXPECT_FALSE(worker.errorString().isEmpty());
}

TEST_F(ImageViewTest, SmallFittedViewDecodesAtItsOwnSizeUntilThePixelsAreNeeded)
{
    writeImageFile(halves(1600, 1200), path("camera.jpg"), "JPEG", 90);
    ImageView thumb;
    thumb.resize(100, 75);
    thumb.setFit(true);
    ASSERT_TRUE(thumb.setFile(path("camera.jpg")));
    EXPECT_TRUE(thumb.holdsDisplayCopy());

    // Turning the display copy needs no full decode...
    ASSERT_TRUE(thumb.rotate(90));
    EXPECT_TRUE(thumb.holdsDisplayCopy());
    const QImage turned = shown(thumb);
    EXPECT_LE(colourDistance(turned.pixel(50, 5), qRgb(0, 0, 255)), 40); // right half now on top

    // ...the real pixels come from the file, with the turn replayed.
    EXPECT_EQ(thumb.imageWidth(), 1200);
    EXPECT_EQ(thumb.imageHeight(), 1600);
    EXPECT_FALSE(thumb.holdsDisplayCopy());

    // Every operation that needs pixels works on the whole picture.
    ASSERT_TRUE(thumb.setFile(path("camera.jpg")));
    ASSERT_TRUE(thumb.holdsDisplayCopy());
    thumb.setSaveName(path("copy.bmp"));
    ASSERT_TRUE(thumb.save());
    EXPECT_EQ(imageSize(path("copy.bmp")), QSize(1600, 1200));

    // Without fit, or with a picture no larger than the view, the file is
    // loaded whole.
    ImageView plain;
    plain.resize(100, 75);
    ASSERT_TRUE(plain.setFile(path("camera.jpg")));
    EXPECT_FALSE(plain.holdsDisplayCopy());
    writeImageFile(halves(80, 60), path("small.jpg"), "JPEG");
    ASSERT_TRUE(thumb.setFile(path("small.jpg")));
    EXPECT_FALSE(thumb.holdsDisplayCopy());

    // A file gone before its pixels are needed: the operation fails rather
    // than save the small display copy.
    ASSERT_TRUE(thumb.setFile(path("camera.jpg")));
    ASSERT_TRUE(QFile::remove(path("camera.jpg")));
    thumb.setSaveName(path("lost.bmp"));
    EXPECT_FALSE(thumb.save());
    EXPECT_FALSE(thumb.brightness(10));
    EXPECT_FALSE(thumb.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(path("lost.bmp")));
    EXPECT_TRUE(thumb.holdsDisplayCopy());
}

TEST_F(ImageViewTest, PasteLoadIntoAViewUsesTheWholePicture)
{
    writeImageFile(halves(800, 800), path("canvas.jpg"), "JPEG");
    writeImageFile(pattern(40, 30), path("clean.bmp"), "BMP");
    ImageView view;
    view.resize(100, 100);
    view.setFit(true);
    ASSERT_TRUE(view.setFile(path("canvas.jpg")));
    ASSERT_TRUE(view.holdsDisplayCopy());
    view.setPasteArea(true, QRect(160, 200, 40, 30));
    view.setMergeOnLoad(true);
    ASSERT_TRUE(view.setFile(path("clean.bmp")));
    EXPECT_EQ(view.imageWidth(), 800);
    EXPECT_EQ(view.picture().image().copy(160, 200, 40, 30), pattern(40, 30));
}

TEST(ImageViewShow, FitScalesForDisplayOnlyAndCentres)
{
    ImageView view;
    view.resize(100, 100);
    view.setBackColour(Qt::green);
    view.setPicture(Picture(halves(200, 100)));

    QImage out = shown(view); // fit off: 1:1 from the top left
    EXPECT_EQ(out.pixel(99, 99), qRgb(255, 0, 0));

    view.fit();
    EXPECT_TRUE(view.fitOn());
    out = shown(view);
    EXPECT_EQ(out.pixel(50, 10), qRgb(0, 255, 0)); // band above
    EXPECT_EQ(out.pixel(50, 90), qRgb(0, 255, 0)); // band below
    EXPECT_EQ(out.pixel(10, 50), qRgb(255, 0, 0));
    EXPECT_EQ(out.pixel(90, 50), qRgb(0, 0, 255));
    EXPECT_EQ(view.imageWidth(), 200); // the picture itself is unchanged

    view.drawText(0, 0, "WWWW", Qt::black); // pending text is shown
    out = shown(view);
    EXPECT_LT(qRed(out.pixel(2, 28)) + qRed(out.pixel(4, 29)) + qRed(out.pixel(6, 30)), 3 * 255);
}

TEST(ImageViewEvents, MouseAndKeysBecomeSignals)
{
    ImageView view;
    view.resize(50, 40);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QStringList seen;
    QObject::connect(&view, &ImageView::clicked, [&] { seen << "click"; });
    QObject::connect(&view, &ImageView::doubleClicked, [&] { seen << "double"; });
    QObject::connect(
        &view, &ImageView::mousePressed, [&](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
            seen << QString("press %1 %2 %3,%4").arg(int(b)).arg(int(m)).arg(x).arg(y);
        });
    QObject::connect(
        &view, &ImageView::mouseMoved, [&](Qt::MouseButtons b, Qt::KeyboardModifiers, int x, int y) {
            seen << QString("move %1 %2,%3").arg(int(b)).arg(x).arg(y);
        });
    QObject::connect(&view, &ImageView::keyPressed,
        [&](int code, Qt::KeyboardModifiers, int) { seen << QString("key %1").arg(code); });

    // Through the window, as the platform delivers them.
    QWindow* window = view.windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(7, 8));
    QTest::mouseMove(window, QPoint(20, 21));
    QTest::mouseDClick(window, Qt::LeftButton, {}, QPoint(3, 3));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Left);

    const QStringList expected {
        QString("press %1 %2 5,6").arg(int(Qt::LeftButton)).arg(int(Qt::ShiftModifier)),
        "click",
        QString("press %1 0 7,8").arg(int(Qt::RightButton)), // no click for the right button
        "move 0 20,21",
        QString("press %1 0 3,3").arg(int(Qt::LeftButton)),
        "click",
        "double",
        "key 13",
        "key 37",
    };
    QStringList relevant;
    for (const QString& s : seen)
        if (!s.startsWith("move") || s == "move 0 20,21")
            relevant << s;
    EXPECT_EQ(relevant.join(" | ").toStdString(), expected.join(" | ").toStdString());
}

TEST(ImageViewEvents, VirtualKeyCodes)
{
    const std::pair<int, int> cases[]
        = {{Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Left, 37}, {Qt::Key_Up, 38},
            {Qt::Key_Right, 39}, {Qt::Key_Down, 40}, {Qt::Key_A, 65}, {Qt::Key_Z, 90}, {Qt::Key_0, 48},
            {Qt::Key_F12, 123}, {Qt::Key_Escape, 27}, {Qt::Key_Delete, 46}, {Qt::Key_Launch0, 0}};
    for (auto [qt, code] : cases)
        EXPECT_EQ(virtualKeyCode(qt), code) << qt;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
