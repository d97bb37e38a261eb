#include "drawpic.h"
#include "propertybag.h"
#include "sheenkey.h"
#include "testimage.h"
#include "tooltip.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace sheen;
using test::boundsOf;
using test::is;
using test::solid;

Q_DECLARE_METATYPE(sheen::SheenRect)

namespace {

Picture iconOf(QSize size, QColor color)
{
    return Picture(QIcon(QPixmap::fromImage(solid(size, color, QImage::Format_ARGB32))), size);
}

// A button in a shown, active window, so that real mouse and key events
// reach it. It sits at (20, 20) in a 200 x 100 window.
struct Stage {
    QWidget window;
    SheenKey* key = new SheenKey(&window);
    QList<QString> log; // "draw s b" and "click", in order
    static inline int moves = 0;

    Stage()
    {
        window.resize(200, 100);
        key->setGeometry(20, 20, 100, 40);
        QObject::connect(key, &SheenKey::drawn,
            [this](int s, int b) { log << QStringLiteral("draw %1 %2").arg(s).arg(b); });
        QObject::connect(key, &SheenKey::Click, [this] { log << QStringLiteral("click"); });
        window.show();
        window.activateWindow();
    }
    // Active, with every paint asked for so far done, so that the log holds
    // only what the test itself brings about.
    // Rests the pointer on the button and waits for the shared tip.
    QLabel* tipShown(QPoint at)
    {
        QTest::mouseMove(key, at);
        auto* tip = qobject_cast<QLabel*>(modToolTip::toolTipWindow());
        if (!tip || !QTest::qWaitFor([tip] { return tip->isVisible(); }))
            return nullptr;
        return tip;
    }
    bool ready()
    {
        if (!QTest::qWaitForWindowActive(&window) || !QTest::qWaitFor([this] { return !log.isEmpty(); }))
            return false;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        // The pointer starts outside the button.
        QTest::mouseMove(&window, QPoint(5, 5 + int(++moves % 2)));
        log.clear();
        return true;
    }
    int count(const QString& entry) const { return int(log.count(entry)); }
};

} // namespace

class SheenKeyTest : public QObject {
    Q_OBJECT
private slots:
    void init() { modToolTip::setInitialDelay(0); }

    void layoutSplitsPictureAndCaption_data();
    void layoutSplitsPictureAndCaption();
    void imageRectCentresThePicture_data();
    void imageRectCentresThePicture();
    void imageIsDrawnIntoImageRect();
    void imageSizeZeroDrawsNothingAndReassignRestoresWidth();
    void hoverDrawsOnceOnEnterAndNormalOnceOnLeave();
    void mouseGestures_data();
    void mouseGestures();
    void accessKeysRaiseClick();
    void disabledLookWithoutImage();
    void tipTextDefaultsToZeroAndShows();
    void sharedToolTipGoesWithLastButtonAndReturns();
};

void SheenKeyTest::layoutSplitsPictureAndCaption_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("persent");
    QTest::addColumn<SheenRect>("icon");
    QTest::addColumn<SheenRect>("caption");
    QTest::newRow("side by side") << QSize(100, 40) << 0 << 30 << SheenRect {0, 0, 30, 40}
                                  << SheenRect {30, 0, 100, 40};
    QTest::newRow("stacked, 12 of 40")
        << QSize(100, 40) << 1 << 30 << SheenRect {0, 0, 100, 12} << SheenRect {0, 12, 100, 40};
    QTest::newRow("other style is side by side")
        << QSize(100, 40) << 7 << 30 << SheenRect {0, 0, 30, 40} << SheenRect {30, 0, 100, 40};
    // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
    QTest::newRow("2.5 rounds down") << QSize(10, 40) << 0 << 25 << SheenRect {0, 0, 2, 40}
                                     << SheenRect {2, 0, 10, 40};
    QTest::newRow("3.5 rounds up") << QSize(100, 14) << 1 << 25 << SheenRect {0, 0, 100, 4}
                                   << SheenRect {0, 4, 100, 14};
}

