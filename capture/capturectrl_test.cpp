// The control with the test camera: stored settings, the build, the three
// states, forwarding to Grab only while running, still capture, camera
// controls and teardown.
#include "camerasettingsdialog.h"
#include "capturectrl.h"
#include "eventwait.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace capture {
namespace {

template <class F> bool waitFor(F done, int ms = 5000)
{
    return waitProcessingEvents(done, ms);
}

// Lists the devices and selects the test camera (the last entry; real
// cameras, where present, come first).
void selectTestCamera(CaptureCtrl& ctrl)
{
    ASSERT_GE(ctrl.GetDeviceNumber(), 1);
    ASSERT_EQ(ctrl.settings().deviceList.back(), "Test Camera");
    ctrl.SelectDevice(static_cast<std::int16_t>(ctrl.settings().deviceList.size() - 1));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::int32_t le32(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return static_cast<std::int32_t>(v);
}

// Colour (B, G, R) of the picture pixel (x, y) of a 24-bit bottom-up bitmap
// file, y counted from the top.
QColor bmpPixel(const QByteArray& bmp, int x, int y)
{
    const int w = le32(bmp, 18), h = le32(bmp, 22);
    const int stride = ((w * 24 + 31) & ~31) / 8;
    const char* p = bmp.constData() + 54 + static_cast<qsizetype>(h - 1 - y) * stride + 3 * x;
    return QColor(
        static_cast<std::uint8_t>(p[2]), static_cast<std::uint8_t>(p[1]), static_cast<std::uint8_t>(p[0]));
}

// An 800 x 600 foreground: an opaque band of a colour the test pattern never
// shows across the top fifth, the rest fully transparent.
QString writeForeground(const QTemporaryDir& dir)
{
    QImage fore(800, 600, QImage::Format_RGBA8888);
    fore.fill(Qt::transparent);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 800; ++x)
            fore.setPixelColor(x, y, QColor(12, 34, 56, 255));
    const QString path = dir.filePath("fore.png");
    EXPECT_TRUE(fore.save(path));
    return path;
}

bool isForeground(const QColor& c)
{
    return c == QColor(12, 34, 56);
}

// A control with the test camera built and running the way the booth opens
// it.
class RunningControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctrl.SetIsChangeVideoFormat(false);
        ctrl.SetVideoFormat(1);
        selectTestCamera(ctrl);
        ASSERT_TRUE(ctrl.Capture());
        ASSERT_TRUE(waitFor([&] { return ctrl.isRunning() && core().framesDelivered() > 0; }));
    }
    CaptureCore& core() { return ctrl.videoPane()->core(); }
    QByteArray grab(bool processed, GrabError* error = nullptr)
    {
        const QString path = dir.filePath(processed ? "processed.bmp" : "raw.bmp");
        QFile::remove(path);
        if (!ctrl.Grab(path, processed, error))
            return {};
        return readAll(path);
    }

    QTemporaryDir dir;
    CaptureCtrl ctrl;
};

