#include "art/skin.h"

#include "art/paint.h"

#include <QPainter>
#include <cmath>

namespace kf::art {

namespace {

const QColor kPlum(104, 38, 72);
const QColor kCoral(255, 128, 128);
const QColor kBodyTop(92, 50, 80);
const QColor kBodyBottom(62, 32, 56);

// Camera body, screen and control column.
const QRectF kBody(54, 54, 448, 286);
const QRectF kScreen(65, 69, 330, 250);
const QRectF kPadPlate(397, 236, 100, 100);
// Template card, film strip and the button row card.
const QRectF kCard(507, 8, 229, 353);
const QRectF kFilm(38, 343, 452, 85);
const QRectF kRowCard(12, 437, 720, 72);

void paintBase(QPainter& p)
{
    QLinearGradient g(0, 0, 0, kMainHeight);
    g.setColorAt(0, QColor(255, 236, 232));
    g.setColorAt(0.55, QColor(255, 222, 226));
    g.setColorAt(1, QColor(248, 206, 218));
    p.fillRect(QRect(0, 0, kMainWidth, kMainHeight), g);

    // Soft light spots and a few confetti in the open pink areas only
    // (nothing under a button).
    Random rnd(20240611);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 14; ++i) {
        const QPointF c(rnd.uniform(240, 500), rnd.uniform(-10, 60));
        const double r = rnd.uniform(8, 26);
        QRadialGradient rg(c, r);
        rg.setColorAt(0, QColor(255, 255, 255, 90));
        rg.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(rg);
        p.drawEllipse(c, r, r);
    }
    const QPointF confetti[] = {{252, 44}, {318, 40}, {372, 46}, {470, 12}, {490, 40}, {8, 140}, {10, 300},
        {26, 200}, {740, 150}, {740, 300}, {6, 420}, {500, 350}};
    for (int i = 0; i < static_cast<int>(std::size(confetti)); ++i) {
        const QColor c = hsv(i * 67 + 10, 45, 100, 200);
        p.setBrush(c);
        if (i % 3 == 0)
            p.drawPath(starPath(confetti[i], 4.5, 2, 5));
        else if (i % 3 == 1)
            p.drawPath(heartPath(confetti[i], 8));
        else
            p.drawPath(sparklePath(confetti[i], 5));
    }
}

void paintHeader(QPainter& p)
{
    // Round logo badge with a small camera.
    const QPointF bc(40, 25);
    softShadow(
        p,
        [&] {
            QPainterPath c;
            c.addEllipse(bc, 17, 17);
            return c;
        }(),
        QColor(150, 50, 80, 90), QPointF(0, 2), 4);
    QRadialGradient rg(QPointF(bc.x() - 5, bc.y() - 6), 24);
    rg.setColorAt(0, QColor(255, 170, 160));
    rg.setColorAt(1, QColor(236, 86, 104));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(rg);
    p.drawEllipse(bc, 17, 17);
    drawGlyph(p, Glyph::Camera, QRectF(bc.x() - 10, bc.y() - 10, 20, 20), QColor(255, 255, 255));

    // Word mark in the banner area; the window draws its red underline
    // below it.
    const QRect banner = kBannerArea;
    const QString word = QStringLiteral("Snapolia");
    QFont f = sansFont(24, true);
    const QPainterPath whole = textPath(word, f, QPointF(banner.center().x() - 4, banner.center().y() + 1));
    // White outline behind the whole word, then each letter in its own
    // colour.
    p.setPen(QPen(QColor(255, 255, 255), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(whole.translated(0, 1));
    softShadow(p, whole, QColor(150, 40, 80, 90), QPointF(0, 2), 3);
    static const int hues[] = {350, 18, 40, 140, 190, 215, 275, 325};
    QPainterPath probe;
    probe.addText(0, 0, f, word);
    const QPointF shift = whole.boundingRect().topLeft() - probe.boundingRect().topLeft();
    const QFontMetricsF fm(f);
    for (int i = 0; i < word.size(); ++i) {
        QPainterPath letter;
        letter.addText(fm.horizontalAdvance(word.left(i)), 0, f, word.mid(i, 1));
        letter.translate(shift);
        const QColor c = hsv(hues[i], 74, 92);
        QLinearGradient lg(0, banner.top(), 0, banner.bottom());
        lg.setColorAt(0, c.lighter(118));
        lg.setColorAt(1, c.darker(110));
        p.setPen(QPen(c.darker(150), 0.8));
        p.setBrush(lg);
        p.drawPath(letter);
    }

    // Slogan.
    outlinedText(p, QString::fromUtf8("自助照相馆 · 留住美好瞬间"), sansFont(13, true), QPointF(372, 23),
        kPlum, QColor(255, 255, 255, 200), 1.6);
}

void paintBody(QPainter& p)
{
    const QPainterPath body = roundedRectPath(kBody, 18);
    softShadow(p, body, QColor(120, 30, 70, 110), QPointF(0, 4), 10);
    QLinearGradient g(kBody.topLeft(), kBody.bottomLeft());
    g.setColorAt(0, kBodyTop);
    g.setColorAt(1, kBodyBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(body);
    // Rim light along the top edge and a coral stripe, like a camera's trim.
    p.setPen(QPen(QColor(170, 110, 150, 160), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRectPath(kBody.adjusted(0.6, 0.6, -0.6, -0.6), 17.5));
    p.setPen(Qt::NoPen);
    QLinearGradient stripe(0, 0, kMainWidth, 0);
    stripe.setColorAt(0, QColor(255, 128, 128, 230));
    stripe.setColorAt(1, QColor(255, 170, 130, 230));
    p.setBrush(stripe);
    p.save();
    p.setClipPath(body);
    p.drawRect(QRectF(kBody.left(), kBody.bottom() - 14, kBody.width(), 4));
    p.restore();

    // Screen glass around the preview area.
    const QPainterPath glass = roundedRectPath(kScreen, 6);
    QLinearGradient gg(kScreen.topLeft(), kScreen.bottomRight());
    gg.setColorAt(0, QColor(40, 30, 42));
    gg.setColorAt(1, QColor(22, 16, 26));
    p.setBrush(gg);
    p.setPen(QPen(QColor(20, 10, 20), 1));
    p.drawPath(glass);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRectPath(kScreen.adjusted(1.5, 1.5, -1.5, -1.5), 5));
    // The preview area itself: dark glass with a faint camera (only seen when
    // nothing is shown there).
    const QRect pv = kPreviewArea;
    QLinearGradient pg(pv.topLeft(), pv.bottomLeft());
    pg.setColorAt(0, QColor(58, 48, 62));
    pg.setColorAt(1, QColor(34, 26, 38));
    p.fillRect(pv, pg);
    drawGlyph(p, Glyph::Camera, QRectF(pv.center().x() - 30, pv.center().y() - 30, 60, 60),
        QColor(255, 255, 255, 30));

    // Control column: flash window, brand plate, captions and the pad plate.
    const QRectF flash(455, 66, 38, 20);
    QLinearGradient fg(flash.topLeft(), flash.bottomLeft());
    fg.setColorAt(0, QColor(255, 250, 232));
    fg.setColorAt(1, QColor(236, 214, 186));
    p.setPen(QPen(QColor(40, 20, 35), 1.2));
    p.setBrush(fg);
    p.drawRoundedRect(flash, 4, 4);
    p.setPen(QPen(QColor(200, 170, 150, 180), 0.8));
    for (int i = 1; i < 6; ++i)
        p.drawLine(QPointF(flash.left() + i * 6.3, flash.top() + 3),
            QPointF(flash.left() + i * 6.3, flash.bottom() - 3));
    outlinedText(p, QStringLiteral("Kinfolio"), sansFont(9, true), QPointF(474, 96), QColor(236, 190, 214),
        QColor(), 0);

    // Red record lamp.
    QRadialGradient lamp(QPointF(473, 116), 6);
    lamp.setColorAt(0, QColor(255, 190, 190));
    lamp.setColorAt(0.5, QColor(240, 70, 90));
    lamp.setColorAt(1, QColor(150, 20, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawEllipse(QPointF(473, 116), 4.5, 4.5);

    outlinedText(p, QString::fromUtf8("在线客服"), sansFont(11, true), QPointF(448, 145),
        QColor(250, 220, 236), QColor(), 0);
    outlinedText(p, QString::fromUtf8("拍照"), sansFont(11, true), QPointF(474, 174), QColor(250, 220, 236),
        QColor(), 0);
    outlinedText(p, QString::fromUtf8("回车键"), sansFont(9, false), QPointF(474, 190), QColor(220, 180, 205),
        QColor(), 0);
    outlinedText(p, QString::fromUtf8("调整位置"), sansFont(11, true), QPointF(447, 224),
        QColor(250, 220, 236), QColor(), 0);

    // The pad plate is one flat colour, so buttons that sit between pixels
    // show no seam whichever way the window rounds their places.
    const QPainterPath plate = roundedRectPath(kPadPlate, 22);
    p.setPen(QPen(QColor(40, 18, 34), 1.2));
    p.setBrush(QColor(112, 66, 98));
    p.drawPath(plate);
}

void paintFilm(QPainter& p)
{
    const QPainterPath film = roundedRectPath(kFilm, 8);
    softShadow(p, film, QColor(120, 30, 70, 100), QPointF(0, 3), 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 34, 44));
    p.drawPath(film);
    // Sprocket holes above and below the thumbnails.
    p.setBrush(QColor(252, 226, 230));
    const double first = stripThumbRect(0).left() + 2;
    const double last = stripThumbRect(3).right() - 6;
    for (double x = first; x <= last; x += 11.6) {
        p.drawRoundedRect(QRectF(x, kFilm.top() + 3, 6, 4), 1.2, 1.2);
        p.drawRoundedRect(QRectF(x, kFilm.bottom() - 7, 6, 4), 1.2, 1.2);
    }
    // Frames of the four thumbnails, with a faint camera in each.
    for (int i = 0; i < 4; ++i) {
        const QRect r = stripThumbRect(i);
        QLinearGradient tg(r.topLeft(), r.bottomLeft());
        tg.setColorAt(0, QColor(88, 74, 88));
        tg.setColorAt(1, QColor(66, 54, 68));
        p.fillRect(r.adjusted(1, 0, -1, 0), tg);
        drawGlyph(p, Glyph::Camera, QRectF(r.center().x() - 11, r.center().y() - 11, 22, 22),
            QColor(255, 255, 255, 45));
    }
}

void paintCard(QPainter& p)
{
    const QPainterPath card = roundedRectPath(kCard, 14);
    softShadow(p, card, QColor(170, 60, 100, 80), QPointF(0, 3), 8);
    QLinearGradient g(kCard.topLeft(), kCard.bottomLeft());
    g.setColorAt(0, QColor(255, 252, 252));
    g.setColorAt(1, QColor(255, 242, 245));
    p.setPen(QPen(QColor(255, 190, 200), 1.2));
    p.setBrush(g);
    p.drawPath(card);
    // Title with two small sparkles.
    outlinedText(p, QString::fromUtf8("精美模板"), sansFont(15, true), QPointF(621, 26), kPlum, QColor(), 0);
    p.setPen(Qt::NoPen);
    p.setBrush(kCoral);
    p.drawPath(sparklePath(QPointF(575, 26), 6));
    p.drawPath(sparklePath(QPointF(667, 26), 6));
    p.setBrush(QColor(255, 200, 120));
    p.drawPath(sparklePath(QPointF(584, 19), 3));
    p.drawPath(sparklePath(QPointF(658, 33), 3));
    // Wells for the fifteen template cells.
    for (int i = 0; i < 15; ++i) {
        const QRectF r = QRectF(templateCellRect(i)).adjusted(-2, -2, 2, 2);
        p.setPen(QPen(QColor(236, 200, 212), 1));
        p.setBrush(QColor(250, 236, 240));
        p.drawRoundedRect(r, 4, 4);
    }
}

void paintRow(QPainter& p)
{
    // Category area label strip and separator.
    const QRect sep = kSeparator;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRect(QRectF(sep.left(), sep.top(), sep.width(), 1.5));
    p.setBrush(QColor(220, 140, 170, 120));
    p.drawRect(QRectF(sep.left(), sep.top() + 1.5, sep.width(), 1.5));

    const QPainterPath card = roundedRectPath(kRowCard, 14);
    softShadow(p, card, QColor(170, 60, 100, 70), QPointF(0, 3), 8);
    QLinearGradient g(kRowCard.topLeft(), kRowCard.bottomLeft());
    g.setColorAt(0, QColor(255, 250, 250));
    g.setColorAt(1, QColor(255, 236, 240));
    p.setPen(QPen(QColor(255, 190, 200), 1.2));
    p.setBrush(g);
    p.drawPath(card);
}

// Face geometry and colours of one button picture.
QColor faceTop(int hue, bool hover)
{
    return hover ? hsv(hue, 38, 100) : hsv(hue, 52, 98);
}

QColor faceBottom(int hue, bool hover)
{
    return hover ? hsv(hue, 62, 96) : hsv(hue, 76, 84);
}

void glow(QPainter& p, const QPainterPath& face, int radius)
{
    softShadow(p, face, QColor(255, 214, 80, 255), QPointF(0, 0), radius);
    softShadow(p, face, QColor(255, 240, 160, 200), QPointF(0, 0), std::max(1, radius / 2));
}

void paintFace(QPainter& p, const QPainterPath& face, int hue, bool hover, int glowRadius)
{
    if (hover)
        glow(p, face, glowRadius);
    else
        softShadow(p, face, QColor(60, 20, 40, 90), QPointF(0, 1.2), 2);
    const QRectF b = face.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, faceTop(hue, hover));
    g.setColorAt(1, faceBottom(hue, hover));
    p.setPen(QPen(hsv(hue, 80, hover ? 70 : 58), 1));
    p.setBrush(g);
    p.drawPath(face);
    gloss(p, face, hover ? 0.6 : 0.45);
    if (hover) {
        p.setPen(QPen(QColor(255, 255, 255, 230), 1.2));
        p.setBrush(Qt::NoBrush);
        const QRectF inner = b.adjusted(1.2, 1.2, -1.2, -1.2);
        const double radius = std::min(inner.width(), inner.height()) * 0.22;
        p.drawRoundedRect(inner, radius, radius);
    }
}

void whiteLabel(QPainter& p, const QString& text, double px, QPointF c, int hue)
{
    outlinedText(p, text, sansFont(px, true), c, QColor(255, 255, 255), hsv(hue, 85, 50, 200), 1.1);
}

void paintTool(QPainter& p, const ButtonPicture& b, bool hover)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    const QPainterPath face = roundedRectPath(r.adjusted(3.5, 3.5, -3.5, -3.5), 11);
    paintFace(p, face, b.hue, hover, 3);
    const QColor ink(255, 255, 255);
    softShadow(
        p,
        [&] {
            QPainterPath s;
            s.addEllipse(QPointF(r.center().x(), 18), 1, 1);
            return s;
        }(),
        QColor(0, 0, 0, 0), QPointF(), 1);
    // Glyph with a faint dark shadow for depth.
    drawGlyph(
        p, b.glyph, QRectF(r.center().x() - 10, 8.5, 20, 20).translated(0.6, 0.9), hsv(b.hue, 80, 45, 120));
    drawGlyph(p, b.glyph, QRectF(r.center().x() - 10, 8.5, 20, 20), ink);
    whiteLabel(p, b.label, 12.5, QPointF(r.center().x(), 38.5), b.hue);
}

void paintShot(QPainter& p, const ButtonPicture& b)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    const QPointF c = r.center();
    QPainterPath ring;
    ring.addEllipse(c, 22.5, 22.5);
    softShadow(p, ring, QColor(0, 0, 0, 120), QPointF(0, 1.5), 2);
    QLinearGradient rg(0, 0, 0, r.height());
    rg.setColorAt(0, QColor(236, 236, 240));
    rg.setColorAt(1, QColor(150, 140, 150));
    p.setPen(QPen(QColor(30, 20, 30), 1));
    p.setBrush(rg);
    p.drawPath(ring);
    QPainterPath face;
    face.addEllipse(c, 19, 19);
    QRadialGradient fg(QPointF(c.x() - 5, c.y() - 7), 26);
    const bool shot = b.style == ButtonStyle::Shot;
    fg.setColorAt(0, shot ? QColor(255, 140, 140) : QColor(140, 230, 150));
    fg.setColorAt(1, shot ? QColor(206, 36, 64) : QColor(36, 150, 80));
    p.setPen(QPen(shot ? QColor(130, 20, 40) : QColor(20, 90, 50), 1));
    p.setBrush(fg);
    p.drawPath(face);
    gloss(p, face, 0.55);
    const int hue = shot ? 350 : 140;
    if (shot) {
        drawGlyph(p, Glyph::Camera, QRectF(c.x() - 9, c.y() - 15, 18, 18), QColor(255, 255, 255));
        whiteLabel(p, b.label, 10.5, QPointF(c.x(), c.y() + 9.5), hue);
    } else {
        drawGlyph(p, Glyph::Play, QRectF(c.x() - 6, c.y() - 15, 12, 12), QColor(255, 255, 255));
        whiteLabel(p, b.label, 12, QPointF(c.x(), c.y() + 7.5), hue);
    }
}

void paintHelp(QPainter& p, const ButtonPicture& b, bool hover)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    const QPainterPath face = roundedRectPath(r.adjusted(3.5, 3.5, -3.5, -3.5), 9);
    paintFace(p, face, b.hue, hover, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(r.center().x(), 15), 7.5, 7.5);
    drawGlyph(p, Glyph::Question, QRectF(r.center().x() - 7, 8, 14, 14), hsv(b.hue, 85, 72));
    whiteLabel(p, b.label, 11, QPointF(r.center().x(), 30), b.hue);
}

void paintPageH(QPainter& p, const ButtonPicture& b, bool hover)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    const QPainterPath face = roundedRectPath(r.adjusted(3.5, 5.5, -3.5, -5.5), 15);
    paintFace(p, face, b.hue, hover, 3);
    const bool left = b.glyph == Glyph::ArrowLeft;
    const double px = 10.5;
    const QFont f = sansFont(px, true);
    const double tw = QFontMetricsF(f).horizontalAdvance(b.label);
    const double total = 9 + 1.5 + tw;
    const double x0 = r.center().x() - total / 2;
    const QColor ink(255, 255, 255);
    if (left) {
        drawGlyph(p, Glyph::ArrowLeft, QRectF(x0, r.center().y() - 4.5, 9, 9), ink);
        whiteLabel(p, b.label, px, QPointF(x0 + 10.5 + tw / 2, r.center().y()), b.hue);
    } else {
        whiteLabel(p, b.label, px, QPointF(x0 + tw / 2, r.center().y()), b.hue);
        drawGlyph(p, Glyph::ArrowRight, QRectF(x0 + tw + 1.5, r.center().y() - 4.5, 9, 9), ink);
    }
}

