#include "templatescramble.h"
#include "testsupport/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using kf::test::readFile;
using kf::test::writeFile;

namespace {

QByteArray pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + 3);
    return bytes;
}

} // namespace

TEST(ToggleTemplate, ScramblesOnlyTheHeadAndTwiceRestoresTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.png");
    const QByteArray plain = pattern(500);
    writeFile(path, plain);

    ASSERT_TRUE(kf::toggleTemplate(path));
    const QByteArray scrambled = readFile(path);
    ASSERT_EQ(scrambled.size(), plain.size());
    EXPECT_NE(scrambled.left(kf::kTemplateScrambleLength), plain.left(kf::kTemplateScrambleLength));
    EXPECT_EQ(scrambled.mid(kf::kTemplateScrambleLength), plain.mid(kf::kTemplateScrambleLength));
    for (int i = 0; i < kf::kTemplateScrambleLength; ++i)
        EXPECT_EQ(static_cast<std::uint8_t>(scrambled[i] ^ plain[i]), kf::templateKeyByte(i)) << i;

    ASSERT_TRUE(kf::toggleTemplate(path));
    EXPECT_EQ(readFile(path), plain);
}

TEST(ToggleTemplate, ShortFilesAreUntouched)
{
    QTemporaryDir dir;
    for (int size : {0, 1, 96}) {
        const QString path = dir.filePath(QString("short%1").arg(size));
        writeFile(path, pattern(size));
        EXPECT_TRUE(kf::toggleTemplate(path));
        EXPECT_EQ(readFile(path), pattern(size)) << size;
    }
    // Exactly 97 bytes is long enough to be scrambled.
    const QString path = dir.filePath("exact");
    writeFile(path, pattern(97));
    EXPECT_TRUE(kf::toggleTemplate(path));
    EXPECT_NE(readFile(path), pattern(97));
}

TEST(ToggleTemplate, MissingFileFails)
{
    QTemporaryDir dir;
    EXPECT_FALSE(kf::toggleTemplate(dir.filePath("none.png")));
    EXPECT_FALSE(QFile::exists(dir.filePath("none.png")));
}