TEST(CaptureControl, InitialSettingsAndMembersBeforeCapture)
{
    CaptureCtrl ctrl;
    const CaptureSettings& s = ctrl.settings();
    EXPECT_EQ(s.CaptureWidth, 640);
    EXPECT_EQ(s.CaptureHeight, 480);
    EXPECT_EQ(s.IsCapture, 0);
    EXPECT_EQ(s.IsChangeVideoFormat, 1);
    EXPECT_EQ(s.VideoFormat, 3);
    EXPECT_EQ(s.DeviceIndex, 0u);
    EXPECT_TRUE(s.deviceList.empty());
    EXPECT_FALSE(ctrl.EnableMergeFore());
    EXPECT_FALSE(ctrl.isModified());

    // Without a pipeline: results as specified, out-arguments untouched.
    EXPECT_TRUE(ctrl.SetRGBRange(1, 2, 3));
    EXPECT_TRUE(ctrl.SetCbCrRange(1, 2, 3, 4));
    EXPECT_FALSE(ctrl.SetFore("/nonexistent.png"));
    GrabError error = GrabError::None;
    EXPECT_FALSE(ctrl.Grab("/tmp/never-written.bmp", false, &error));
    EXPECT_EQ(error, GrabError::NotRunning);
    EXPECT_FALSE(QFile::exists("/tmp/never-written.bmp"));
    std::int32_t a = 11, b = 22, c = 33, d = 44, e = 55;
    ctrl.GetImageSize(a, b, c);
    ctrl.GetSample(a, b, c);
    EXPECT_TRUE(ctrl.GetImageProperty(ProcAmp_Brightness, a, b));
    EXPECT_TRUE(ctrl.GetImagePropertyRange(ProcAmp_Brightness, a, b, c, d, e));
    EXPECT_TRUE(ctrl.SetImageProperty(ProcAmp_Brightness, 5, ProcAmpFlag_Manual));
    EXPECT_EQ(std::vector<int>({a, b, c, d, e}), std::vector<int>({11, 22, 33, 44, 55}));
    ctrl.ShowFilterPropertyPage(); // no camera: shows nothing (a dialog would block here)
    ctrl.Run();
    ctrl.Pause();
    ctrl.Stop();
    EXPECT_FALSE(ctrl.isRunning());

    ctrl.SetEnableMergeFore(true);
    EXPECT_TRUE(ctrl.EnableMergeFore());
    EXPECT_TRUE(ctrl.isModified());
    // Capture without a device list finds no camera.
    EXPECT_FALSE(ctrl.Capture());
}

TEST(CaptureControl, DeviceListIsMadeAfreshAtEachCall)
{
    CaptureCtrl ctrl;
    EXPECT_EQ(ctrl.GetDeviceNumber(), 1);
    EXPECT_EQ(ctrl.GetDeviceNumber(), 1);
    EXPECT_EQ(ctrl.settings().deviceList, std::vector<std::string> {"Test Camera"});
}

TEST(CaptureControl, FailedBuildsReturnFalseAndStayFailed)
{
    {
        // SelectDevice(-1) stores 65,535: past the list, no device.
        CaptureCtrl ctrl;
        ctrl.GetDeviceNumber();
        ctrl.SetIsChangeVideoFormat(false);
        ctrl.SelectDevice(-1);
        EXPECT_EQ(ctrl.settings().DeviceIndex, 65535u);
        EXPECT_FALSE(ctrl.Capture());
        // What was built stays: a later Capture fails too.
        selectTestCamera(ctrl);
        EXPECT_FALSE(ctrl.Capture());
    }
    {
        // The initial IsChangeVideoFormat on: a camera without an analogue
        // decoder cannot be built.
        CaptureCtrl ctrl;
        selectTestCamera(ctrl);
        EXPECT_FALSE(ctrl.Capture());
        EXPECT_FALSE(ctrl.isRunning());
    }
}

TEST(CaptureControl, CaptureSizeIsAskedOfTheCameraWithIsCapture)
{
    struct Case {
        std::int16_t width, height;
        bool isCapture;
        int expectWidth, expectHeight;
    };
    const Case cases[] = {
        {320, 240, true, 320, 240}, {800, 600, true, 800, 600},
        {320, 240, false, 640, 480}, // stored, not imposed
        {333, 222, true, 640, 480}, // a size the camera lacks: its own size
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        CaptureCtrl ctrl;
        selectTestCamera(ctrl);
        ctrl.SetIsChangeVideoFormat(false);
        ctrl.ReSize(c.width, c.height);
        ctrl.SetIsCapture(c.isCapture);
        ASSERT_TRUE(ctrl.Capture());
        ASSERT_TRUE(waitFor([&] { return ctrl.isRunning(); }));
        ctrl.ReSize(100, 100); // after the build: changes nothing
        std::int32_t w = 0, h = 0, bits = 0;
        ctrl.GetImageSize(w, h, bits);
        EXPECT_EQ(std::vector<int>({w, h, bits}), std::vector<int>({c.expectWidth, c.expectHeight, 24}))
            << c.width << "x" << c.height << (c.isCapture ? " imposed" : "");
        const QString path = dir.filePath("sized.bmp");
        ASSERT_TRUE(ctrl.Grab(path, false));
        EXPECT_EQ(QFile(path).size(), c.expectWidth * c.expectHeight * 3 + 54);
    }
}