void paintPageV(QPainter& p, const ButtonPicture& b, bool hover)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    const QPainterPath face = roundedRectPath(r.adjusted(3.5, 3.5, -3.5, -3.5), 10);
    paintFace(p, face, b.hue, hover, 3);
    drawGlyph(p, b.glyph, QRectF(r.center().x() - 7, 9, 14, 14), QColor(255, 255, 255));
    for (int i = 0; i < b.label.size(); ++i)
        whiteLabel(p, b.label.mid(i, 1), 11, QPointF(r.center().x(), 33 + i * 12.5), b.hue);
}

void paintCategory(QPainter& p, const ButtonPicture& b, bool hover)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    const QPainterPath face = roundedRectPath(r.adjusted(2.5, 2.5, -2.5, -2.5), 9);
    if (hover) {
        paintFace(p, face, b.hue, true, 2);
    } else {
        softShadow(p, face, QColor(150, 40, 80, 80), QPointF(0, 1), 2);
        QLinearGradient g(0, 0, 0, r.height());
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, hsv(b.hue, 18, 100));
        p.setPen(QPen(hsv(b.hue, 45, 90), 1.2));
        p.setBrush(g);
        p.drawPath(face);
    }
    const QColor ink = hover ? QColor(255, 255, 255) : hsv(b.hue, 85, 62);
    const double px = b.label.size() > 2 ? 12 : 13;
    const QFont f = sansFont(px, true);
    const double tw = QFontMetricsF(f).horizontalAdvance(b.label);
    const double total = 13 + 2 + tw;
    const double x0 = r.center().x() - total / 2;
    drawGlyph(p, b.glyph, QRectF(x0, r.center().y() - 6.5, 13, 13),
        hover ? QColor(255, 255, 255) : hsv(b.hue, 70, 92));
    if (hover)
        whiteLabel(p, b.label, px, QPointF(x0 + 15 + tw / 2, r.center().y()), b.hue);
    else
        outlinedText(p, b.label, f, QPointF(x0 + 15 + tw / 2, r.center().y()), ink, QColor(), 0);
}

