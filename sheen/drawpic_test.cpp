#include "drawpic.h"
#include "testimage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QtTest>

using namespace sheen;
using test::boundsOf;
using test::is;
using test::solid;

namespace {

const QColor kGround(0x11, 0x22, 0x33);

QImage canvas()
{
    return solid(QSize(40, 40), kGround);
}

// 2 x 2 bitmap: red, green / blue, white.
Picture quadrants()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return Picture(image);
}

// 12 x 12 icon: transparent, with an opaque black 4 x 4 square at (4, 4).
Picture squareIcon()
{
    QImage image = solid(QSize(12, 12), Qt::transparent, QImage::Format_ARGB32);
    QPainter(&image).fillRect(QRect(4, 4, 4, 4), Qt::black);
    return Picture(QIcon(QPixmap::fromImage(image)), QSize(12, 12));
}

} // namespace

class DrawPicTest : public QObject {
    Q_OBJECT
private slots:
    void drawPicPlacesEachKind_data();
    void drawPicPlacesEachKind();
    void bitmapIsStretchedPartForPart();
    void shadowIsTheSilhouetteInOneColour();
    void disabledIsEmbossedInPaletteGreys();
    void failedScratchSurfaceIsReportedAndDrawingGoesOn();
};

void DrawPicTest::drawPicPlacesEachKind_data()
{
    QTest::addColumn<Picture>("pic");
    QTest::addColumn<QRect>("target"); // left, top, width, height
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("bitmap stretched over the target")
        << Picture(solid(QSize(3, 3), Qt::red)) << QRect(5, 6, 20, 10) << QSize(3, 3) << QRect(5, 6, 20, 10);
    // An icon keeps its natural size whatever rectangle it is given.
    QTest::newRow("icon at its natural size")
        << squareIcon() << QRect(10, 10, 30, 30) << QSize(12, 12) << QRect(14, 14, 4, 4);
    QTest::newRow("icon scaled to the size asked for")
        << squareIcon() << QRect(0, 0, 5, 5) << QSize(24, 24) << QRect(8, 8, 8, 8);
    QTest::newRow("empty picture") << Picture() << QRect(0, 0, 20, 20) << QSize(2, 2) << QRect();
    QPicture vector;
    QPainter(&vector).fillRect(QRect(0, 0, 10, 10), Qt::red);
    QTest::newRow("vector picture is skipped")
        << Picture::fromMetafile(vector) << QRect(0, 0, 20, 20) << QSize(10, 10) << QRect();
    QTest::newRow("zero-size target")
        << Picture(solid(QSize(3, 3), Qt::red)) << QRect(5, 5, 0, 10) << QSize(3, 3) << QRect();
}

void DrawPicTest::drawPicPlacesEachKind()
{
    QFETCH(Picture, pic);
    QFETCH(QRect, target);
    QFETCH(QSize, natural);
    QFETCH(QRect, expected);
    QImage image = canvas();
    QPainter painter(&image);
    DrawPic().drawPic(painter, pic, target.top(), target.left(), target.width(), target.height(),
        natural.width(), natural.height());
    painter.end();
    QCOMPARE(boundsOf(image, [](QRgb p) { return (p | 0xff000000u) != kGround.rgb(); }), expected);
}

void DrawPicTest::bitmapIsStretchedPartForPart()
{
    QImage image = canvas();
    QPainter painter(&image);
    DrawPic draw;
    draw.drawPic(painter, quadrants(), 0, 0, 8, 8, 2, 2);
    // Only the top-left pixel of the bitmap (Picx = Picy = 1) over 8 x 8.
    draw.drawPic(painter, quadrants(), 20, 20, 8, 8, 1, 1);
    painter.end();
    QCOMPARE(boundsOf(image, is(Qt::red)), QRect(0, 0, 4, 4) | QRect(20, 20, 8, 8));
    QCOMPARE(boundsOf(image, is(Qt::green)), QRect(4, 0, 4, 4));
    QCOMPARE(boundsOf(image, is(Qt::blue)), QRect(0, 4, 4, 4));
    QCOMPARE(boundsOf(image, is(Qt::white)), QRect(4, 4, 4, 4));
}

void DrawPicTest::shadowIsTheSilhouetteInOneColour()
{
    const QColor shadow(0x80, 0x10, 0x90);
    QImage image = canvas();
    QPainter painter(&image);
    DrawPic draw;
    // Icon: its opaque part. Bitmap: everything but its white parts.
    draw.DrawShadowPic(painter, squareIcon(), 0, 0, 12, 12, 12, 12, shadow);
    draw.DrawShadowPic(painter, quadrants(), 20, 20, 8, 8, 2, 2, shadow);
    painter.end();
    QImage expected = canvas();
    QPainter(&expected).fillRect(QRect(4, 4, 4, 4), shadow);
    QPainter p(&expected);
    p.fillRect(QRect(20, 20, 8, 4), shadow);
    p.fillRect(QRect(20, 24, 4, 4), shadow);
    p.end();
    QCOMPARE(image, expected);
}

void DrawPicTest::disabledIsEmbossedInPaletteGreys()
{
    const QPalette palette = QGuiApplication::palette();
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    QVERIFY(light != dark);
    for (const Picture& pic : {squareIcon(), Picture(solid(QSize(12, 12), Qt::white))}) {
        // The black square, or a white bitmap with no ink at all.
        QImage image = canvas();
        QPainter painter(&image);
        DrawPic().DrawDisabledPic(painter, pic, 10, 10, 12, 12, 12, 12);
        painter.end();
        if (pic.type() == Picture::Icon) {
            QCOMPARE(boundsOf(image, is(dark)), QRect(14, 14, 4, 4));
            // The light copy lies one pixel down and right, under the dark.
            QCOMPARE(boundsOf(image, is(light)), QRect(15, 15, 4, 4));
            QCOMPARE(
                boundsOf(image, [&](QRgb p) { return !is(dark)(p) && !is(light)(p) && !is(kGround)(p); }),
                QRect());
        } else {
            QCOMPARE(image, canvas());
        }
    }
}

void DrawPicTest::failedScratchSurfaceIsReportedAndDrawingGoesOn()
{
    int failures = 0;
    DrawPic::setFailureHandler([&failures] { ++failures; });
    QImage image = canvas();
    QPainter painter(&image);
    DrawPic draw;
    const int huge = DrawPic::kMaxScratchEdge + 1;
    draw.DrawShadowPic(painter, quadrants(), 0, 0, huge, 10, 2, 2, Qt::black);
    draw.DrawDisabledPic(painter, squareIcon(), 0, 0, 10, huge, 12, 12);
    QCOMPARE(failures, 2);
    // Empty targets are nothing to draw, not failures.
    draw.DrawShadowPic(painter, quadrants(), 0, 0, 0, 10, 2, 2, Qt::black);
    draw.DrawDisabledPic(painter, squareIcon(), 0, 0, 10, -3, 12, 12);
    QCOMPARE(failures, 2);
    draw.DrawShadowPic(painter, squareIcon(), 0, 0, 12, 12, 12, 12, Qt::red);
    painter.end();
    QCOMPARE(boundsOf(image, is(Qt::red)), QRect(4, 4, 4, 4));
    DrawPic::setFailureHandler({});
}

QTEST_MAIN(DrawPicTest)
#include "drawpic_test.moc"
