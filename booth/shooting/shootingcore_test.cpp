// The building blocks of composition: crop arithmetic, placement steps,
// rebuilds from the copies, the colour panel, scrambled templates and the
// template grid's paging.

#include "colourpanel.h"
#include "imageio.h"
#include "merger.h"
#include "placement.h"
#include "shootingfixture.h"
#include "templatebrowser.h"
#include "templatefile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kf;
using kf::test::ShootingInstall;

namespace {

QImage gradient(int w, int h, int seed = 0)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 3 + seed) % 256, (y * 5) % 256, (x + y + seed * 7) % 256));
    return image;
}

QImage marked(const QImage& image, const SiteMark& mark)
{
    Picture p(image);
    markPicture(p, mark);
    return p.image();
}

// A photo of the run with its clean copy, as a shot leaves them.
QString writePhoto(const ShootingInstall& install, int slot, const QImage& clean)
{
    const QString photo = photoName(install.session().shootFolder, slot);
    EXPECT_TRUE(writeImage(clean, cleanCopy(photo), kSaveTypeWorking));
    EXPECT_TRUE(writeImage(clean, photo, kSaveTypeWorking));
    return photo;
}

} // namespace

TEST(PlacementCrop, OriginRoundsHalvesToEven)
{
    struct Case {
        int w, h, x, y;
        QPoint origin;
    };
    const Case cases[] = {
        {640, 640, 0, 0, {160, 200}}, // no turn: exactly the pasted copy
        {640, 640, 160, -200, {320, 0}},
        {641, 641, 0, 0, {160, 200}}, // 160.5 -> 160, 200.5 -> 200
        {643, 645, 0, 0, {162, 202}}, // 161.5 -> 162, 202.5 -> 202
        {661, 663, 5, -5, {176, 206}}, // 175.5 -> 176, 206.5 -> 206
        {906, 906, -160, 200, {133, 533}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placementCropOrigin(c.w, c.h, c.x, c.y), c.origin) << c.w << "x" << c.h;
}

TEST(PlacementStep, MovesStopAtTheirLimitsAndTurnsWrap)
{
    Placement p;
    for (int i = 0; i < 40; ++i)
        p = placementStep(p, PlacementButton::MoveLeft);
    EXPECT_EQ(p.x, 160);

    struct Case {
        Placement from;
        PlacementButton button;
        Placement to;
    };
    const Case cases[] = {
        {{0, 0, 360}, PlacementButton::TurnLeft, {0, 0, 5}},
        {{0, 0, -360}, PlacementButton::TurnRight, {0, 0, -5}},
        {{0, 0, 355}, PlacementButton::TurnLeft, {0, 0, 360}},
        {{-160, 0, 0}, PlacementButton::MoveRight, {-160, 0, 0}},
        {{0, 200, 0}, PlacementButton::MoveUp, {0, 200, 0}},
        {{0, -200, 0}, PlacementButton::MoveDown, {0, -200, 0}},
        {{0, -195, 0}, PlacementButton::MoveDown, {0, -200, 0}},
        {{45, -30, 90}, PlacementButton::Reset, {0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placementStep(c.from, c.button), c.to) << int(c.button);
}

TEST(Merger, UnplacedRebuildIsTheCleanCopyPlusTheMark)
{
    ShootingInstall install;
    Merger merger(install.session().path("data/back.jpg"), SiteMark {"www.example.test", 270});
    const QImage clean = gradient(320, 240);
    const QString photo = writePhoto(install, 1, clean);

    ASSERT_TRUE(merger.endMerger(photo, PhotoSlot {}, 0, 0, 0));
    EXPECT_EQ(loadImage(placedCopy(photo)).convertToFormat(QImage::Format_RGB32), clean);
    const QImage rebuilt = loadImage(photo).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(rebuilt, marked(clean, merger.mark()));
    EXPECT_NE(rebuilt, clean); // the mark is there

    // A move of 5 to the left shows 5 more canvas columns on the right.
    ASSERT_TRUE(merger.endMerger(photo, PhotoSlot {}, 5, 0, 0));
    const QImage moved = loadImage(placedCopy(photo)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(moved.pixel(0, 0), clean.pixel(5, 0));
    EXPECT_NE(moved.pixel(317, 100), clean.pixel(317, 100));
}

TEST(Merger, TurnedPlacementKeepsTheCentre)
{
    ShootingInstall install;
    Merger merger(install.session().path("data/back.jpg"), SiteMark {"m", 270});
    QImage clean(320, 240, QImage::Format_RGB32);
    clean.fill(Qt::blue);
    const QImage placed = merger.placed(clean, 0, 0, 45);
    ASSERT_EQ(placed.size(), QSize(320, 240));
    EXPECT_EQ(QColor(placed.pixel(160, 120)), QColor(Qt::blue));
    // The turned copy's corners leave canvas showing in the crop's corners.
    EXPECT_NE(QColor(placed.pixel(2, 2)), QColor(Qt::blue));
}

TEST(Merger, RebuildReplaysColourStepsInTheOrderRecorded)
{
    ShootingInstall install;
    Merger merger(install.session().path("data/back.jpg"), SiteMark {"m", 270});
    const QImage clean = gradient(320, 240, 3);
    const QString photo = writePhoto(install, 1, clean);
    PhotoSlot slot;
    slot.photoPath = photo;
    // Brightness then contrast is not contrast then brightness.
    slot.colourSteps = QStringLiteral("30@0@0@0@0@0@80@10@0@-20");

    ASSERT_TRUE(merger.endMerger(photo, slot, 0, 0, 0));
    Picture expected(marked(clean, merger.mark()));
    expected.brightness(30);
    expected.contrast(80);
    expected.colourBalance(10, 0, -20);
    EXPECT_EQ(loadImage(photo).convertToFormat(QImage::Format_RGB32), expected.image());

    Picture reversed(marked(clean, merger.mark()));
    reversed.contrast(80);
    reversed.colourBalance(10, 0, -20);
    reversed.brightness(30);
    EXPECT_NE(expected.image(), reversed.image());
}

TEST(Merger, FailedRebuildLeavesEveryFileAsItWas)
{
    ShootingInstall install;
    Merger merger(install.session().path("data/back.jpg"), SiteMark {"m", 270});
    const QString photo = writePhoto(install, 1, gradient(320, 240));
    const QString broken = install.addTemplate(0, "broken.png", ShootingInstall::Kind::Png);
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(200); // cut short: unreadable
    f.close();
    const QByteArray templateBefore = kf::test::fileBytes(broken);
    const QByteArray photoBefore = kf::test::fileBytes(photo);

    PhotoSlot slot;
    slot.templatePath = broken;
    QString error;
    EXPECT_FALSE(merger.endMerger(photo, slot, 10, 0, 0, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(merger.recompose(photo, broken));
    EXPECT_EQ(kf::test::fileBytes(photo), photoBefore);
    EXPECT_FALSE(QFile::exists(placedCopy(photo)));
    EXPECT_EQ(kf::test::fileBytes(broken), templateBefore);
    EXPECT_EQ(QDir(install.session().shootFolder).entryList(QDir::Files).size(), 2);
}

TEST(TemplateFile, DecodesInMemoryAndKeysJpegOverlays)
{
    ShootingInstall install;
    const QString png = install.addTemplate(0, "a.png", ShootingInstall::Kind::Png, Qt::red);
    const QString jpg = install.addTemplate(0, "b.JPG", ShootingInstall::Kind::Jpeg, QColor(0, 0, 200));
    const QByteArray pngBefore = kf::test::fileBytes(png);
    ASSERT_TRUE(QImage::fromData(pngBefore).isNull()); // stored scrambled

    const QImage plain = loadTemplate(png);
    ASSERT_EQ(plain.size(), QSize(640, 480));
    EXPECT_TRUE(plain.hasAlphaChannel());
    EXPECT_EQ(loadTemplate(png, QSize(64, 64)).size(), QSize(64, 48));
    EXPECT_EQ(kf::test::fileBytes(png), pngBefore);

    const QImage overlay = overlayImage(loadTemplate(jpg));
    ASSERT_FALSE(overlay.isNull());
    EXPECT_EQ(qAlpha(overlay.pixel(320, 240)), 0); // the white window is clear
    EXPECT_EQ(qAlpha(overlay.pixel(10, 10)), 255); // the decoration covers

    // The shot's composition shows the photo in the window and the frame around it.
    const QImage composed = composeWithTemplate(gradient(320, 240), png);
    EXPECT_EQ(composed.pixel(160, 120), gradient(320, 240).pixel(160, 120));
    EXPECT_EQ(QColor(composed.pixel(5, 5)), QColor(Qt::red));
    EXPECT_TRUE(loadTemplate(install.session().path("image/none.png")).isNull());
}

TEST(TemplateBrowser, PagesFifteenAtATime)
{
    struct Case {
        int entries;
        int secondPage; // filled cells after one next page
        bool thirdPageTurns;
    };
    const Case cases[] = {{20, 5, false}, {15, 0, false}, {31, 15, true}, {0, 0, false}};
    for (const Case& c : cases) {
        ShootingInstall install;
        install.addTemplates(2, c.entries);
        TemplateBrowser browser(install.session().templateRoot(), QSize(65, 46));
        browser.showCategory(QString::fromUtf8("爱情"));
        auto filled = [&] {
            int n = 0;
            for (const TemplateCell& cell : browser.cells())
                n += cell.path.isEmpty() ? 0 : 1;
            return n;
        };
        SCOPED_TRACE(c.entries);
        EXPECT_EQ(filled(), std::min(c.entries, 15));
        EXPECT_EQ(browser.page(), 1);
        const bool turned = browser.nextPage();
        EXPECT_EQ(turned, c.entries >= 15);
        if (!turned)
            continue;
        EXPECT_EQ(browser.page(), 2);
        EXPECT_EQ(filled(), c.secondPage);
        EXPECT_EQ(browser.nextPage(), c.thirdPageTurns);
        while (browser.page() > 1)
            browser.previousPage();
        EXPECT_EQ(filled(), 15);
        EXPECT_TRUE(browser.cellPath(0).endsWith("t00.png"));
        EXPECT_FALSE(browser.previousPage());
    }
}

TEST(TemplateBrowser, ListsJpgAndPngInAnyCaseInNameOrder)
{
    ShootingInstall install;
    for (const char* name : {"b.PNG", "a.JPG", "C.jpg", "d.gif", "e.jpeg"}) {
        QFile f(QDir(install.categoryFolder(1)).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(
        TemplateBrowser::listTemplates(install.categoryFolder(1)), (QStringList {"a.JPG", "b.PNG", "C.jpg"}));
}

TEST(ColourPanel, EveryChangeStartsFromTheBackup)
{
    ShootingInstall install;
    const QImage clean = gradient(320, 240, 9);
    const QString photo = writePhoto(install, 1, clean);
    ColourPanel panel(photo);
    ASSERT_TRUE(panel.begin());
    EXPECT_EQ(loadImage(colourBackup(photo)).convertToFormat(QImage::Format_RGB32), clean);

    ASSERT_TRUE(panel.setValue(0, 50));
    ASSERT_TRUE(panel.setValue(0, 20));
    ASSERT_TRUE(panel.setValue(4, 150)); // clamped
    EXPECT_EQ(panel.step(), (ColourStep {20, 0, 0, 0, 100}));
    Picture expected(clean);
    expected.brightness(20);
    expected.colourBalance(0, 0, 100);
    EXPECT_EQ(loadImage(photo).convertToFormat(QImage::Format_RGB32), expected.image());

    ASSERT_TRUE(panel.reset());
    EXPECT_EQ(loadImage(photo).convertToFormat(QImage::Format_RGB32), clean);

    QFile::remove(colourBackup(photo));
    QString error;
    EXPECT_FALSE(panel.setValue(1, 10, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(loadImage(photo).convertToFormat(QImage::Format_RGB32), clean);
}

TEST(ColourPanel, TextBoxValues)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {{"12", 12}, {" -7 ", -7}, {"12.5", 12}, {"13.5", 14}, {"150", 100}, {"-101", -100},
        {"abc", std::nullopt}, {"", std::nullopt}, {"1x", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ColourPanel::valueFromText(QString::fromLatin1(c.text)), c.value) << c.text;
}
