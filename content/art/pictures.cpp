#include "art/pictures.h"

#include "art/paint.h"
#include "art/splash.h"

#include <QPainter>
#include <cmath>

namespace kf::art {

QImage cameraOffPicture()
{
    QImage img(320, 240, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 240);
    g.setColorAt(0, QColor(255, 226, 230));
    g.setColorAt(1, QColor(250, 196, 210));
    p.fillRect(img.rect(), g);
    // Soft light spots.
    Random rnd(77);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 10; ++i) {
        const QPointF c(rnd.uniform(0, 320), rnd.uniform(0, 240));
        const double r = rnd.uniform(14, 40);
        QRadialGradient rg(c, r);
        rg.setColorAt(0, QColor(255, 255, 255, 120));
        rg.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(rg);
        p.drawEllipse(c, r, r);
    }
    // A friendly camera with sparkles.
    drawCameraHero(
        p, QRectF(105, 46, 110, 84), QColor(255, 130, 140), QColor(120, 50, 90), QColor(150, 40, 80, 90));
    outlinedText(p, QString::fromUtf8("请打开摄像头"), sansFont(22, true), QPointF(160, 166),
        QColor(120, 40, 80), QColor(255, 255, 255), 2.2);
    outlinedText(p, QString::fromUtf8("点击下方“打开摄像头”按钮开始拍照"), sansFont(11.5, false),
        QPointF(160, 196), QColor(140, 70, 100), QColor(255, 255, 255, 180), 1.2);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage placementCanvas()
{
    QImage img(640, 640, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));
    return img;
}

