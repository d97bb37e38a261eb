#include "appfolder.h"
#include "operatorconfig.h"
#include "phototable.h"
#include "testsupport/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kf::test::touch;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

} // namespace

TEST(Stamps, LastPairIsTheMonth)
{
    struct Case {
        QDateTime t;
        const char* shoot;
        const char* post;
    };
    const Case cases[] = {
        {at(2007, 10, 11, 7, 20, 6), "07101107200610", "2007101107200610"},
        {at(2026, 1, 2, 23, 59, 58), "26010223595801", "2026010223595801"},
        {at(2000, 12, 31, 0, 0, 0), "00123100000012", "2000123100000012"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kf::shootStamp(c.t).toStdString(), c.shoot);
        EXPECT_EQ(kf::postStamp(c.t).toStdString(), c.post);
    }
}

TEST(Names, PhotoSidecarAndImportNames)
{
    const QString photo = kf::photoName("/a/PhotoSaved/07101107200610", 3);
    EXPECT_EQ(photo, "/a/PhotoSaved/07101107200610/Photo3.bmp");
    EXPECT_EQ(kf::photoName("/f", 12), "/f/Photo12.bmp");
    EXPECT_EQ(kf::cleanCopy(photo), photo + ".dat");
    EXPECT_EQ(kf::placedCopy(photo), photo + "2.dat");
    EXPECT_EQ(kf::colourBackup(photo), photo + "1.dat");
    EXPECT_EQ(kf::importName("beach.jpg", 4711), "beach4711.bmp");
    EXPECT_EQ(kf::importName("p.jpeg", 0), "p.0.bmp");
    EXPECT_EQ(kf::importName("abc", 7), "7.bmp");
}

TEST(PhotoTable, StripPageAndPosition)
{
    struct Case {
        int slot, page, position;
    };
    for (const Case c :
        {Case {1, 1, 0}, Case {4, 1, 3}, Case {5, 2, 0}, Case {8, 2, 3}, Case {9, 3, 0}, Case {65, 17, 0}}) {
        EXPECT_EQ(kf::PhotoTable::stripPageOf(c.slot), c.page) << c.slot;
        EXPECT_EQ(kf::PhotoTable::stripPositionOf(c.slot), c.position) << c.slot;
    }
}

TEST(PhotoTable, StartsEmptyAndClearResetsCounters)
{
    kf::PhotoTable t;
    EXPECT_EQ(t.currentPhoto, 1);
    EXPECT_EQ(t.photoCount, 0);
    EXPECT_EQ(t.stripPage, 1);
    EXPECT_FALSE(kf::PhotoTable::validSlot(0));
    EXPECT_FALSE(kf::PhotoTable::validSlot(66));
    t.slot(65).photoPath = "x";
    t.slot(65).angle = 5;
    t.currentPhoto = 9;
    t.clear();
    EXPECT_TRUE(t.slot(65).isFree());
    EXPECT_EQ(t.slot(65).angle, 0);
    EXPECT_EQ(t.currentPhoto, 1);
}

TEST(ColourSteps, ParseAndAppend)
{
    QString text;
    text = kf::appendColourStep(text, {10, 0, 0, 0, 0});
    text = kf::appendColourStep(text, {-5, 20, 0, 0, 0});
    EXPECT_EQ(text, "10@0@0@0@0@-5@20@0@0@0");
    const auto steps = kf::parseColourSteps(text);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1], (kf::ColourStep {-5, 20, 0, 0, 0}));
    EXPECT_TRUE(kf::parseColourSteps("").empty());
    EXPECT_EQ(kf::parseColourSteps("1@@3@4@5@9").size(), 1u); // empty reads 0, tail ignored
    EXPECT_EQ(kf::parseColourSteps("1@@3@4@5@9")[0], (kf::ColourStep {1, 0, 3, 4, 5}));
}

