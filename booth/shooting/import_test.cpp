#include "import.h"
#include "testsupport/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <deque>
#include <gtest/gtest.h>

namespace kf {
namespace {

using test::readFile;
using test::writeFile;

const QRgb kRed = qRgb(220, 20, 20);
const QRgb kWhite = qRgb(255, 255, 255);

// A flat picture of the given size and colour, saved in format ("jpg", "bmp").
QString makePicture(const QString& path, QSize size, QRgb colour = kRed, const char* format = "jpg")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(path, format, 95)) << path.toStdString();
    return path;
}

// Marks a JPEG as taken with the camera turned (orientation 6: the stored
// picture is shown turned a quarter to the right), as phone cameras do.
void markTurned(const QString& jpeg)
{
    static const char exif[] = "\xFF\xE1\x00\x22"
                               "Exif\0\0"
                               "MM\x00\x2A\x00\x00\x00\x08"
                               "\x00\x01"
                               "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
                               "\x00\x00\x00\x00";
    QByteArray bytes = readFile(jpeg);
    bytes.insert(2, exif, sizeof exif - 1);
    writeFile(jpeg, bytes);
}

bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Draws the numbers given, then 0, 1, 2, ...
NumberDraw scripted(std::deque<int> numbers)
{
    return [numbers = std::move(numbers), next = 0]() mutable {
        if (!numbers.empty()) {
            const int n = numbers.front();
            numbers.pop_front();
            return n;
        }
        return next++;
    };
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("src")));
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("shoot")));
    }
    QString src(const QString& name) const { return dir_.filePath(QStringLiteral("src/") + name); }
    QString shoot() const { return dir_.filePath(QStringLiteral("shoot")); }
    QString shot(const QString& name) const { return shoot() + u'/' + name; }

    QTemporaryDir dir_;
};

// ---------------------------------------------------------------------------