void SheenKeyTest::layoutSplitsPictureAndCaption()
{
    QFETCH(QSize, size);
    QFETCH(int, style);
    QFETCH(int, persent);
    SheenKey key;
    key.resize(size);
    key.setStyle(style);
    key.setPersent(persent);
    key.LayoutParts();
    QCOMPARE(key.WholeRect(), (SheenRect {0, 0, size.width(), size.height()}));
    QTEST(key.IconRect(), "icon");
    QTEST(key.CaptionRect(), "caption");
}

void SheenKeyTest::imageRectCentresThePicture_data()
{
    QTest::addColumn<Picture>("image");
    QTest::addColumn<int>("imageSize");
    QTest::addColumn<SheenRect>("expected");
    // 100 x 40, Persent 30: IconRect (0, 0, 30, 40).
    QTest::newRow("bitmap at its own width")
        << Picture(solid(QSize(32, 16), Qt::red)) << -1 << SheenRect {-1, 4, 31, 36};
    QTest::newRow("bitmap at ImageSize")
        << Picture(solid(QSize(32, 16), Qt::red)) << 10 << SheenRect {10, 15, 20, 25};
    QTest::newRow("bitmap at ImageSize 0")
        << Picture(solid(QSize(32, 16), Qt::red)) << 0 << SheenRect {15, 20, 15, 20};
    QTest::newRow("icon ignores ImageSize")
        << iconOf(QSize(16, 24), Qt::red) << 50 << SheenRect {7, 8, 23, 32};
}

void SheenKeyTest::imageRectCentresThePicture()
{
    QFETCH(Picture, image);
    QFETCH(int, imageSize);
    SheenKey key;
    key.resize(100, 40);
    key.setImage(image);
    QCOMPARE(key.ImageSize(), image.width());
    if (imageSize >= 0)
        key.setImageSize(imageSize);
    key.LayoutParts();
    QCOMPARE(key.ImageWidthPx(), image.width());
    QCOMPARE(key.ImageHeightPx(), image.height());
    QTEST(key.ImageRect(), "expected");
}

void SheenKeyTest::imageIsDrawnIntoImageRect()
{
    // A bitmap is stretched over the ImageSize square, an icon stays at its
    // own size; in the hover look both are lifted one pixel up and left.
    SheenKey key;
    key.resize(100, 40);
    key.setImage(Picture(solid(QSize(4, 2), Qt::red)));
    key.setImageSize(20);
    key.LayoutParts();
    QCOMPARE(boundsOf(key.renderLook(SheenKey::Normal, 0), is(Qt::red)), QRect(5, 10, 20, 20));
    QCOMPARE(boundsOf(key.renderLook(SheenKey::Hover, 0), is(Qt::red)), QRect(4, 9, 20, 20));

    key.setImage(iconOf(QSize(16, 24), Qt::blue));
    key.LayoutParts();
    QCOMPARE(boundsOf(key.renderLook(SheenKey::Pressed, 0), is(Qt::blue)), QRect(7, 8, 16, 24));
    // Hover: the shadow shows one pixel right and below the lifted icon.
    key.setShadowColor(Qt::green);
    const QImage hover = key.renderLook(SheenKey::Hover, 0);
    QCOMPARE(boundsOf(hover, is(Qt::blue)), QRect(6, 7, 16, 24));
    QCOMPARE(boundsOf(hover, is(Qt::green)), QRect(7, 8, 16, 24));
}

void SheenKeyTest::imageSizeZeroDrawsNothingAndReassignRestoresWidth()
{
    int failures = 0;
    DrawPic::setFailureHandler([&failures] { ++failures; });
    const Picture bitmap(solid(QSize(32, 32), Qt::red));
    SheenKey plain;
    plain.resize(100, 40);
    plain.LayoutParts();
    SheenKey key;
    key.resize(100, 40);
    key.setImage(bitmap);
    key.setImageSize(0);
    key.LayoutParts();
    for (int s : {SheenKey::Normal, SheenKey::Hover, SheenKey::Pressed, SheenKey::Disabled})
        QCOMPARE(key.renderLook(s, 0), plain.renderLook(s, 0));
    QCOMPARE(failures, 0);
    key.setImage(bitmap);
    QCOMPARE(key.ImageSize(), 32);
    DrawPic::setFailureHandler({});
}

