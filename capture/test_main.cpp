// Test main for tests that need a QApplication (offscreen) and end
// GStreamer cleanly.
#include <QApplication>
#include <gst/gst.h>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int rc = 0;
    {
        QApplication app(argc, argv);
        rc = RUN_ALL_TESTS();
    }
    gst_deinit();
    return rc;
}