void paintPlacement(QPainter& p, const ButtonPicture& b, bool hover)
{
    const QRectF r(0, 0, b.rect.width(), b.rect.height());
    QPainterPath face;
    face.addEllipse(r.center(), 10.5, 10.5);
    if (hover) {
        paintFace(p, face, b.hue, true, 2);
    } else {
        softShadow(p, face, QColor(0, 0, 0, 120), QPointF(0, 1), 1);
        QLinearGradient g(0, 0, 0, r.height());
        g.setColorAt(0, QColor(255, 250, 252));
        g.setColorAt(1, QColor(236, 214, 226));
        p.setPen(QPen(QColor(50, 20, 40), 1));
        p.setBrush(g);
        p.drawPath(face);
    }
    const QColor ink = hover ? QColor(255, 255, 255) : QColor(120, 44, 84);
    drawGlyph(p, b.glyph, QRectF(r.center().x() - 7, r.center().y() - 7, 14, 14), ink);
}

} // namespace

QImage mainBackground()
{
    QImage img(kMainWidth, kMainHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintBase(p);
    paintHeader(p);
    paintCard(p);
    paintBody(p);
    paintFilm(p);
    paintRow(p);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage messengerIcon(const QImage& background, const QRect& place)
{
    QImage img = background.copy(place).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 1.5, 15, 11), 5, 5);
    QPainterPath tail;
    tail.moveTo(4, 11);
    tail.lineTo(3, 16);
    tail.lineTo(9, 11.5);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    QLinearGradient g(0, 0, 0, 17);
    g.setColorAt(0, QColor(110, 210, 255));
    g.setColorAt(1, QColor(20, 140, 220));
    p.setPen(QPen(QColor(255, 255, 255), 1.1));
    p.setBrush(g);
    p.drawPath(bubble);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(5 + i * 3.5, 7), 1.2, 1.2);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage buttonPicture(const QImage& background, const ButtonPicture& b, bool hover)
{
    if (b.style == ButtonStyle::Messenger)
        return messengerIcon(background, b.rect);
    QImage img = background.copy(b.rect).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (b.style) {
    case ButtonStyle::Tool:
        paintTool(p, b, hover);
        break;
    case ButtonStyle::Shot:
    case ButtonStyle::Continue:
        paintShot(p, b);
        break;
    case ButtonStyle::Help:
        paintHelp(p, b, hover);
        break;
    case ButtonStyle::PageH:
        paintPageH(p, b, hover);
        break;
    case ButtonStyle::PageV:
        paintPageV(p, b, hover);
        break;
    case ButtonStyle::Category:
        paintCategory(p, b, hover);
        break;
    case ButtonStyle::Placement:
        paintPlacement(p, b, hover);
        break;
    case ButtonStyle::Messenger:
        break;
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage mainWindowPreview(const QImage& background, bool hover, const QImage& preview,
    const QList<QImage>& cells, const QList<QImage>& strip)
{
    QImage img = background.convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!preview.isNull())
        p.drawImage(kPreviewArea, preview);
    for (int i = 0; i < std::min<int>(15, static_cast<int>(cells.size())); ++i) {
        p.fillRect(templateCellRect(i), Qt::white);
        p.drawImage(QRectF(templateCellRect(i)), cells[i]);
    }
    for (int i = 0; i < std::min<int>(4, static_cast<int>(strip.size())); ++i)
        p.drawImage(QRectF(stripThumbRect(i)), strip[i]);
    for (const ButtonPicture& b : mainWindowButtons()) {
        if (b.normal == QLatin1String("continue.gif"))
            continue;
        const bool h = hover && !b.hover.isEmpty();
        p.drawImage(b.rect.topLeft(), buttonPicture(background, b, h));
    }
    // The window's own red underline below the banner.
    p.setPen(QPen(QColor(255, 0, 0), 3));
    p.drawLine(QPointF(1080 / 15.0, 555 / 15.0), QPointF(3550 / 15.0, 555 / 15.0));
    p.end();
    return img;
}

} // namespace kf::art
