#include "cleanup.h"
#include "skin.h"
#include "splashlogic.h"
#include "testsupport/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kf::test::touch;

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(Splash, ClosesOnlyThroughTheFade)
{
    kf::SplashLogic s;
    EXPECT_TRUE(s.revealTimerOn());
    // A close request during the reveal is refused and starts the fade.
    EXPECT_FALSE(s.requestClose());
    EXPECT_FALSE(s.revealTimerOn());
    EXPECT_TRUE(s.fadeTimerOn());
    s.finishReveal();
    EXPECT_FALSE(s.requestClose());

    int ticks = 0;
    while (!s.fadeTick()) {
        ++ticks;
        EXPECT_FALSE(s.done());
        EXPECT_FALSE(s.requestClose()); // still refused while fading
        ASSERT_LT(ticks, 1000);
    }
    // From 255 in steps of 2: 127 ticks lower the opacity, the 128th ends it.
    EXPECT_EQ(ticks + 1, 128);
    EXPECT_EQ(s.opacity(), 0);
    EXPECT_TRUE(s.done());
    EXPECT_FALSE(s.fadeTimerOn());
    EXPECT_TRUE(s.requestClose());
}

TEST(Hover, MovingToAnotherButtonRestoresTheFirst)
{
    kf::HoverState h;
    auto c = h.overButton("cmdCamera");
    EXPECT_EQ(c.restore, "");
    EXPECT_EQ(c.hover, "cmdCamera");
    // Further moves over the same button change nothing.
    c = h.overButton("cmdCamera");
    EXPECT_TRUE(c.restore.isEmpty() && c.hover.isEmpty());
    // Straight onto the exit button: camera restored, then exit hovered.
    c = h.overButton("cmdExit");
    EXPECT_EQ(c.restore, "cmdCamera");
    EXPECT_EQ(c.hover, "cmdExit");
    c = h.overPlainArea();
    EXPECT_EQ(c.restore, "cmdExit");
    EXPECT_TRUE(h.hoverKey().isEmpty());
    c = h.overPlainArea();
    EXPECT_TRUE(c.restore.isEmpty());
}

TEST(Skin, ButtonTableFollowsTheLoadingOrder)
{
    const auto& t = kf::skinButtons();
    ASSERT_EQ(t.size(), 15u + 7u + 6u);
    EXPECT_EQ(t.front().normal, "Shot.gif");
    EXPECT_EQ(t[8].key, "cmdHelp");
    EXPECT_EQ(t[8].normal, "help1.gif"); // the help pictures are swapped
    EXPECT_EQ(t[15].normal, "chang01.gif");
    EXPECT_EQ(t[15].hover, "chang02.gif");
    EXPECT_EQ(t.back().key, "cmdSort5");
    EXPECT_EQ(t.back().normal, "cmdSort51.gif");
    EXPECT_EQ(t.back().hover, "cmdsort52.gif");
}

TEST(Cleanup, ExitAndCloseKeepPhotosAndCleanCopiesOnly)
{
    for (bool viaExitButton : {true, false}) {
        QTemporaryDir app;
        const QString shoot = app.filePath("PhotoSaved/26121113000012");
        const QString upload = app.filePath("PhotoSaved/picture");
        ASSERT_TRUE(QDir().mkpath(shoot));
        ASSERT_TRUE(QDir().mkpath(upload + "/sub"));
        for (const char* n : {"Photo1.bmp", "Photo1.bmp.dat", "Photo1.bmp1.dat", "Photo1.bmp2.dat",
                 "beach17.bmp", "beach17.bmp.dat", "beach17.bmp2.dat", "old.jpg1.dat", "old.JPG2.dat"}) {
            touch(shoot + "/" + n);
        }
        touch(upload + "/a@Photo1.bmp");
        touch(upload + "/sub/b.bmp");
        if (viaExitButton) {
            kf::exitButtonCleanup(shoot, upload);
            EXPECT_FALSE(QFileInfo::exists(upload));
        }
        kf::closeCleanup(shoot, upload);
        EXPECT_EQ(
            filesIn(shoot), (QStringList {"Photo1.bmp", "Photo1.bmp.dat", "beach17.bmp", "beach17.bmp.dat"}));
        EXPECT_FALSE(QFileInfo::exists(upload)) << viaExitButton;
    }
}

TEST(Cleanup, EmptyRunFolderIsRemovedAndReadOnlyUploadsStayWithoutForce)
{
    QTemporaryDir app;
    const QString shoot = app.filePath("PhotoSaved/26121113000012");
    const QString upload = app.filePath("PhotoSaved/picture");
    ASSERT_TRUE(QDir().mkpath(shoot));
    ASSERT_TRUE(QDir().mkpath(upload));
    touch(shoot + "/Photo1.bmp2.dat");
    touch(upload + "/locked.bmp");
    touch(upload + "/free.bmp");
    QFile::setPermissions(upload + "/locked.bmp", QFile::ReadOwner);

    kf::closeCleanup(shoot, upload);
    EXPECT_FALSE(QFileInfo::exists(shoot));
    EXPECT_TRUE(QFileInfo::exists(upload + "/locked.bmp"));
    EXPECT_FALSE(QFileInfo::exists(upload + "/free.bmp"));

    kf::removeUploadFolder(upload, true);
    EXPECT_FALSE(QFileInfo::exists(upload));
}
