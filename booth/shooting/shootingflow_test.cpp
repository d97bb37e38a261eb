// The booth's handlers driven as a customer would: camera, shots,
// "Continue", templates, recomposing, placement and colour, the strip and
// deleting, with a fake camera that writes numbered frames.

#include "colourpanel.h"
#include "imageio.h"
#include "shooting.h"
#include "shootingfixture.h"
#include "shootingtexts.h"
#include "templatefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace kf;
using kf::test::FakeCamera;
using kf::test::QuietPrompts;
using kf::test::ShootingInstall;

namespace {

struct Booth {
    ShootingInstall install;
    FakeCamera camera;
    QuietPrompts prompts;
    Shooting shooting {install.session(), camera, prompts, QSize(65, 46)};

    const BoothState& s() const { return shooting.state(); }
    const PhotoSlot& slot(int n) const { return s().table.slot(n); }
    QString folder() const { return install.session().shootFolder; }
    QString photo(int n) const { return photoName(folder(), n); }

    Booth() { shooting.openCamera(); }
    // A shot and "Continue".
    void shootAndContinue(int times)
    {
        for (int i = 0; i < times; ++i) {
            shooting.pressShot();
            shooting.pressShot();
        }
    }
    std::vector<int> numbers() const
    {
        std::vector<int> v;
        for (const StripCell& c : s().strip.cells)
            v.push_back(c.number);
        return v;
    }
    QStringList files() const
    {
        QStringList v;
        for (const StripCell& c : s().strip.cells)
            v << QFileInfo(c.file).fileName();
        return v;
    }
};

QImage pixels(const QString& path)
{
    return loadImage(path).convertToFormat(QImage::Format_RGB32);
}

// The clean copy a frame gives.
QImage cleanOf(const QImage& frame)
{
    Picture p(frame);
    p.scale(320, 240);
    return p.image();
}

} // namespace

TEST(Camera, OpensInOrderOrSaysThereIsNone)
{
    Booth b;
    EXPECT_EQ(b.camera.calls,
        (QStringList {"GetDeviceNumber", "SetIsChangeVideoFormat(0)", "SetVideoFormat(1)", "SelectDevice(0)",
            "Capture"}));
    EXPECT_TRUE(b.s().cameraOpen);
    EXPECT_EQ(b.s().preview, PreviewMode::Live);
    b.shooting.cameraSettings();
    EXPECT_EQ(b.camera.calls.last(), "ShowFilterPropertyPage");

    FakeCamera none;
    none.devices = 0;
    QuietPrompts prompts;
    ShootingInstall install;
    Shooting shooting(install.session(), none, prompts, QSize(65, 46));
    shooting.openCamera();
    shooting.pressShot(); // asks for the camera again instead of shooting
    shooting.cameraSettings();
    const QString noCamera = QString::fromUtf8(texts::kNoCamera);
    EXPECT_EQ(
        prompts.informed, (QStringList {noCamera, noCamera, QString::fromUtf8(texts::kSettingsNeedCamera)}));
    EXPECT_FALSE(shooting.state().cameraOpen);
    EXPECT_EQ(shooting.state().preview, PreviewMode::Placeholder);
    EXPECT_FALSE(none.calls.contains("Grab(0)"));

    // Picking an empty position before any camera shows the placeholder.
    shooting.pickPosition(2);
    EXPECT_EQ(shooting.state().preview, PreviewMode::Placeholder);
    EXPECT_EQ(shooting.state().table.currentPhoto, 3);
}