TEST_F(RunningControl, BuildsOnceAndMovesBetweenTheThreeStates)
{
    EXPECT_FALSE(ctrl.Capture());
    EXPECT_EQ(core().deviceName(), "Test Camera");
    // The camera offers YUY2 first and RGB24 second: RGB24 is taken.
    EXPECT_NE(
        core().cameraCaps().find("format=(string)BGR, width=(int)640, height=(int)480"), std::string::npos)
        << core().cameraCaps();
    std::int32_t w = 0, h = 0, bits = 0;
    ctrl.GetImageSize(w, h, bits);
    EXPECT_EQ(std::vector<int>({w, h, bits}), std::vector<int>({640, 480, 24}));

    ctrl.Pause();
    EXPECT_TRUE(waitFor([&] { return core().isPaused(); }));
    EXPECT_FALSE(ctrl.isRunning());
    ctrl.Stop();
    EXPECT_TRUE(waitFor([&] { return core().isStopped(); }));
    ctrl.Run();
    EXPECT_TRUE(waitFor([&] { return ctrl.isRunning(); }));
    const auto before = core().framesDelivered();
    EXPECT_TRUE(waitFor([&] { return core().framesDelivered() > before + 2; }));
}

TEST_F(RunningControl, StillCaptureWritesTheConnectionsBitmap)
{
    const QByteArray first = grab(false);
    ASSERT_EQ(first.size(), 921654);
    EXPECT_EQ(first.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(first, 2), 921654);
    EXPECT_EQ(le32(first, 10), 54);
    // The info header of the 640 x 480 RGB24 connection, bottom-up.
    EXPECT_EQ(le32(first, 14), 40);
    EXPECT_EQ(le32(first, 18), 640);
    EXPECT_EQ(le32(first, 22), 480);
    EXPECT_EQ(static_cast<std::uint8_t>(first[28]), 24);
    // The camera's picture: colour bars (not blank) that move.
    std::set<QRgb> colours;
    for (int x = 0; x < 640; x += 16)
        colours.insert(bmpPixel(first, x, 100).rgb());
    EXPECT_GE(colours.size(), 5u);
    const QByteArray second = grab(false);
    ASSERT_EQ(second.size(), 921654);
    EXPECT_NE(first.mid(54), second.mid(54));

    // A file that cannot be created is an error, and nothing is written.
    GrabError error = GrabError::None;
    EXPECT_FALSE(ctrl.Grab(dir.filePath("missing/shot.bmp"), false, &error));
    EXPECT_EQ(error, GrabError::CannotCreateFile);
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/shot.bmp")));
}

TEST_F(RunningControl, ForegroundShowsInProcessedCopiesOnly)
{
    ASSERT_TRUE(ctrl.SetFore(writeForeground(dir)));
    ctrl.SetEnableMergeFore(true);
    const QByteArray processed = grab(true);
    const QByteArray raw = grab(false);
    ASSERT_EQ(processed.size(), 921654);
    ASSERT_EQ(raw.size(), 921654);
    EXPECT_TRUE(isForeground(bmpPixel(processed, 320, 10)));
    EXPECT_FALSE(isForeground(bmpPixel(processed, 320, 300))); // transparent part
    EXPECT_FALSE(isForeground(bmpPixel(raw, 320, 10)));
    EXPECT_FALSE(ctrl.SetFore(dir.filePath("missing.png")));
}

