// Checks the installation content the build generated into the application
// folder: the layout, picture sizes, the skin variant budget, the button
// pictures, the scrambled templates, the cursor and the help page.

#include "art/content.h"
#include "art/layout.h"
#include "art/skin.h"
#include "shell/templatescramble.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

QString appDir()
{
    return qEnvironmentVariable("KF_APP_DIR");
}

QByteArray readAll(const QString& relative)
{
    QFile f(appDir() + QLatin1Char('/') + relative);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QImage decode(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

class ContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "content_test";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
    }
};

TEST_F(ContentTest, PicturesHaveTheirSizes)
{
    ASSERT_FALSE(appDir().isEmpty());
    struct Case {
        const char* path;
        const char* format;
        QSize size;
    };
    const Case cases[] = {
        {"data/main.jpg", "jpeg", {744, 516}},
        {"data/Video.jpg", "jpeg", {320, 240}},
        {"data/back.jpg", "jpeg", {640, 640}},
        {"data/photo.jpg", "jpeg", {89, 73}},
        {"data/QQ.gif", "gif", {17, 17}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const QImage img = decode(readAll(QString::fromLatin1(c.path)), c.format);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), c.size);
    }
    // The booth chooses skin variant A for a main.jpg shorter than 175.5 KB.
    EXPECT_LT(readAll(QStringLiteral("data/main.jpg")).size(), 179712);
    EXPECT_TRUE(QFile::exists(appDir() + QStringLiteral("/data/operator.ini")));
    EXPECT_TRUE(QDir(appDir() + QStringLiteral("/PhotoSaved")).exists());
    // The placement canvas stays white: uncovered canvas keys like a window.
    const QImage back = decode(readAll(QStringLiteral("data/back.jpg")), "jpeg");
    EXPECT_GE(qRed(back.pixel(0, 0)), 250);
    EXPECT_GE(qBlue(back.pixel(639, 639)), 250);
}

// Button pictures: real GIFs at the button's size, close to the face the
// skin drew (a palette fault shows here), and hover pictures that differ
// visibly from the normal ones.
TEST_F(ContentTest, ButtonPicturesAreFaithfulGifs)
{
    const QImage shown
        = decode(readAll(QStringLiteral("data/main.jpg")), "jpeg").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(shown.isNull());
    auto meanError = [](const QImage& a, const QImage& b) {
        double sum = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                    + std::abs(qBlue(p) - qBlue(q));
            }
        }
        return sum / (3.0 * a.width() * a.height());
    };
    for (const kf::art::ButtonPicture& b : kf::art::mainWindowButtons()) {
        SCOPED_TRACE(b.normal.toStdString());
        const QByteArray bytes = readAll(QStringLiteral("data/") + b.normal);
        ASSERT_TRUE(bytes.startsWith("GIF89a"));
        const QImage normal = decode(bytes, "gif").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(normal.isNull());
        EXPECT_EQ(normal.size(), b.rect.size());
        EXPECT_LT(meanError(normal, kf::art::buttonPicture(shown, b, false)), 1.5);
        // The picture's border is the background under it: no seam.
        EXPECT_LT(meanError(normal.copy(0, 0, normal.width(), 1),
                      shown.copy(b.rect.left(), b.rect.top(), b.rect.width(), 1)),
            4.0);
        if (b.hover.isEmpty())
            continue;
        const QImage hover
            = decode(readAll(QStringLiteral("data/") + b.hover), "gif").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(hover.isNull()) << b.hover.toStdString();
        EXPECT_EQ(hover.size(), normal.size());
        EXPECT_GT(meanError(hover, normal), 4.0) << "hover picture hardly differs";
    }
}

// Every template is stored scrambled, unscrambles to a 640 x 480 PNG with
// alpha or a JPEG, leaves a window for the photo and keeps the site mark's
// corner light.
TEST_F(ContentTest, TemplatesUnscrambleToFramesWithAWindow)
{
    std::map<QString, int> counts;
    for (const QString& cat : kf::art::templateCategories()) {
        const QDir dir(appDir() + QStringLiteral("/image/") + cat);
        ASSERT_TRUE(dir.exists()) << cat.toStdString();
        for (const QString& name :
            dir.entryList({QStringLiteral("*.JPG"), QStringLiteral("*.png")}, QDir::Files)) {
            SCOPED_TRACE((cat + QLatin1Char('/') + name).toStdString());
            ++counts[cat];
            const bool png = name.endsWith(QLatin1String(".png"));
            QByteArray bytes = readAll(QStringLiteral("image/") + cat + QLatin1Char('/') + name);
            EXPECT_TRUE(decode(bytes, png ? "png" : "jpeg").isNull()) << "stored plain";
            kf::toggleTemplateBytes(
                reinterpret_cast<std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size()));
            const QImage img = decode(bytes, png ? "png" : "jpeg");
            ASSERT_FALSE(img.isNull());
            EXPECT_EQ(img.size(), QSize(640, 480));
            if (png) {
                // libpng readers expect 8-bit RGBA.
                EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 6u) << "PNG colour type";
                EXPECT_TRUE(img.hasAlphaChannel());
            }
            int through = 0, between = 0, lightCorner = 0, corner = 0;
            for (int y = 0; y < 480; ++y) {
                for (int x = 0; x < 640; ++x) {
                    const QRgb v = img.pixel(x, y);
                    const int m = std::min({qRed(v), qGreen(v), qBlue(v)});
                    const bool photo = png ? qAlpha(v) < 128 : m >= 240;
                    through += photo;
                    between += !png && m > 224 && m < 240;
                    if (x >= 545 && y >= 458) {
                        ++corner;
                        const double luma = 0.3 * qRed(v) + 0.59 * qGreen(v) + 0.11 * qBlue(v);
                        lightCorner += png ? (qAlpha(v) < 128 || luma > 170) : luma > 170;
                    }
                }
            }
            const double area = 640.0 * 480.0;
            EXPECT_GT(through / area, 0.5) << "window too small";
            const QRgb centre = img.pixel(320, 240);
            EXPECT_TRUE(png ? qAlpha(centre) == 0
                            : qRed(centre) == 255 && qGreen(centre) == 255 && qBlue(centre) == 255);
            // Near-white decoration in a keyed JPEG would let the photo show
            // through the frame.
            EXPECT_LT(between / area, 0.02);
            EXPECT_GT(lightCorner, corner * 9 / 10) << "site mark corner is dark";
        }
    }
    EXPECT_GE(counts[QString::fromUtf8("动画")], 20);
    for (const QString& cat : kf::art::templateCategories())
        EXPECT_GE(counts[cat], 4) << cat.toStdString();
}