TEST(Shot, FirstShotFillsSlotOneAndContinueMovesOn)
{
    Booth b;
    b.shooting.pressShot();
    ASSERT_TRUE(b.camera.calls.contains("Grab(0)"));
    const QString photo = b.photo(1);
    EXPECT_EQ(b.slot(1).photoPath, photo);
    EXPECT_EQ(pixels(cleanCopy(photo)), cleanOf(b.camera.frame(1)));
    Picture marked(cleanOf(b.camera.frame(1)));
    markPicture(marked, b.shooting.merger().mark());
    EXPECT_EQ(pixels(photo), marked.image());
    EXPECT_EQ(QDir(b.folder()).entryList(QDir::Files), (QStringList {"Photo1.bmp", "Photo1.bmp.dat"}));
    EXPECT_EQ(b.s().preview, PreviewMode::Still);
    EXPECT_EQ(b.s().shownPhoto, photo);
    EXPECT_EQ(b.numbers(), (std::vector<int> {1, 0, 0, 0}));
    EXPECT_EQ(b.s().strip.focus, 0);
    EXPECT_EQ(b.s().shotTag, "Continue");
    EXPECT_FALSE(b.camera.running);
    EXPECT_EQ(b.s().table.photoCount, 1);

    b.shooting.pressShot(); // Continue
    EXPECT_EQ(b.s().preview, PreviewMode::Live);
    EXPECT_TRUE(b.camera.running);
    EXPECT_FALSE(b.camera.merge);
    EXPECT_EQ(b.s().table.currentPhoto, 2);
    EXPECT_EQ(b.numbers(), (std::vector<int> {1, 2, 0, 0}));
    EXPECT_EQ(b.s().strip.focus, 1);
    EXPECT_EQ(b.s().shotTag, "Shot");
}

TEST(Shot, ContinueAfterTheFourthPhotoTurnsTheStripPage)
{
    Booth b;
    b.shootAndContinue(4);
    EXPECT_EQ(b.s().table.stripPage, 2);
    EXPECT_EQ(b.s().table.currentPhoto, 5);
    EXPECT_EQ(b.numbers(), (std::vector<int> {5, 0, 0, 0}));
    EXPECT_EQ(b.files(), (QStringList {"", "", "", ""}));
    EXPECT_EQ(b.s().strip.focus, 0);
}

TEST(Shot, RetakeOfAPickedPhotoReplacesIt)
{
    Booth b;
    b.shootAndContinue(4);
    b.shooting.previousStripPage();
    b.shooting.pickPosition(2);
    EXPECT_TRUE(b.s().reviewing);
    EXPECT_EQ(b.s().shotTag, "Continue");
    // Placement and colour of the old photo 3.
    b.shooting.placementStep(PlacementButton::MoveLeft);
    ASSERT_TRUE(QFile::exists(placedCopy(b.photo(3))));
    b.shooting.recordColourStep(b.photo(3), ColourStep {10, 0, 0, 0, 0});

    b.shooting.pressShot(); // Continue: on to slot 4, the frame stays on photo 3
    EXPECT_EQ(b.s().table.currentPhoto, 4);
    EXPECT_EQ(b.s().strip.focus, 2);
    b.shooting.pressShot(); // Shot: replaces photo 3
    EXPECT_EQ(b.s().table.currentPhoto, 3);
    EXPECT_EQ(b.s().table.photoCount, 4);
    EXPECT_EQ(pixels(cleanCopy(b.photo(3))), cleanOf(b.camera.frame(5)));
    EXPECT_EQ(b.slot(3).photoPath, b.photo(3));
    EXPECT_EQ(b.slot(3).offsetX, 0);
    EXPECT_TRUE(b.slot(3).colourSteps.isEmpty());
    EXPECT_FALSE(QFile::exists(placedCopy(b.photo(3)))); // the old placed copy went with it
    EXPECT_FALSE(b.s().reviewing);
    EXPECT_EQ(pixels(cleanCopy(b.photo(4))), cleanOf(b.camera.frame(4))); // photo 4 untouched
}