void SheenKeyTest::hoverDrawsOnceOnEnterAndNormalOnceOnLeave()
{
    Stage stage;
    stage.key->setBorderStyleMove(4);
    stage.key->setBorderStyleOut(1);
    QVERIFY(stage.ready());
    stage.log.clear();
    for (int x = 5; x <= 95; x += 10)
        QTest::mouseMove(stage.key, QPoint(x, 20));
    QVERIFY(stage.key->Hovering());
    QCOMPARE(stage.log, QList<QString> {QStringLiteral("draw 1 4")});
    QTest::mouseMove(&stage.window, QPoint(180, 90));
    QTest::mouseMove(&stage.window, QPoint(185, 95));
    QCOMPARE(stage.log, (QList<QString> {QStringLiteral("draw 1 4"), QStringLiteral("draw 0 1")}));
    QVERIFY(!stage.key->Hovering());
    // Coming back is a new hover.
    QTest::mouseMove(stage.key, QPoint(50, 20));
    QCOMPARE(stage.count(QStringLiteral("draw 1 4")), 2);
}

enum class Gesture { LeftClick, RightClick, DraggedOff, DoubleClick };
Q_DECLARE_METATYPE(Gesture)

void SheenKeyTest::mouseGestures_data()
{
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QList<QString>>("expected"); // after the hover on entering
    QTest::newRow("left click") << Gesture::LeftClick << QList<QString> {"draw 2 3", "draw 1 2", "click"};
    QTest::newRow("right click") << Gesture::RightClick << QList<QString> {"draw 2 3", "draw 1 2"};
    QTest::newRow("dragged off before release")
        << Gesture::DraggedOff << QList<QString> {"draw 2 3", "draw 0 0", "draw 0 0"};
    QTest::newRow("double click is one click")
        << Gesture::DoubleClick << QList<QString> {"draw 2 3", "draw 1 2", "click", "draw 2 3", "draw 1 2"};
}