QImage albumTile()
{
    QImage img(89, 73, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 73);
    g.setColorAt(0, QColor(236, 250, 236));
    g.setColorAt(1, QColor(206, 236, 210));
    p.fillRect(img.rect(), g);
    // Album cover with two photos peeking out.
    p.save();
    p.translate(44, 40);
    for (int i = 0; i < 2; ++i) {
        p.save();
        p.rotate(i == 0 ? -12 : 8);
        p.setPen(QPen(QColor(160, 150, 150), 1));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(-22, -32, 44, 36));
        QLinearGradient sky(0, -30, 0, 0);
        sky.setColorAt(0, i ? QColor(130, 200, 250) : QColor(255, 190, 150));
        sky.setColorAt(1, i ? QColor(200, 236, 255) : QColor(255, 230, 200));
        p.fillRect(QRectF(-19, -29, 38, 26), sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 180, 100));
        QPainterPath hill;
        hill.moveTo(-19, -3);
        hill.quadTo(-6, -18, 6, -8);
        hill.quadTo(12, -14, 19, -8);
        hill.lineTo(19, -3);
        hill.closeSubpath();
        p.drawPath(hill);
        p.restore();
    }
    QPainterPath cover;
    cover.addRoundedRect(QRectF(-30, -14, 60, 42), 5, 5);
    softShadow(p, cover, QColor(60, 30, 40, 120), QPointF(0, 2), 3);
    QLinearGradient cg(0, -14, 0, 28);
    cg.setColorAt(0, QColor(255, 140, 150));
    cg.setColorAt(1, QColor(220, 80, 110));
    p.setPen(QPen(QColor(150, 40, 70), 1));
    p.setBrush(cg);
    p.drawPath(cover);
    p.setBrush(QColor(255, 230, 150));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(-30, -4, 60, 4));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(heartPath(QPointF(0, 13), 14));
    p.restore();
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage linkPointer(QPoint* hotSpot)
{
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A pointing hand: index finger up, the tip at the hot spot.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(9, 1.5, 6, 18), 3, 3); // index finger
    hand.addRoundedRect(QRectF(14.5, 10, 5.5, 12), 2.75, 2.75); // middle
    hand.addRoundedRect(QRectF(19.5, 11, 5.5, 11.5), 2.75, 2.75); // ring
    hand.addRoundedRect(QRectF(24.5, 12.5, 5, 10), 2.5, 2.5); // little
    QPainterPath palm;
    palm.moveTo(9, 15);
    palm.lineTo(29.5, 17);
    palm.lineTo(29, 24);
    palm.quadTo(28, 30.5, 21, 30.5);
    palm.lineTo(15, 30.5);
    palm.quadTo(11, 30.5, 8, 26);
    palm.lineTo(3, 19.5);
    palm.quadTo(2, 16.5, 4.5, 16);
    palm.quadTo(6.5, 15.6, 9, 18.5);
    palm.closeSubpath();
    hand = hand.united(palm);
    p.setPen(QPen(QColor(30, 20, 30), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(hand);
    p.setPen(QPen(QColor(30, 20, 30), 1));
    p.drawLine(QPointF(15, 14), QPointF(15, 19));
    p.drawLine(QPointF(20, 14), QPointF(20, 19.5));
    p.drawLine(QPointF(25, 15.5), QPointF(25, 20));
    p.end();
    if (hotSpot)
        *hotSpot = QPoint(12, 2);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage samplePhoto()
{
    QImage img(640, 480, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 640, 480);
    wall.setColorAt(0, QColor(120, 150, 170));
    wall.setColorAt(1, QColor(70, 90, 120));
    p.fillRect(img.rect(), wall);
    // Shoulders and a smiling face.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 120, 190));
    p.drawEllipse(QPointF(320, 560), 250, 180);
    p.setBrush(QColor(236, 190, 160));
    p.drawRect(QRectF(290, 300, 60, 70));
    p.setBrush(QColor(60, 40, 30));
    p.drawEllipse(QPointF(320, 190), 118, 130);
    QRadialGradient skin(QPointF(300, 200), 140);
    skin.setColorAt(0, QColor(250, 214, 186));
    skin.setColorAt(1, QColor(220, 170, 140));
    p.setBrush(skin);
    p.drawEllipse(QPointF(320, 230), 96, 116);
    p.setBrush(QColor(60, 40, 30));
    QPainterPath fringe;
    fringe.moveTo(220, 200);
    fringe.quadTo(250, 100, 330, 110);
    fringe.quadTo(410, 110, 420, 200);
    fringe.quadTo(380, 150, 300, 160);
    fringe.quadTo(250, 170, 220, 200);
    p.drawPath(fringe);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(QPointF(284, 224), 9, 11);
    p.drawEllipse(QPointF(356, 224), 9, 11);
    p.setPen(QPen(QColor(180, 70, 80), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(280, 250, 80, 50), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 130, 130, 90));
    p.drawEllipse(QPointF(262, 268), 18, 11);
    p.drawEllipse(QPointF(378, 268), 18, 11);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage splashPicture()
{
    QImage img(320, 241, QImage::Format_ARGB32_Premultiplied);
    img.fill(kSplashBackground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Rays of light from behind the camera.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 16; ++i) {
        p.save();
        p.translate(160, 96);
        p.rotate(i * 22.5);
        QPainterPath ray;
        ray.moveTo(0, 0);
        ray.lineTo(260, -22);
        ray.lineTo(260, 22);
        ray.closeSubpath();
        p.setBrush(QColor(255, 255, 255, i % 2 ? 26 : 14));
        p.drawPath(ray);
        p.restore();
    }
    QRadialGradient glowG(QPointF(160, 96), 90);
    glowG.setColorAt(0, QColor(255, 236, 220, 200));
    glowG.setColorAt(1, QColor(255, 236, 220, 0));
    p.setBrush(glowG);
    p.drawEllipse(QPointF(160, 96), 90, 90);
    drawCameraHero(
        p, QRectF(112, 48, 96, 74), QColor(255, 250, 246), QColor(236, 80, 100), QColor(140, 30, 50, 110));
    outlinedText(p, QStringLiteral("Snapolia"), sansFont(34, true), QPointF(160, 160), QColor(255, 255, 255),
        QColor(200, 50, 80), 2.5, QColor(150, 30, 60, 120), QPointF(0, 2.5));
    outlinedText(p, QString::fromUtf8("自助照相馆 · 留住美好瞬间"), sansFont(14, true), QPointF(160, 194),
        QColor(120, 20, 50), QColor(), 0);
    outlinedText(p, QString::fromUtf8("正在启动，请稍候……"), sansFont(11, false), QPointF(160, 222),
        QColor(255, 240, 240), QColor(), 0);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace kf::art