TEST(Shot, NeverReplacesAPhotoThatWasNotPicked)
{
    struct Case {
        const char* name;
        std::function<void(Booth&)> lead; // from eight photos, photo 8 shown
        int stripPage; // where the new photo is shown
    };
    const Case cases[] = {
        // Back a page, then "Continue" onto slot 5, which holds photo 5.
        {"continue onto a photo",
            [](Booth& b) {
                b.shooting.previousStripPage();
                b.shooting.pressShot();
            },
            3},
        // Paging onto a stored photo leaves the button on "Shot".
        {"shot while a paged photo is shown",
            [](Booth& b) {
                b.shooting.pressShot();
                b.shooting.previousStripPage();
                b.shooting.previousStripPage();
            },
            3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Booth b;
        b.shootAndContinue(7);
        b.shooting.pressShot();
        c.lead(b);
        ASSERT_EQ(b.s().shotTag, "Shot");
        ASSERT_TRUE(b.s().holdsPhoto(b.s().table.currentPhoto));
        std::vector<QByteArray> before;
        for (int k = 1; k <= 8; ++k)
            before.push_back(kf::test::fileBytes(b.photo(k)));
        b.shooting.pressShot();
        for (int k = 1; k <= 8; ++k)
            EXPECT_EQ(kf::test::fileBytes(b.photo(k)), before[std::size_t(k - 1)]) << k;
        EXPECT_EQ(b.s().table.photoCount, 9);
        EXPECT_EQ(b.slot(9).photoPath, b.photo(9));
        EXPECT_EQ(b.s().table.stripPage, c.stripPage);
        EXPECT_EQ(b.numbers(), (std::vector<int> {9, 0, 0, 0}));
    }
}

TEST(Shot, FailuresLeaveFilesAndTableAsTheyWere)
{
    Booth b;
    b.shootAndContinue(1);
    b.shooting.pickPosition(0);
    b.shooting.pressShot(); // Continue, reviewing photo 1
    const QByteArray before = kf::test::fileBytes(b.photo(1));

    b.camera.failGrab = true;
    b.shooting.pressShot();
    EXPECT_EQ(kf::test::fileBytes(b.photo(1)), before);
    EXPECT_EQ(b.s().table.currentPhoto, 2);
    EXPECT_EQ(b.s().preview, PreviewMode::Live);
    EXPECT_EQ(b.s().shotTag, "Shot");

    // The chosen template became unreadable: nothing is written, the slot keeps its photo.
    b.camera.failGrab = false;
    const QString tmpl = b.install.addTemplate(0, "frame.png", ShootingInstall::Kind::Png);
    b.shooting.showCategory(0);
    b.shooting.chooseTemplate(0);
    ASSERT_EQ(b.s().pendingTemplate, tmpl);
    QFile f(tmpl);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(300);
    f.close();
    const QByteArray tmplBytes = kf::test::fileBytes(tmpl);
    b.shooting.pressShot();
    EXPECT_EQ(b.prompts.informed, QStringList {QString::fromUtf8(texts::kShotTemplateUnreadable)});
    EXPECT_EQ(kf::test::fileBytes(b.photo(1)), before);
    EXPECT_EQ(QDir(b.folder()).entryList(QDir::Files), (QStringList {"Photo1.bmp", "Photo1.bmp.dat"}));
    EXPECT_EQ(b.s().preview, PreviewMode::Live);
    EXPECT_EQ(b.s().table.photoCount, 1);
    EXPECT_EQ(kf::test::fileBytes(tmpl), tmplBytes);
    // An unreadable template is not offered in the grid.
    b.shooting.showCategory(0);
    EXPECT_TRUE(b.shooting.templates().cellPath(0).isEmpty());
}

TEST(Shot, TemplateOverlaysTheLivePictureAndIsComposedUnchanged)
{
    Booth b;
    const QString tmpl = b.install.addTemplate(0, "frame.png", ShootingInstall::Kind::Png, Qt::red);
    const QString keyed
        = b.install.addTemplate(0, "keyed.JPG", ShootingInstall::Kind::Jpeg, QColor(0, 0, 190));
    const QByteArray tmplBytes = kf::test::fileBytes(tmpl);
    const QByteArray keyedBytes = kf::test::fileBytes(keyed);
    b.shooting.showCategory(0);
    ASSERT_EQ(b.shooting.templates().cellPath(0), tmpl);

    b.shooting.chooseTemplate(0);
    EXPECT_EQ(b.s().pendingTemplate, tmpl);
    EXPECT_TRUE(b.camera.merge);
    ASSERT_FALSE(b.camera.fore.isNull());
    EXPECT_TRUE(b.camera.fore.hasAlphaChannel());
    EXPECT_FALSE(QFile::exists(b.camera.forePath)); // the plain copy lived only for the load
    EXPECT_EQ(QColor(b.camera.fore.pixel(5, 5)), QColor(Qt::red));

    // A keyed JPEG template shows on the live picture too.
    b.shooting.chooseTemplate(1);
    EXPECT_EQ(qAlpha(b.camera.fore.pixel(320, 240)), 0);
    EXPECT_EQ(qAlpha(b.camera.fore.pixel(5, 5)), 255);
    // An empty cell: no template for the next shot, and none on the live picture.
    b.shooting.chooseTemplate(5);
    EXPECT_TRUE(b.s().pendingTemplate.isEmpty());
    EXPECT_FALSE(b.camera.merge);

    b.shooting.chooseTemplate(0);
    b.shooting.pressShot();
    EXPECT_EQ(b.slot(1).templatePath, tmpl);
    EXPECT_TRUE(b.s().pendingTemplate.isEmpty());
    const QImage photo = pixels(b.photo(1));
    EXPECT_EQ(photo.size(), QSize(320, 240));
    EXPECT_EQ(QColor(photo.pixel(3, 3)), QColor(Qt::red));
    EXPECT_EQ(photo.pixel(160, 120), cleanOf(b.camera.frame(1)).pixel(160, 120));
    EXPECT_EQ(kf::test::fileBytes(tmpl), tmplBytes);
    EXPECT_EQ(kf::test::fileBytes(keyed), keyedBytes);
}

TEST(Merging, TemplateChoiceOfAPlacedPhotoKeepsPlacementAndDropsColour)
{
    Booth b;
    const QString tmpl = b.install.addTemplate(0, "frame.png", ShootingInstall::Kind::Png, Qt::green);
    b.shooting.showCategory(0);
    b.shooting.pressShot();
    b.shooting.placementStep(PlacementButton::MoveLeft);
    b.shooting.placementStep(PlacementButton::MoveUp);
    b.shooting.recordColourStep(b.photo(1), ColourStep {40, 0, 0, 0, 0});
    const QImage placed = pixels(placedCopy(b.photo(1)));

    b.shooting.chooseTemplate(0); // a still photo is shown: recompose it
    EXPECT_EQ(b.slot(1).templatePath, tmpl);
    EXPECT_TRUE(b.slot(1).colourSteps.isEmpty());
    EXPECT_EQ(b.slot(1).offsetX, 5);
    EXPECT_EQ(b.slot(1).offsetY, 5);
    Picture expected(composeWithTemplate(placed, tmpl));
    markPicture(expected, b.shooting.merger().mark());
    EXPECT_EQ(pixels(b.photo(1)), expected.image());

    // An empty cell rebuilds without a template and records none.
    b.shooting.chooseTemplate(7);
    EXPECT_TRUE(b.slot(1).templatePath.isEmpty());
    Picture bare(placed);
    markPicture(bare, b.shooting.merger().mark());
    EXPECT_EQ(pixels(b.photo(1)), bare.image());
}

TEST(Placement, MovesRebuildAndTwoColourVisitsSurvive)
{
    Booth b;
    b.shooting.pressShot();
    const QString photo = b.photo(1);
    for (int visit : {0, 1}) {
        const QString shown = b.shooting.photoForColourPanel();
        ASSERT_EQ(shown, photo);
        ColourPanel panel(shown);
        ASSERT_TRUE(panel.begin());
        ASSERT_TRUE(panel.setValue(visit == 0 ? 0 : 1, visit == 0 ? 25 : 60));
        b.shooting.recordColourStep(shown, panel.step());
    }
    EXPECT_EQ(b.slot(1).colourSteps, "25@0@0@0@0@0@60@0@0@0");

    b.shooting.placementStep(PlacementButton::TurnLeft);
    EXPECT_EQ(b.slot(1).angle, 5);
    Picture expected(pixels(placedCopy(photo)));
    markPicture(expected, b.shooting.merger().mark());
    expected.brightness(25);
    expected.contrast(60);
    EXPECT_EQ(pixels(photo), expected.image());

    // Reset: the clean copy plus mark, the recorded colour still applied.
    b.shooting.placementStep(PlacementButton::Reset);
    Picture reset(pixels(cleanCopy(photo)));
    markPicture(reset, b.shooting.merger().mark());
    reset.brightness(25);
    reset.contrast(60);
    EXPECT_EQ(pixels(photo), reset.image());
}

TEST(Placement, NeedsAShownPhoto)
{
    Booth b;
    b.shooting.placementStep(PlacementButton::MoveLeft); // nothing shot yet
    EXPECT_TRUE(b.shooting.photoForColourPanel().isEmpty());
    EXPECT_EQ(b.prompts.informed, QStringList {QString::fromUtf8(texts::kChoosePhotoForColour)});

    // Reviewing photo 1, "Continue" moves to slot 2 which holds photo 2: the
    // live picture is shown, so neither photo may be rebuilt.
    b.shootAndContinue(2);
    b.shooting.pickPosition(0);
    b.shooting.pressShot();
    ASSERT_EQ(b.s().preview, PreviewMode::Live);
    const QByteArray one = kf::test::fileBytes(b.photo(1));
    const QByteArray two = kf::test::fileBytes(b.photo(2));
    b.shooting.placementStep(PlacementButton::MoveLeft);
    EXPECT_EQ(kf::test::fileBytes(b.photo(1)), one);
    EXPECT_EQ(kf::test::fileBytes(b.photo(2)), two);
    EXPECT_EQ(b.slot(2).offsetX, 0);
}

TEST(Strip, PagingWithFiveAndWithEightPhotos)
{
    Booth five;
    five.shootAndContinue(5); // on slot 6, page 2
    five.shooting.previousStripPage();
    ASSERT_EQ(five.s().table.currentPhoto, 2);
    five.shooting.nextStripPage();
    EXPECT_EQ(five.s().table.stripPage, 2);
    EXPECT_EQ(five.s().table.currentPhoto, 6);
    EXPECT_EQ(five.numbers(), (std::vector<int> {5, 0, 0, 0}));
    EXPECT_EQ(five.files(), (QStringList {"Photo5.bmp", "", "", ""}));
    EXPECT_EQ(five.s().preview, PreviewMode::Live); // slot 6 is empty

    Booth eight;
    eight.shootAndContinue(8);
    eight.shooting.previousStripPage(); // from page 3, where "Continue" past photo 8 went
    eight.shooting.previousStripPage();
    ASSERT_EQ(eight.s().table.stripPage, 1);
    eight.shooting.nextStripPage();
    ASSERT_EQ(eight.s().table.stripPage, 2);
    const BoothState before = eight.s();
    eight.shooting.nextStripPage(); // eight photos on page 2: nothing more
    EXPECT_EQ(eight.s().table.stripPage, 2);
    EXPECT_EQ(eight.s().table.currentPhoto, before.table.currentPhoto);
    EXPECT_EQ(eight.numbers(), (std::vector<int> {5, 6, 7, 8}));
    EXPECT_EQ(eight.s().preview, PreviewMode::Still);
}

TEST(Delete, PhotoTwoOfFourMovesEveryField)
{
    Booth b;
    b.shootAndContinue(4);
    b.shooting.previousStripPage();
    b.shooting.pickPosition(2);
    b.shooting.placementStep(PlacementButton::MoveDown);
    b.shooting.recordColourStep(b.photo(3), ColourStep {1, 2, 3, 4, 5});
    const PhotoSlot three = b.slot(3);
    const PhotoSlot four = b.slot(4);

    b.shooting.pickPosition(1);
    b.shooting.deletePhoto();
    EXPECT_EQ(b.prompts.asked, QStringList {QString::fromUtf8(texts::kAskDelete)});
    EXPECT_EQ(b.slot(2), three);
    EXPECT_EQ(b.slot(3), four);
    EXPECT_TRUE(b.slot(4).isFree());
    EXPECT_EQ(b.s().table.photoCount, 3);
    EXPECT_EQ(b.numbers(), (std::vector<int> {1, 2, 3, 4}));
    EXPECT_EQ(b.files(), (QStringList {"Photo1.bmp", "Photo3.bmp", "Photo4.bmp", ""}));
    for (const QString& gone : {b.photo(2), cleanCopy(b.photo(2))})
        EXPECT_FALSE(QFile::exists(gone));
    EXPECT_EQ(b.s().shownPhoto, b.photo(3)); // slot 2 now shows the old photo 3

    // A shot into slot 4 must not write over Photo4.bmp, which is slot 3's now.
    b.shooting.pickPosition(3);
    const QByteArray slot3 = kf::test::fileBytes(b.photo(4));
    b.shooting.pressShot();
    EXPECT_EQ(kf::test::fileBytes(b.photo(4)), slot3);
    EXPECT_EQ(QFileInfo(b.slot(4).photoPath).fileName(), "Photo4_2.bmp");
}

TEST(Delete, LastPhotoReturnsToLiveAndAnEmptySlotOnlyHints)
{
    Booth b;
    QStringList hints;
    QObject::connect(&b.shooting, &Shooting::hint, [&](const QString& t, int) { hints << t; });
    b.shooting.pressShot();
    b.shooting.deletePhoto();
    EXPECT_EQ(b.s().preview, PreviewMode::Live);
    EXPECT_TRUE(b.camera.running);
    EXPECT_EQ(b.s().shotTag, "Shot");
    EXPECT_EQ(b.s().table.photoCount, 0);
    EXPECT_TRUE(QDir(b.folder()).entryList(QDir::Files).isEmpty());

    b.shooting.deletePhoto();
    EXPECT_EQ(hints, QStringList {QString::fromUtf8(texts::kChoosePhotoToDelete)});
    EXPECT_EQ(b.prompts.asked.size(), 1);

    b.prompts.answer = false; // "No" keeps the photo
    b.shooting.pressShot();
    b.shooting.deletePhoto();
    EXPECT_TRUE(QFile::exists(b.photo(1)));
    EXPECT_EQ(b.s().table.photoCount, 1);
}

TEST(Delete, AllEmptiesTheRunFolderAndKeepsIt)
{
    Booth b;
    // A photo taken into slot 3 first leaves slots 1 and 2 empty.
    b.shooting.pickPosition(2);
    b.shootAndContinue(2);
    ASSERT_TRUE(b.slot(1).isFree());
    const QString outside = QDir(b.install.session().path("PhotoSaved")).filePath("keep.txt");
    QFile keep(outside);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();

    b.shooting.deleteAllPhotos();
    EXPECT_EQ(b.prompts.asked, QStringList {QString::fromUtf8(texts::kAskDeleteAll)});
    EXPECT_TRUE(QDir(b.folder()).exists());
    EXPECT_TRUE(QDir(b.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_EQ(b.s().table.photoCount, 0);
    EXPECT_EQ(b.s().table.currentPhoto, 1);
    EXPECT_EQ(b.s().table.stripPage, 1);
    EXPECT_EQ(b.numbers(), (std::vector<int> {1, 2, 3, 4}));
    EXPECT_EQ(b.s().strip.focus, 0);
    EXPECT_EQ(b.s().preview, PreviewMode::Live);
}

namespace {

struct ListChooser : FileChooser {
    QStringList files;
    QString filter;
    QStringList choosePictures(const QString&, const QString& f) override
    {
        filter = f;
        return files;
    }
};

} // namespace

TEST(Import, ThreePicturesIntoARunOfFiveShowPageTwo)
{
    Booth b;
    b.shootAndContinue(5); // live on slot 6
    ListChooser chooser;
    b.shooting.setFileChooser(&chooser);
    QTemporaryDir sources;
    const QSize shapes[] = {{640, 480}, {480, 640}, {1000, 500}};
    for (int i = 0; i < 3; ++i) {
        const QString path = sources.filePath(QStringLiteral("pic%1.jpg").arg(i));
        ASSERT_TRUE(b.camera.frame(i).scaled(shapes[i]).save(path, "JPEG"));
        chooser.files << path;
    }
    chooser.files << sources.filePath("missing.jpg");
    QStringList shown;
    QObject::connect(&b.shooting, &Shooting::message, [&](const QString& t) { shown << t; });

    b.shooting.importPressed();
    EXPECT_TRUE(b.shooting.importRunning());
    b.shooting.waitForImport();
    EXPECT_EQ(chooser.filter, QString::fromUtf8(kImportFilter));
    EXPECT_EQ(shown, QStringList {QString::fromUtf8(kImportBusyText)});
    EXPECT_EQ(b.s().table.photoCount, 8);
    EXPECT_EQ(b.s().table.currentPhoto, 8);
    EXPECT_EQ(b.s().table.stripPage, 2);
    EXPECT_EQ(b.numbers(), (std::vector<int> {5, 6, 7, 8}));
    EXPECT_TRUE(b.files()[1].startsWith("pic0"));
    EXPECT_TRUE(b.files()[3].startsWith("pic2"));
    EXPECT_EQ(b.s().strip.focus, 3);
    EXPECT_EQ(b.s().preview, PreviewMode::Still);
    EXPECT_EQ(b.s().shownPhoto, b.slot(8).photoPath);
    EXPECT_EQ(loadImage(b.slot(7).photoPath).size(), QSize(320, 240));
    EXPECT_EQ(b.s().shotTag, "Shot");
    ASSERT_EQ(b.prompts.informed.size(), 1); // the unreadable picture is named
    EXPECT_TRUE(b.prompts.informed[0].contains("missing.jpg"));
}

TEST(Import, NoSixtySixthPhotoIsTakenOrImported)
{
    Booth b;
    b.camera.frameSize = QSize(64, 48);
    for (int i = 0; i < 65; ++i) {
        b.shooting.pressShot();
        b.shooting.pressShot();
    }
    ASSERT_EQ(b.s().table.photoCount, 65);
    ASSERT_EQ(b.s().table.currentPhoto, 66);
    b.shooting.pressShot();
    EXPECT_EQ(b.prompts.informed, QStringList {QString::fromUtf8(texts::kStripFull)});
    EXPECT_FALSE(QFile::exists(b.photo(66)));
    EXPECT_EQ(b.numbers(), (std::vector<int> {65, 0, 0, 0})); // no label for slot 66

    ListChooser chooser;
    chooser.files << b.photo(1);
    b.shooting.setFileChooser(&chooser);
    b.shooting.importPressed();
    EXPECT_FALSE(b.shooting.importRunning());
    EXPECT_EQ(b.prompts.informed.last(), QString::fromUtf8(kImportFullText));
    EXPECT_EQ(QDir(b.folder()).entryList(QDir::Files).size(), 130);
}