TEST(SkinVariant, ChosenByRoundedKilobytes)
{
    struct Case {
        qint64 bytes;
        kf::SkinVariant v;
    };
    for (const Case c : {Case {0, kf::SkinVariant::A}, Case {179711, kf::SkinVariant::A},
             Case {179712, kf::SkinVariant::B}, Case {178688 + 511, kf::SkinVariant::A},
             Case {176 * 1024 + 512, kf::SkinVariant::B}, Case {1 << 20, kf::SkinVariant::B}}) {
        EXPECT_EQ(kf::skinVariantForSize(c.bytes), c.v) << c.bytes;
    }
    QTemporaryDir dir;
    EXPECT_EQ(kf::skinVariantOf(dir.filePath("missing.jpg")), kf::SkinVariant::A);
    touch(dir.filePath("a.jpg"), 179711);
    touch(dir.filePath("b.jpg"), 179712);
    EXPECT_EQ(kf::skinVariantOf(dir.filePath("a.jpg")), kf::SkinVariant::A);
    EXPECT_EQ(kf::skinVariantOf(dir.filePath("b.jpg")), kf::SkinVariant::B);
}

TEST(Resolver, FindsNamesWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QString base = dir.path();
    ASSERT_TRUE(QDir(base).mkpath("data"));
    touch(base + "/data/Main.jpg");
    touch(base + "/data/continue.gif");
    touch(base + "/data/cmdSort02.gif");

    struct Case {
        const char* asked;
        const char* found;
    };
    for (const Case c : {Case {"data/main.jpg", "/data/Main.jpg"}, Case {"data\\MAIN.JPG", "/data/Main.jpg"},
             Case {"DATA/Continue.gif", "/data/continue.gif"},
             Case {"data/cmdsort02.gif", "/data/cmdSort02.gif"}, Case {"data/new.gif", "/data/new.gif"},
             Case {"Missing/x.gif", "/Missing/x.gif"}}) {
        EXPECT_EQ(kf::resolvePath(base, c.asked), base + c.found) << c.asked;
    }
    EXPECT_TRUE(kf::resolvePath(base, "../etc/passwd").isEmpty());
    EXPECT_TRUE(kf::resolvePath(base, "data/../../x").isEmpty());
}

TEST(ShootFolder, CreatedBelowPhotoSavedWithoutClashes)
{
    QTemporaryDir dir;
    const QDateTime t = at(2007, 10, 11, 7, 20, 6);
    const auto clock = [t] { return t; };

    // PhotoSaved is created when missing.
    const auto first = kf::createShootFolder(dir.path(), clock);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, dir.path() + "/PhotoSaved/07101107200610");
    EXPECT_TRUE(QDir(*first).isEmpty());

    // A second start in the same second gets a folder of its own; the
    // first keeps what it holds.
    touch(*first + "/Photo1.bmp");
    const auto second = kf::createShootFolder(dir.path(), clock);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, dir.path() + "/PhotoSaved/07101107200710");
    EXPECT_TRUE(QFile::exists(*first + "/Photo1.bmp"));

    // Case-insensitive lookup of the existing parent.
    QTemporaryDir other;
    ASSERT_TRUE(QDir(other.path()).mkdir("photosaved"));
    const auto third = kf::createShootFolder(other.path(), clock);
    ASSERT_TRUE(third);
    EXPECT_EQ(*third, other.path() + "/photosaved/07101107200610");
}

TEST(ShootFolder, FailsWhenTheParentCannotBeMade)
{
    QTemporaryDir dir;
    touch(dir.filePath("PhotoSaved")); // a file where the folder should be
    EXPECT_FALSE(kf::createShootFolder(dir.path()));
}

TEST(OperatorConfig, DefaultsAndOverrides)
{
    QTemporaryDir dir;
    const auto defaults = kf::OperatorConfig::load(dir.filePath("none.ini"));
    EXPECT_FALSE(defaults.markA.isEmpty());
    EXPECT_EQ(defaults.albumPort, 8000);

    QFile f(dir.filePath("operator.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[skinB]\nmark=www.b.example\n[update]\nsite=http://u.example\n[album]\nport=abc\n");
    f.close();
    const auto c = kf::OperatorConfig::load(dir.filePath("operator.ini"));
    EXPECT_EQ(c.siteMark(kf::SkinVariant::B), "www.b.example");
    EXPECT_EQ(c.siteMark(kf::SkinVariant::A), defaults.markA);
    EXPECT_EQ(c.updateSite, "http://u.example");
    EXPECT_EQ(c.albumPort, 8000); // not a number: default kept
}