TEST(Letterbox, PlacementFollowsTheShapeRule)
{
    struct Case {
        QSize picture;
        QRect placed;
    };
    const Case cases[] = {
        {{640, 480}, {0, 0, 320, 240}},
        {{4000, 3000}, {0, 0, 320, 240}},
        {{160, 120}, {0, 0, 320, 240}}, // small pictures are enlarged
        {{480, 640}, {70, 0, 180, 240}},
        {{1000, 500}, {0, 40, 320, 160}},
        {{3000, 4000}, {70, 0, 180, 240}},
        {{333, 250}, {0, 0, 320, 240}}, // a hair taller; its width rounds to 320
        {{100, 96}, {35, 0, 250, 240}},
        {{101, 96}, {33, 0, 253, 240}}, // 252.5 rounds up, the left band truncates
        {{1, 96}, {158, 0, 3, 240}},
        {{1, 10000}, {159, 0, 1, 240}}, // never below one pixel
        {{10000, 1}, {0, 119, 320, 1}},
        {{0, 480}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(letterboxPlacement(c.picture), c.placed) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(importedSize(c.picture), c.placed.size());
    }
}

TEST_F(ImportTest, ConvertsLetterboxedOnWhiteWithItsCleanCopy)
{
    struct Case {
        const char* name;
        QSize size;
        const char* format;
        QRect picture; // where the source's colour is; white elsewhere
        bool turned = false;
    };
    const Case cases[] = {
        {"wide.jpg", {640, 480}, "jpg", {0, 0, 320, 240}},
        {"portrait.jpg", {480, 640}, "jpg", {70, 0, 180, 240}},
        {"banner.bmp", {1000, 500}, "bmp", {0, 40, 320, 160}},
        {"tiny.JPG", {32, 24}, "jpg", {0, 0, 320, 240}},
        {"upright.jpg", {640, 480}, "jpg", {70, 0, 180, 240}, true}, // shown 480 x 640
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = makePicture(src(QString::fromLatin1(c.name)), c.size, kRed, c.format);
        if (c.turned)
            markTurned(source);
        const QByteArray before = readFile(source);
        const QString target = shot(QStringLiteral("out_%1.bmp").arg(QString::fromLatin1(c.name)));
        QString error;
        bool companion = true;
        ASSERT_TRUE(convertForImport(source, target, &error, &companion)) << error.toStdString();
        EXPECT_FALSE(companion);

        const QByteArray stored = readFile(target);
        ASSERT_GE(stored.size(), 30);
        EXPECT_TRUE(stored.startsWith("BM"));
        EXPECT_EQ(quint8(stored[28]), 24) << "working format is a 24-bit bitmap";
        EXPECT_EQ(readFile(cleanCopy(target)), stored) << "clean copy is the converted picture";
        EXPECT_EQ(readFile(source), before) << "source unchanged";

        const QImage out(target);
        ASSERT_EQ(out.size(), QSize(320, 240));
        const QRect p = c.picture;
        // Inside the picture, on its edges, and the white bands just outside.
        for (const QPoint inside : {p.center(), p.topLeft(), p.bottomRight()})
            EXPECT_TRUE(near(out.pixel(inside), kRed)) << inside.x() << "," << inside.y();
        for (const QPoint outside : {p.topLeft() - QPoint(1, 0), p.topLeft() - QPoint(0, 1),
                 p.bottomRight() + QPoint(1, 0), p.bottomRight() + QPoint(0, 1)}) {
            if (out.rect().contains(outside)) {
                EXPECT_EQ(out.pixel(outside), kWhite) << outside.x() << "," << outside.y();
            }
        }
    }
}

TEST_F(ImportTest, CleanCopyComesFromACompanionOnlyWhenItIsOne)
{
    // An earlier run's photo (composed, here blue) and its clean copy (green).
    QImage cleanPicture(320, 240, QImage::Format_RGB32);
    cleanPicture.fill(qRgb(0, 200, 0));
    QByteArray cleanBytes;
    {
        const QString tmp = dir_.filePath(QStringLiteral("clean.bmp"));
        ASSERT_TRUE(cleanPicture.save(tmp, "BMP"));
        cleanBytes = readFile(tmp);
    }
    QImage small(100, 100, QImage::Format_RGB32);
    small.fill(Qt::green);
    QByteArray smallBytes;
    {
        const QString tmp = dir_.filePath(QStringLiteral("small.bmp"));
        ASSERT_TRUE(small.save(tmp, "BMP"));
        smallBytes = readFile(tmp);
    }
    struct Case {
        const char* companionName; // beside Photo3.bmp
        QByteArray content;
        bool taken;
    };
    const Case cases[] = {
        {"Photo3.bmp.dat", cleanBytes, true},
        {"photo3.BMP.DAT", cleanBytes, true}, // found without regard to case
        {"Photo3.bmp.dat", QByteArray("not a picture"), false},
        {"Photo3.bmp.dat", smallBytes, false}, // not a clean copy's size
        {"Photo4.bmp.dat", cleanBytes, false}, // another photo's
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.companionName);
        QTemporaryDir folder;
        const QString source
            = makePicture(folder.filePath(QStringLiteral("Photo3.bmp")), {320, 240}, qRgb(0, 0, 200), "bmp");
        writeFile(folder.filePath(QString::fromLatin1(c.companionName)), c.content);
        const QString target = shot(QStringLiteral("Photo%1.bmp").arg(100 + n++));
        bool companion = false;
        ASSERT_TRUE(convertForImport(source, target, nullptr, &companion));
        EXPECT_EQ(companion, c.taken);
        if (c.taken)
            EXPECT_EQ(readFile(cleanCopy(target)), cleanBytes);
        else
            EXPECT_EQ(readFile(cleanCopy(target)), readFile(target));
        EXPECT_EQ(QImage(target).pixel(160, 120), qRgb(0, 0, 200)) << "the photo is the source's picture";
    }
}

TEST_F(ImportTest, FailedConversionLeavesNothingBehind)
{
    writeFile(src(QStringLiteral("broken.jpg")), QByteArray("\xFF\xD8\xFF\xE0 truncated", 15));
    writeFile(src(QStringLiteral("text.jpg")), QByteArray("hello"));
    const QString good = makePicture(src(QStringLiteral("good.jpg")), {64, 48});
    writeFile(shot(QStringLiteral("taken.bmp")), QByteArray("earlier photo"));

    struct Case {
        QString source;
        QString target;
    };
    const Case cases[] = {
        {src(QStringLiteral("broken.jpg")), shot(QStringLiteral("a.bmp"))},
        {src(QStringLiteral("text.jpg")), shot(QStringLiteral("b.bmp"))},
        {src(QStringLiteral("missing.jpg")), shot(QStringLiteral("c.bmp"))},
        {src(QString()), shot(QStringLiteral("d.bmp"))}, // a folder
        {good, dir_.filePath(QStringLiteral("nofolder/e.bmp"))},
        {good, shot(QStringLiteral("taken.bmp"))}, // never replaced
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.toStdString() + " -> " + c.target.toStdString());
        QString error;
        EXPECT_FALSE(convertForImport(c.source, c.target, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(cleanCopy(c.target)));
    }
    EXPECT_EQ(filesIn(shoot()), QStringList {QStringLiteral("taken.bmp")});
    EXPECT_EQ(readFile(shot(QStringLiteral("taken.bmp"))), QByteArray("earlier photo"));
}