TEST_F(ContentTest, CursorIsAWindowsCursorWithHotSpot)
{
    const QByteArray cur = readAll(QStringLiteral("data/harrow.cur"));
    ASSERT_GE(cur.size(), 22);
    auto u16 = [&](int at) {
        return static_cast<unsigned char>(cur[at]) | (static_cast<unsigned char>(cur[at + 1]) << 8);
    };
    EXPECT_EQ(u16(0), 0);
    EXPECT_EQ(u16(2), 2) << "not a cursor";
    EXPECT_EQ(u16(4), 1);
    const int hx = u16(10), hy = u16(12);
    const QImage img = decode(cur, "ico");
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(32, 32));
    ASSERT_LT(hx, 32);
    ASSERT_LT(hy, 32);
    EXPECT_GT(qAlpha(img.pixel(hx, hy + 1)), 128) << "hot spot off the pointer's tip";
    EXPECT_EQ(qAlpha(img.pixel(31, 0)), 0);
}

QByteArray decodeQuotedPrintable(const QByteArray& in)
{
    QByteArray out;
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] != '=') {
            out += in[i];
            continue;
        }
        if (i + 2 < in.size() && in[i + 1] == '\r' && in[i + 2] == '\n') {
            i += 2;
            continue;
        }
        out += static_cast<char>(in.mid(i + 1, 2).toInt(nullptr, 16));
        i += 2;
    }
    return out;
}

TEST_F(ContentTest, HelpIsMhtmlWithPageAndPictures)
{
    const QByteArray mht = readAll(QStringLiteral("help.mht"));
    const int headerEnd = static_cast<int>(mht.indexOf("\r\n\r\n"));
    ASSERT_GT(headerEnd, 0);
    const QByteArray header = mht.left(headerEnd);
    EXPECT_TRUE(header.contains("MIME-Version: 1.0"));
    EXPECT_TRUE(header.contains("multipart/related"));
    const QRegularExpression bre(QStringLiteral("boundary=\"([^\"]+)\""));
    const auto bm = bre.match(QString::fromLatin1(header));
    ASSERT_TRUE(bm.hasMatch());
    const QByteArray boundary = "--" + bm.captured(1).toLatin1();
    ASSERT_TRUE(mht.contains(boundary + "--"));

    QString html;
    QStringList locations;
    const QList<QByteArray> parts = mht.split('\n');
    (void)parts;
    int pos = static_cast<int>(mht.indexOf(boundary));
    while (pos >= 0) {
        const int start = pos + static_cast<int>(boundary.size());
        if (mht.mid(start, 2) == "--")
            break;
        const int next = static_cast<int>(mht.indexOf(boundary, start));
        ASSERT_GT(next, start);
        const QByteArray part = mht.mid(start + 2, next - start - 2);
        const int split = static_cast<int>(part.indexOf("\r\n\r\n"));
        ASSERT_GT(split, 0);
        const QByteArray head = part.left(split), body = part.mid(split + 4);
        const auto loc
            = QRegularExpression(QStringLiteral("Content-Location: (\\S+)")).match(QString::fromLatin1(head));
        ASSERT_TRUE(loc.hasMatch());
        locations << loc.captured(1);
        if (head.contains("text/html")) {
            EXPECT_TRUE(head.contains("charset=\"utf-8\""));
            ASSERT_TRUE(head.contains("quoted-printable"));
            html = QString::fromUtf8(decodeQuotedPrintable(body));
        } else {
            ASSERT_TRUE(head.contains("base64"));
            const QByteArray data = QByteArray::fromBase64(body);
            EXPECT_FALSE(QImage::fromData(data).isNull()) << loc.captured(1).toStdString();
        }
        pos = next;
    }
    ASSERT_FALSE(html.isEmpty());
    EXPECT_FALSE(html.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(html.contains(QLatin1String("<html")));
    for (const char* label : {"打开摄像头", "拍照", "导入照片", "调整照片", "删除照片", "浏览照片",
             "摄像头设置", "退出", "帮助", "左旋转", "朦胧照"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(label))) << label;
    // Every picture the page shows is in the file.
    const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (auto it = img.globalMatch(html); it.hasNext(); ++images)
        EXPECT_TRUE(locations.contains(it.next().captured(1)));
    EXPECT_GT(images, 0);
}

// The generator gives the same bytes on every run, and the build's copy is
// the current one.
TEST_F(ContentTest, GeneratedFilesMatchAFreshRun)
{
    for (const kf::art::ContentFile& f : kf::art::buildContent()) {
        SCOPED_TRACE(f.path.toStdString());
        EXPECT_FALSE(f.bytes.isEmpty());
        EXPECT_TRUE(readAll(f.path) == f.bytes);
    }
}

} // namespace