TEST_F(RunningControl, SettingsWrittenWhilePausedAreStoredNotForwarded)
{
    ASSERT_TRUE(ctrl.SetFore(writeForeground(dir))); // merging stays off
    ctrl.Pause();
    ASSERT_TRUE(waitFor([&] { return core().isPaused(); }));
    ctrl.SetEnableMergeFore(true);
    EXPECT_TRUE(ctrl.EnableMergeFore());
    // Still capture while paused fails at once.
    GrabError error = GrabError::None;
    EXPECT_TRUE(grab(true, &error).isEmpty());
    EXPECT_EQ(error, GrabError::NotRunning);
    ctrl.SetSample(1, 2, 3); // lost: the filter is not running

    ctrl.Run();
    ASSERT_TRUE(waitFor([&] { return ctrl.isRunning(); }));
    EXPECT_FALSE(isForeground(bmpPixel(grab(true), 320, 10)));
    std::int32_t r = 0, g = 0, b = 0;
    ctrl.GetSample(r, g, b);
    EXPECT_NE(std::vector<int>({r, g, b}), std::vector<int>({1, 2, 3}));

    // Written again while running, the value reaches the filter.
    ctrl.SetEnableMergeFore(true);
    EXPECT_TRUE(isForeground(bmpPixel(grab(true), 320, 10)));
}

TEST_F(RunningControl, ColourSampleComponentsAreSignExtended)
{
    ctrl.SetSample(-5, 300, 7);
    std::int32_t r = 0, g = 0, b = 0;
    ctrl.GetSample(r, g, b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({-5, 300, 7}));
    // A measured sample replaces it.
    ctrl.PixelSample();
    ctrl.GetSample(r, g, b);
    EXPECT_NE(std::vector<int>({r, g, b}), std::vector<int>({-5, 300, 7}));
}

TEST_F(RunningControl, ImagePropertiesAndTheSettingsDialogReachTheCamera)
{
    std::int32_t min = 0, max = 0, step = 0, def = 0, caps = 0;
    EXPECT_TRUE(ctrl.GetImagePropertyRange(ProcAmp_Brightness, min, max, step, def, caps));
    EXPECT_EQ(
        std::vector<int>({min, max, def, caps}), std::vector<int>({-1000, 1000, 0, ProcAmpFlag_Manual}));
    EXPECT_TRUE(ctrl.SetImageProperty(ProcAmp_Contrast, 400, ProcAmpFlag_Manual));
    std::int32_t value = 0, flags = 0;
    EXPECT_TRUE(ctrl.GetImageProperty(ProcAmp_Contrast, value, flags));
    EXPECT_EQ(value, 400);
    EXPECT_EQ(flags, ProcAmpFlag_Manual);
    // A property the camera lacks leaves the out-arguments alone.
    value = 77;
    EXPECT_TRUE(ctrl.GetImageProperty(ProcAmp_Gain, value, flags));
    EXPECT_EQ(value, 77);

    // The dialog shows the camera's controls and applies a change at once.
    CameraControls* controls = core().controls();
    ASSERT_NE(controls, nullptr);
    CameraSettingsDialog dialog(*controls, "Test Camera");
    auto* slider = dialog.findChild<QWidget*>("BRIGHTNESS")
        ? dialog.findChild<QWidget*>("BRIGHTNESS")->findChild<QSlider*>()
        : nullptr;
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->minimum(), -1000);
    slider->setValue(-250);
    EXPECT_TRUE(ctrl.GetImageProperty(ProcAmp_Brightness, value, flags));
    EXPECT_EQ(value, -250);
    dialog.restoreDefaults();
    EXPECT_TRUE(ctrl.GetImageProperty(ProcAmp_Brightness, value, flags));
    EXPECT_EQ(value, 0);

    // ShowFilterPropertyPage shows the same dialog modally.
    QString shownTitle;
    int sliders = 0;
    QTimer::singleShot(50, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            shownTitle = w->windowTitle();
            sliders = static_cast<int>(w->findChildren<QSlider*>().size());
            if (const QByteArray out = qgetenv("KF_CAPTURE_DIALOG_SCREENSHOT"); !out.isEmpty())
                w->grab().save(QString::fromLocal8Bit(out));
            w->close();
        }
    });
    ctrl.ShowFilterPropertyPage();
    EXPECT_EQ(shownTitle, "Test Camera");
    EXPECT_EQ(sliders, 4);
}