TEST_F(ImportTest, NewNamesNeverTakeAnExistingOrAShotName)
{
    for (const char* name : {"beach7.bmp", "BEACH8.BMP", "beach9.bmp.dat", "beach10.bmp2.dat"})
        writeFile(shot(QString::fromLatin1(name)), "x");
    struct Case {
        QStringList sources;
        std::deque<int> draws;
        QStringList names;
    };
    const Case cases[] = {
        {{"beach.jpg"}, {4711}, {"beach4711.bmp"}},
        // Existing photos and sidecars (any case) are drawn again.
        {{"beach.jpg"}, {7, 8, 9, 10, 11}, {"beach11.bmp"}},
        // Two alike within one import.
        {{"beach.jpg", "beach.jpg", "Beach.jpg"}, {5, 5, 6, 6, 5, 6, 1},
            {"beach5.bmp", "beach6.bmp", "Beach1.bmp"}},
        // Photo35.bmp, photo62.bmp and Photo65.bmp belong to later shots.
        {{"Photo3.bmp", "photo6.bmp", "Photo.jpg"}, {5, 312, 2, 66, 65, 0},
            {"Photo3312.bmp", "photo666.bmp", "Photo0.bmp"}},
        // Draws that keep hitting taken names fall back to trying the numbers in order.
        {{"beach.jpg"}, std::deque<int>(200, 7), {"beach11.bmp"}},
        // Short names keep nothing of the source but the number.
        {{"a.j"}, {42}, {"42.bmp"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pickImportNames(c.sources, shoot(), scripted(c.draws)), c.names)
            << c.sources.join(u' ').toStdString();
    }
}

TEST(ImportStrip, LastPageOfTheTable)
{
    struct Case {
        int photoCount;
        StripView view;
    };
    const Case cases[] = {
        {0, {1, 1, 0}},
        {1, {1, 1, 1}},
        {4, {1, 1, 4}},
        {5, {2, 5, 1}},
        {8, {2, 5, 4}},
        {9, {3, 9, 1}},
        {65, {17, 65, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lastStripPage(c.photoCount), c.view) << c.photoCount;
}

// ---------------------------------------------------------------------------

class ImportRunTest : public ImportTest {
protected:
    PhotoTable tableWith(int photos) const
    {
        PhotoTable table;
        for (int k = 1; k <= photos; ++k) {
            table.slot(k).photoPath = photoName(shoot(), k);
            table.slot(k).templatePath = QStringLiteral("t.png");
        }
        table.photoCount = photos;
        table.currentPhoto = photos;
        table.stripPage = photos > 0 ? PhotoTable::stripPageOf(photos) : 1;
        return table;
    }
    QStringList smallPictures(int n) const
    {
        QStringList sources;
        for (int i = 0; i < n; ++i)
            sources.append(makePicture(src(QStringLiteral("p%1.jpg").arg(i)), {64, 48}));
        return sources;
    }
    ImportRequest request(const QStringList& sources, const PhotoTable& table) const
    {
        return {sources, shoot(), importCapacity(table), scripted({})};
    }
};

TEST_F(ImportRunTest, ThreeIntoARunOfFiveFillSlotsSixToEight)
{
    PhotoTable table = tableWith(5);
    table.slot(6).templatePath = QStringLiteral("stale.png"); // left from an earlier photo of the slot
    const QStringList sources {makePicture(src(QStringLiteral("a.jpg")), {640, 480}),
        makePicture(src(QStringLiteral("b.jpg")), {480, 640}),
        makePicture(src(QStringLiteral("c.bmp")), {1000, 500}, kRed, "bmp")};

    PhotoImport import;
    QSignalSpy progress(&import, &PhotoImport::progress);
    QSignalSpy finished(&import, &PhotoImport::finished);
    ASSERT_TRUE(import.start(request(sources, table)));
    EXPECT_EQ(import.total(), 3);
    EXPECT_FALSE(import.start(request(sources, table))) << "one import at a time";
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.size(), 1);
    ASSERT_EQ(progress.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(progress[i][0].toInt(), i + 1);
        EXPECT_EQ(progress[i][1].toInt(), 3);
    }

    ImportResult result = import.takeResult();
    EXPECT_EQ(importReport(result), QString());
    const QStringList stored = result.storedPaths();
    EXPECT_EQ(stored,
        (QStringList {
            shot(QStringLiteral("a0.bmp")), shot(QStringLiteral("b1.bmp")), shot(QStringLiteral("c2.bmp"))}));

    const ImportEntry entry = enterImported(table, result);
    EXPECT_EQ(entry.firstSlot, 6);
    EXPECT_EQ(entry.count, 3);
    EXPECT_EQ(table.photoCount, 8);
    EXPECT_EQ(table.currentPhoto, 8);
    EXPECT_EQ(table.stripPage, 2);
    EXPECT_EQ(entry.strip, (StripView {2, 5, 4}));
    EXPECT_EQ(entry.currentPhoto, 8);
    EXPECT_EQ(entry.focusPosition(), 3);
    for (int k = 6; k <= 8; ++k) {
        PhotoSlot expected;
        expected.photoPath = stored[k - 6];
        EXPECT_EQ(table.slot(k), expected) << k;
        EXPECT_TRUE(QFileInfo::exists(cleanCopy(stored[k - 6])));
    }
    EXPECT_EQ(table.slot(5).photoPath, photoName(shoot(), 5));
}

TEST_F(ImportRunTest, UnreadableAndSurplusPicturesAreSkippedAndNamed)
{
    PhotoTable table = tableWith(61); // four slots free
    writeFile(src(QStringLiteral("broken.jpg")), "not a picture");
    QStringList sources {makePicture(src(QStringLiteral("one.jpg")), {64, 48}),
        src(QStringLiteral("broken.jpg")), QString(), makePicture(src(QStringLiteral("two.jpg")), {48, 64}),
        makePicture(src(QStringLiteral("three.jpg")), {80, 40}),
        makePicture(src(QStringLiteral("four.jpg")), {64, 48}),
        makePicture(src(QStringLiteral("five.jpg")), {64, 48})};

    ImportResult result = importPictures(request(sources, table));
    ASSERT_EQ(result.outcomes.size(), 6u) << "the empty entry is dropped";
    const ImportStatus expected[] = {ImportStatus::Stored, ImportStatus::Unreadable, ImportStatus::Stored,
        ImportStatus::Stored, ImportStatus::NoRoom, ImportStatus::NoRoom};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(result.outcomes[i].status, expected[i]) << i;
    EXPECT_FALSE(result.outcomes[1].error.isEmpty());
    EXPECT_EQ(filesIn(shoot()).size(), 6) << "three photos and their clean copies, nothing else";

    const QString report = importReport(result);
    EXPECT_TRUE(report.contains(QString::fromUtf8(kImportPartialText).arg(3).arg(2))) << report.toStdString();
    EXPECT_TRUE(report.contains(QString::fromUtf8(kImportUnreadableText) + QStringLiteral("\nbroken.jpg")))
        << report.toStdString();

    const ImportEntry entry = enterImported(table, result);
    EXPECT_EQ(entry.firstSlot, 62);
    EXPECT_EQ(entry.count, 3);
    EXPECT_EQ(table.photoCount, 64);
    EXPECT_EQ(table.slot(64).photoPath, result.outcomes[3].stored);
    EXPECT_TRUE(table.slot(65).isFree());
}

TEST_F(ImportRunTest, AFullTableImportsNothingAndSaysSo)
{
    PhotoTable table = tableWith(kPhotoSlots);
    const PhotoTable before = table;
    const QStringList sources {makePicture(src(QStringLiteral("one.jpg")), {64, 48})};

    PhotoImport import;
    QSignalSpy finished(&import, &PhotoImport::finished);
    ASSERT_TRUE(import.start(request(sources, table)));
    EXPECT_EQ(import.total(), 0);
    ASSERT_TRUE(finished.wait(5000));
    ImportResult result = import.takeResult();
    EXPECT_EQ(importReport(result), QString::fromUtf8(kImportFullText));
    EXPECT_EQ(enterImported(table, result).count, 0);
    EXPECT_EQ(filesIn(shoot()), QStringList());
    for (int k = 1; k <= kPhotoSlots; ++k)
        EXPECT_EQ(table.slot(k), before.slot(k));
    EXPECT_EQ(table.photoCount, kPhotoSlots);
    EXPECT_EQ(table.stripPage, before.stripPage);
}

TEST_F(ImportRunTest, EntryKeepsTheTableAgreeingWithTheFolder)
{
    PhotoTable table = tableWith(60);
    ImportResult result = importPictures(request(smallPictures(3), table));
    ASSERT_EQ(result.count(ImportStatus::Stored), 3);
    const QString gone = result.outcomes[0].stored;
    const QString surplus = result.outcomes[2].stored;

    QFile::remove(gone); // removed by another handler meanwhile
    table = tableWith(64); // photos were shot meanwhile
    const ImportEntry entry = enterImported(table, result);
    EXPECT_EQ(entry.count, 1);
    EXPECT_EQ(table.photoCount, 65);
    EXPECT_EQ(table.slot(65).photoPath, result.outcomes[1].stored);
    EXPECT_EQ(result.outcomes[0].status, ImportStatus::WriteFailed);
    EXPECT_EQ(result.outcomes[2].status, ImportStatus::NoRoom);
    for (const QString& path : {gone, surplus}) {
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_FALSE(QFileInfo::exists(cleanCopy(path)));
    }
    EXPECT_EQ(filesIn(shoot()).size(), 2) << "the entered photo and its clean copy";
}

TEST_F(ImportRunTest, OnlyTheFirstSixtyFourOfASelectionAreTaken)
{
    const QString picture = makePicture(src(QStringLiteral("p.jpg")), {8, 6});
    const QStringList sources(70, picture);
    const ImportResult result = importPictures(request(sources, PhotoTable {}));
    EXPECT_EQ(result.outcomes.size(), std::size_t(kImportSelectionLimit));
    EXPECT_EQ(result.beyondLimit, 6);
    EXPECT_EQ(result.count(ImportStatus::Stored), 64);
    QStringList names = result.storedPaths();
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 64) << "every picture under a name of its own";
}

// A pool whose only thread is held until release(), so that pictures are
// still waiting when the import is stopped.
class HeldPool {
public:
    HeldPool()
    {
        pool.setMaxThreadCount(1);
        pool.start([this] { gate.acquire(); });
    }
    ~HeldPool() { pool.waitForDone(); }
    void release() { gate.release(); }
    QThreadPool pool;
    QSemaphore gate;
};

TEST_F(ImportRunTest, StoppingLeavesTheWaitingPicturesUntouched)
{
    const QStringList sources = smallPictures(5);
    HeldPool held;
    PhotoImport import(nullptr, &held.pool);
    QSignalSpy finished(&import, &PhotoImport::finished);
    ASSERT_TRUE(import.start(request(sources, PhotoTable {})));
    import.cancel();
    held.release();
    ASSERT_TRUE(finished.wait(5000));
    ImportResult result = import.takeResult();
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.count(ImportStatus::Cancelled), 5);
    EXPECT_EQ(filesIn(shoot()), QStringList());
    EXPECT_EQ(importReport(result), QString::fromUtf8(kImportCancelledText).arg(0));
    PhotoTable table;
    EXPECT_EQ(enterImported(table, result).count, 0);
    EXPECT_EQ(table.currentPhoto, 1);
    EXPECT_EQ(table.stripPage, 1);
}

TEST_F(ImportRunTest, DestroyingARunningImportWaitsAndKeepsFilesWhole)
{
    const QStringList sources = smallPictures(4);
    HeldPool held;
    {
        PhotoImport import(nullptr, &held.pool);
        ASSERT_TRUE(import.start(request(sources, PhotoTable {})));
        held.release();
    }
    held.pool.waitForDone();
    QCoreApplication::processEvents(); // late reports must find nothing to touch
    for (const QString& name : filesIn(shoot())) {
        if (!name.endsWith(u".dat")) {
            EXPECT_TRUE(QFileInfo::exists(shot(cleanCopy(name)))) << name.toStdString();
        }
    }
}

} // namespace
} // namespace kf

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
