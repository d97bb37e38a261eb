#include "splashwindow.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(SplashWindow, RefusesEveryCloseUntilTheFadeHasRunOut)
{
    // Left alone, and asked to close before anything happened: either way
    // the start-up work runs once and the splash ends only through the fade.
    for (bool closeAtOnce : {false, true}) {
        QImage picture(12, 9, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        int workRuns = 0;
        kf::SplashWindow splash(picture, [&] { ++workRuns; });
        QSignalSpy finished(&splash, &kf::SplashWindow::finished);
        splash.show();
        if (closeAtOnce) {
            EXPECT_FALSE(splash.close());
        }
        QTest::qWait(300);
        EXPECT_FALSE(splash.close()) << closeAtOnce;
        EXPECT_TRUE(splash.isVisible());

        ASSERT_TRUE(finished.wait(10000)) << closeAtOnce;
        EXPECT_EQ(workRuns, 1);
        EXPECT_FALSE(splash.isVisible());
        EXPECT_TRUE(splash.logic().done());
        EXPECT_EQ(splash.logic().opacity(), 0);
    }
}