TEST_F(RunningControl, PaneShowsTheLivePictureWithTheForeground)
{
    // A decorative frame: an opaque border, a half-transparent caption strip.
    QImage fore(800, 600, QImage::Format_RGBA8888);
    fore.fill(Qt::transparent);
    {
        QPainter p(&fore);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 90));
        p.drawRect(0, 0, 800, 60);
        p.drawRect(0, 540, 800, 60);
        p.drawRect(0, 0, 60, 600);
        p.drawRect(740, 0, 60, 600);
        p.fillRect(60, 440, 680, 100, QColor(255, 255, 255, 128));
        p.setPen(QColor(200, 40, 90));
        p.setFont(QFont("Noto Sans CJK SC", 48));
        p.drawText(QRect(60, 440, 680, 100), Qt::AlignCenter, QString::fromUtf8("Kinfolio 照相"));
    }
    const QString png = dir.filePath("frame.png");
    ASSERT_TRUE(fore.save(png));
    ASSERT_TRUE(ctrl.SetFore(png));
    ctrl.SetEnableMergeFore(true);

    ctrl.resize(320, 240);
    ctrl.show();
    const auto painted = ctrl.videoPane()->statistics().painted;
    ASSERT_TRUE(waitFor([&] { return ctrl.videoPane()->statistics().painted > painted + 3; }));
    const QImage shown = ctrl.grab().toImage();
    if (const QByteArray out = qgetenv("KF_CAPTURE_SCREENSHOT"); !out.isEmpty())
        shown.save(QString::fromLocal8Bit(out));
    ASSERT_EQ(shown.size(), QSize(320, 240));
    // Scaled to the pane: the border covers the edges, the moving bars the middle.
    EXPECT_EQ(shown.pixelColor(5, 120), QColor(200, 40, 90));
    EXPECT_EQ(shown.pixelColor(160, 5), QColor(200, 40, 90));
    std::set<QRgb> colours;
    for (int x = 40; x < 280; x += 8)
        colours.insert(shown.pixel(x, 100));
    EXPECT_GE(colours.size(), 5u);
}

TEST(CaptureControlTeardown, WhileAStillCaptureWaits)
{
    QTemporaryDir dir;
    auto* ctrl = new CaptureCtrl;
    selectTestCamera(*ctrl);
    ctrl->SetIsChangeVideoFormat(false);
    ASSERT_TRUE(ctrl->Capture());
    CaptureCore& core = ctrl->videoPane()->core();
    ASSERT_TRUE(waitFor([&] { return ctrl->isRunning() && core.framesDelivered() > 0; }));

    // Frames stop reaching Grab while the pipeline keeps playing, so that a
    // still capture waits.
    GstElement* grab = gst_bin_get_by_name(GST_BIN(core.pipeline()), "Grab Filter");
    ASSERT_NE(grab, nullptr);
    GstPad* in = gst_element_get_static_pad(grab, "sink");
    gst_pad_add_probe(
        in, GST_PAD_PROBE_TYPE_BUFFER, [](GstPad*, GstPadProbeInfo*, gpointer) { return GST_PAD_PROBE_DROP; },
        nullptr, nullptr);
    gst_object_unref(in);
    gst_object_unref(grab);

    std::atomic<int> result {-1};
    const QString path = dir.filePath("never.bmp");
    std::thread waiter([&] { result = ctrl->Grab(path, false) ? 1 : 0; });
    ASSERT_TRUE(waitFor([&] { return core.waitingCalls() > 0; }));
    delete ctrl; // must not hang
    waiter.join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
} // namespace capture