void SheenKeyTest::mouseGestures()
{
    QFETCH(Gesture, gesture);
    Stage stage;
    QVERIFY(stage.ready());
    const QPoint in(50, 20);
    QTest::mouseMove(stage.key, in);
    QCOMPARE(stage.log.takeLast(), QStringLiteral("draw 1 2"));
    stage.log.clear();
    switch (gesture) {
    case Gesture::LeftClick:
        QTest::mouseClick(stage.key, Qt::LeftButton, {}, in);
        break;
    case Gesture::RightClick:
        QTest::mouseClick(stage.key, Qt::RightButton, {}, in);
        break;
    case Gesture::DraggedOff:
        QTest::mousePress(stage.key, Qt::LeftButton, {}, in);
        QTest::mouseMove(stage.key, QPoint(150, 20));
        QTest::mouseRelease(stage.key, Qt::LeftButton, {}, QPoint(150, 20));
        break;
    case Gesture::DoubleClick: {
        // As a window system delivers it: press, release, double click, release.
        QTest::mouseClick(stage.key, Qt::LeftButton, {}, in);
        const QPointF global = stage.key->mapToGlobal(QPointF(in));
        QMouseEvent second(QEvent::MouseButtonDblClick, in, global, Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, in, global, Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(stage.key, &second);
        QApplication::sendEvent(stage.key, &release);
        break;
    }
    }
    QTEST(stage.log, "expected");
}

void SheenKeyTest::accessKeysRaiseClick()
{
    Stage stage;
    stage.key->setKeys(QStringLiteral("pS"));
    QVERIFY(stage.ready());
    QSignalSpy clicks(stage.key, &SheenKey::Click);
    QTest::keyClick(&stage.window, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(&stage.window, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(clicks.count(), 2);
    QTest::keyClick(&stage.window, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(&stage.window, Qt::Key_S);
    QCOMPARE(clicks.count(), 2);
    stage.key->setKeys(QStringLiteral("q"));
    QTest::keyClick(&stage.window, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(&stage.window, Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(clicks.count(), 3);
    stage.key->setEnabled(false);
    QTest::keyClick(&stage.window, Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(clicks.count(), 3);
}

void SheenKeyTest::disabledLookWithoutImage()
{
    Stage stage;
    SheenKey& key = *stage.key;
    key.setCaption(QStringLiteral("WWWW"));
    key.setColorFnormal(Qt::red);
    key.setColorFmove(Qt::green);
    key.setColorFdown(Qt::green);
    key.setBordercolor(Qt::blue);
    key.setBorderStyleOut(1);
    key.setEnabled(false);
    QVERIFY(stage.ready());
    stage.log.clear();
    const QImage look = key.grab().toImage();
    QCOMPARE(stage.log, QList<QString> {QStringLiteral("draw 3 1")});
    // Flat border, light grey ground, and the caption in ColorFnormal: every
    // pixel inside the frame lies between the ground and red.
    QCOMPARE(boundsOf(look, is(Qt::blue)), QRect(0, 0, 100, 40));
    QCOMPARE(boundsOf(look.copy(1, 1, 98, 38), is(Qt::blue)), QRect());
    bool red = false;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 99; ++x) {
            const QRgb p = look.pixel(x, y);
            QVERIFY2(
                qGreen(p) == qBlue(p) && qGreen(p) <= 0xC0 && qRed(p) >= qGreen(p), "not ground nor red");
            red = red || p == qRgb(255, 0, 0);
        }
    QVERIFY(red);
    // No mouse input reaches it: it stays in the disabled look.
    QTest::mouseMove(stage.key, QPoint(50, 20));
    QTest::mouseClick(stage.key, Qt::LeftButton, {}, QPoint(50, 20));
    QCOMPARE(stage.log, QList<QString> {QStringLiteral("draw 3 1")});
}

void SheenKeyTest::tipTextDefaultsToZeroAndShows()
{
    QVariantMap nothingStored;
    Stage stage;
    stage.key->loadProperties(MapPropertyBag(nothingStored));
    QCOMPARE(stage.key->TipText(), QStringLiteral("0"));
    QVERIFY(stage.ready());
    QLabel* tip = stage.tipShown(QPoint(30, 20));
    QVERIFY(tip);
    QCOMPARE(tip->text(), QStringLiteral("0"));
    // The text is asked for each time the tip shows; a press hides it.
    QTest::mouseClick(stage.key, Qt::LeftButton, {}, QPoint(30, 20));
    QVERIFY(!tip->isVisible());
    stage.key->setTipText(QStringLiteral("拍一张照片"));
    QTest::mouseMove(&stage.window, QPoint(190, 90));
    QCOMPARE(stage.tipShown(QPoint(31, 20)), tip);
    QCOMPARE(tip->text(), QStringLiteral("拍一张照片"));
    QTest::mouseMove(&stage.window, QPoint(190, 90));
    QVERIFY(!tip->isVisible());
}

void SheenKeyTest::sharedToolTipGoesWithLastButtonAndReturns()
{
    QCOMPARE(modToolTip::buttonCount(), 0);
    QVERIFY(!modToolTip::toolTipWindow());
    auto first = std::make_unique<SheenKey>();
    auto second = std::make_unique<SheenKey>();
    QWidget* shared = modToolTip::toolTipWindow();
    QVERIFY(shared);
    QCOMPARE(modToolTip::buttonCount(), 2);
    first.reset();
    QCOMPARE(modToolTip::toolTipWindow(), shared);
    second.reset();
    QCOMPARE(modToolTip::buttonCount(), 0);
    QVERIFY(!modToolTip::toolTipWindow());

    Stage stage;
    stage.key->setTipText(QStringLiteral("again"));
    QVERIFY(stage.ready());
    QLabel* tip = stage.tipShown(QPoint(30, 20));
    QVERIFY(tip);
    QCOMPARE(tip->text(), QStringLiteral("again"));
}

QTEST_MAIN(SheenKeyTest)
#include "sheenkey_test.moc"
