// capture-tool as an operator runs it, with and without the test camera.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
};

ToolRun tool(const QStringList& args, bool testCamera = true)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (testCamera)
        env.insert("KINFOLIO_TEST_CAMERA", "1");
    else
        env.remove("KINFOLIO_TEST_CAMERA");
    p.setProcessEnvironment(env);
    p.start(CAPTURE_TOOL_PATH, args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

std::uint32_t le32(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(CaptureTool, ListsTheTestCameraOnlyWhenEnabled)
{
    const ToolRun on = tool({"--list"});
    EXPECT_EQ(on.exitCode, 0);
    EXPECT_TRUE(on.out.endsWith("Test Camera\n")) << on.out.constData();
    const ToolRun off = tool({"--list"}, false);
    EXPECT_EQ(off.exitCode, 0);
    EXPECT_FALSE(off.out.contains("Test Camera"));
}

TEST(CaptureTool, GrabsRawAndProcessedFrames)
{
    QTemporaryDir dir;
    // Opaque band of a colour the test pattern never shows over the top
    // quarter of a 4:3 foreground, transparent below.
    QImage fore(640, 480, QImage::Format_RGBA8888);
    fore.fill(Qt::transparent);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 640; ++x)
            fore.setPixelColor(x, y, QColor(12, 34, 56));
    const QString png = dir.filePath("fore.png");
    ASSERT_TRUE(fore.save(png));

    const QString raw = dir.filePath("raw.bmp"), processed = dir.filePath("processed.bmp");
    ASSERT_EQ(
        tool({"--grab", raw, "--device", "Test Camera", "--width", "640", "--height", "480", "--fore", png})
            .exitCode,
        0);
    ASSERT_EQ(
        tool({"--grab", processed, "--device", "Test Camera", "--processed", "--fore", png}).exitCode, 0);
    for (const QString& path : {raw, processed}) {
        const QByteArray b = readAll(path);
        ASSERT_EQ(b.size(), 921654);
        EXPECT_EQ(le32(b, 2), 921654u);
        EXPECT_EQ(le32(b, 10), 54u);
    }
    // Read back as pictures: the band shows in the processed one only.
    const QImage rawImage(raw), processedImage(processed);
    ASSERT_EQ(processedImage.size(), QSize(640, 480));
    EXPECT_EQ(processedImage.pixelColor(300, 20), QColor(12, 34, 56));
    EXPECT_NE(processedImage.pixelColor(300, 300), QColor(12, 34, 56));
    EXPECT_NE(rawImage.pixelColor(300, 20), QColor(12, 34, 56));
}

TEST(CaptureTool, FailuresExitNonZeroAndWriteNothing)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("no/such/folder/shot.bmp");
    EXPECT_EQ(tool({"--grab", missing, "--device", "Test Camera"}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(missing));
    const QString shot = dir.filePath("shot.bmp");
    if (tool({"--list"}, false).out.isEmpty()) { // a machine without cameras
        EXPECT_EQ(tool({"--grab", shot}, false).exitCode, 1);
    }
    EXPECT_EQ(tool({"--grab", shot, "--device", "No Such Camera"}).exitCode, 1);
    EXPECT_EQ(
        tool({"--grab", shot, "--device", "Test Camera", "--fore", dir.filePath("missing.png")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(shot));
    for (const QStringList& bad : {QStringList {}, QStringList {"--grab"},
             QStringList {"--list", "--grab", shot}, QStringList {"--grab", shot, "--width", "640"},
             QStringList {"--grab", shot, "--width", "x", "--height", "480"}})
        EXPECT_EQ(tool(bad).exitCode, 2) << bad.join(' ').toStdString();
}

} // namespace
