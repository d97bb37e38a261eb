#include "imageview.h"
#include "mainwindow.h"
#include "testsupport/fakeinstall.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using kf::test::FakeInstall;

namespace {

QColor shownColour(const kf::ImageButton* b)
{
    return b->picture().toImage().pixelColor(0, 0);
}

kf::BoothSession sessionFor(const FakeInstall& install)
{
    auto s = kf::BoothSession::forInstallation(install.path());
    s.shootFolder = *kf::createShootFolder(install.path());
    return s;
}

} // namespace

TEST(MainWindow, ControlsSitAtTheirDesignedPlaces)
{
    FakeInstall install;
    auto session = sessionFor(install);
    kf::MainWindow w(session);
    auto& u = w.ui();
    EXPECT_EQ(w.size(), QSize(744, 516));
    EXPECT_EQ(w.windowTitle(), "Snapolia");
    struct Case {
        QWidget* widget;
        QRect rect;
    };
    const Case cases[] = {
        {u.Capture1, {70, 74, 320, 240}},
        {u.ixpEffect, {70, 74, 320, 240}},
        {u.cmdShot, {400, 160, 47, 47}},
        {u.ixpPhoto[1], {170, 352, 93, 66}},
        {u.ixpPhoto[3], {356, 352, 91, 66}},
        {u.picSub[0], {520, 46, 65, 46}},
        {u.picSub[4], {590, 98, 65, 48}},
        {u.picSub[14], {660, 262, 65, 46}},
        {u.cmdCamera, {22, 446, 95, 53}},
        {u.cmdexit, {633, 446, 93, 53}},
        {u.Image2[1], {467, 272, 25, 25}},
        {u.Image2[6], {464, 304, 25, 25}},
        {u.Image1, {68, 8, 170, 27}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.widget->geometry(), c.rect) << c.widget->objectName().toStdString();
    EXPECT_EQ(u.cmdSort[4]->pos(), QPoint(580, 396));
    EXPECT_FALSE(u.ImageQQ1->isVisibleTo(&w));
}

TEST(MainWindow, LoadsTheSkinAndRestoresTheHoveredButton)
{
    FakeInstall install;
    auto session = sessionFor(install);
    kf::MainWindow w(session);
    EXPECT_EQ(w.loadSkin(), 28);
    auto& u = w.ui();
    EXPECT_EQ(shownColour(u.cmdCamera), FakeInstall::colourFor("Openvideo.gif"));
    EXPECT_EQ(shownColour(u.cmdHelp), FakeInstall::colourFor("help1.gif"));
    EXPECT_FALSE(u.ixpEffect->file().isEmpty());

    // Hover the camera button, then move straight onto the exit button.
    emit u.cmdCamera->pointerMoved();
    EXPECT_EQ(shownColour(u.cmdCamera), FakeInstall::colourFor("Openvideo1.gif"));
    emit u.cmdexit->pointerMoved();
    EXPECT_EQ(shownColour(u.cmdCamera), FakeInstall::colourFor("Openvideo.gif"));
    EXPECT_EQ(shownColour(u.cmdexit), FakeInstall::colourFor("Exit1.gif"));
    EXPECT_EQ(w.hover().hoverKey(), "cmdExit");
    // Category hover pictures are asked for under their lower-case names.
    emit u.cmdSort[2]->pointerMoved();
    EXPECT_EQ(shownColour(u.cmdSort[2]), FakeInstall::colourFor("cmdsort22.gif"));
    // The background restores and forgets.
    emit u.ImagXpress1->mouseMoved(Qt::NoButton, Qt::NoModifier, 5, 5);
    EXPECT_EQ(shownColour(u.cmdSort[2]), FakeInstall::colourFor("cmdSort21.gif"));
    EXPECT_TRUE(w.hover().hoverKey().isEmpty());
    // Messenger borders follow the pointer; help clears them.
    emit u.ImageQQ->pointerMoved();
    EXPECT_TRUE(u.ImageQQ->border());
    emit u.cmdHelp->pointerMoved();
    EXPECT_FALSE(u.ImageQQ->border());
}

TEST(MainWindow, SkinStopsAtTheFirstMissingPicture)
{
    FakeInstall install;
    ASSERT_TRUE(QFile::remove(install.file("data/setup.gif")));
    auto session = sessionFor(install);
    kf::MainWindow w(session);
    EXPECT_EQ(w.loadSkin(), 5); // shot, camera, import, adjust, keyup
    EXPECT_TRUE(w.ui().cmdkeyup->hasPicture());
    EXPECT_FALSE(w.ui().cmdsetup->hasPicture());
    EXPECT_FALSE(w.ui().cmdexit->hasPicture());
}

TEST(MainWindow, VariantBWidensTheBannerAndShowsTheSecondMessenger)
{
    FakeInstall install(179712);
    auto session = sessionFor(install);
    ASSERT_EQ(session.variant, kf::SkinVariant::B);
    kf::MainWindow w(session);
    auto& u = w.ui();
    EXPECT_TRUE(u.ImageQQ1->isVisibleTo(&w));
    EXPECT_EQ(u.Image1->width(), 246);
    EXPECT_TRUE(u.Image1->toolTip().isEmpty());
    EXPECT_EQ(u.Line1->x(), 67);
}

TEST(MainWindow, KeysOnTheBackgroundPressButtons)
{
    FakeInstall install;
    auto session = sessionFor(install);
    kf::MainWindow w(session);
    auto& u = w.ui();
    QStringList pressed;
    QObject::connect(u.cmdShot, &kf::ImageButton::pressed, [&] { pressed << "shot"; });
    for (int i : {0, 1, 2, 3})
        QObject::connect(u.Image2[static_cast<std::size_t>(i)], &kf::ImageButton::pressed,
            [&pressed, i] { pressed << QString::number(i); });
    w.show();
    u.ImagXpress1->setFocus();
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_A})
        QTest::keyClick(u.ImagXpress1, k);
    EXPECT_EQ(pressed, (QStringList {"shot", "0", "2", "1", "3"}));
}

TEST(MainWindow, ClosingWithoutPhotosLeavesNoFolder)
{
    FakeInstall install;
    auto session = sessionFor(install);
    const QString folder = session.shootFolder;
    {
        kf::MainWindow w(session);
        w.show();
        ASSERT_TRUE(QDir(folder).exists());
        w.close();
    }
    EXPECT_FALSE(QDir(folder).exists());

    auto second = sessionFor(install);
    QFile photo(second.shootFolder + "/Photo1.bmp");
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.close();
    {
        kf::MainWindow w(second);
        w.show();
        w.close();
    }
    EXPECT_TRUE(QFile::exists(second.shootFolder + "/Photo1.bmp"));
}
