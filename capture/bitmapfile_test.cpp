// The bitmap file a still capture writes.
#include "bitmapfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace capture {
namespace {

std::uint32_t le32(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

TEST(BitmapFile, HeaderInfoHeaderAndFrameByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    std::uint8_t info[40];
    for (int i = 0; i < 40; ++i)
        info[i] = static_cast<std::uint8_t>(0xA0 + i);
    std::vector<std::uint8_t> frame(921600);
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<std::uint8_t>(i * 7);

    ASSERT_EQ(writeBitmapFile(path, info, frame.data(), frame.size()), BitmapWriteResult::Written);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    ASSERT_EQ(b.size(), 921654);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(b, 2), 921654u);
    EXPECT_EQ(le32(b, 6), 0u); // both reserved words
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(QByteArray(b.constData() + 14, 40), QByteArray(reinterpret_cast<const char*>(info), 40));
    EXPECT_EQ(0, std::memcmp(b.constData() + 54, frame.data(), frame.size()));
}

TEST(BitmapFile, FailureWritesNothingAndKeepsAnExistingFile)
{
    QTemporaryDir dir;
    const std::uint8_t info[40] = {40};
    const std::uint8_t frame[12] = {1, 2, 3};

    const QString missing = dir.filePath("no/such/folder/shot.bmp");
    EXPECT_EQ(writeBitmapFile(missing, info, frame, sizeof frame), BitmapWriteResult::CannotCreate);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(writeBitmapFile(QString(), info, frame, sizeof frame), BitmapWriteResult::CannotCreate);
    // A folder where the file should go.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.bmp"));
    EXPECT_EQ(writeBitmapFile(dir.filePath("taken.bmp"), info, frame, sizeof frame),
        BitmapWriteResult::CannotCreate);

    // Replacing a file: the new content replaces the old one completely.
    const QString path = dir.filePath("old.bmp");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    ASSERT_EQ(writeBitmapFile(path, info, frame, sizeof frame), BitmapWriteResult::Written);
    EXPECT_EQ(QFile(path).size(), 66);
    EXPECT_TRUE(QFileInfo(path).permissions() & QFile::ReadOther);
    // No temporary file stays behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"old.bmp"});
}

} // namespace
} // namespace capture
