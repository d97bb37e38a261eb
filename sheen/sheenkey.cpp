#include "sheenkey.h"

#include "drawpic.h"
#include "propertybag.h"
#include "tooltip.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace sheen {

int roundHalfEven(long long num, long long den)
{
    long long q = num / den;
    long long r = num % den;
    if (r < 0) { // floor division
        q -= 1;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0))
        q += 1;
    return int(q);
}

SheenKey::SheenKey(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    modToolTip::SetUpToolTip(this, m_userMode);
}

SheenKey::~SheenKey()
{
    modToolTip::TerminateToolTip(this);
}

void SheenKey::changed(const char* name, bool repaint)
{
    if (m_loading)
        return;
    emit propertyChanged(QString::fromLatin1(name));
    if (repaint)
        update();
}

void SheenKey::setPersent(int value)
{
    m_persent = value;
    changed("Persent", true);
}

void SheenKey::setStyle(int value)
{
    m_style = value;
    changed("Style", true);
}

void SheenKey::setImage(const Picture& value)
{
    m_image = value;
    m_imageSize = value.width();
    changed("Image", true);
}

void SheenKey::setImageSize(int value)
{
    m_imageSize = value;
    changed("ImageSize", true);
}

void SheenKey::setBordercolor(const QColor& value)
{
    m_borderColor = value;
    changed("bordercolor", true);
}

void SheenKey::setShadowColor(const QColor& value)
{
    m_shadowColor = value;
    changed("ShadowColor", false);
}

void SheenKey::setColorFnormal(const QColor& value)
{
    m_colorFnormal = value;
    changed("ColorFnormal", true);
}

void SheenKey::setColorFmove(const QColor& value)
{
    m_colorFmove = value;
    changed("ColorFmove", false);
}

void SheenKey::setColorFdown(const QColor& value)
{
    m_colorFdown = value;
    changed("ColorFdown", false);
}

void SheenKey::setCaption(const QString& value)
{
    m_caption = value;
    changed("Caption", true);
}

void SheenKey::setBorderStyleOut(int value)
{
    m_borderStyleOut = value;
    changed("BorderStyleOut", true);
}

void SheenKey::setBorderStyleMove(int value)
{
    m_borderStyleMove = value;
    changed("BorderStyleMove", false);
}

void SheenKey::setBorderStyleDown(int value)
{
    m_borderStyleDown = value;
    changed("BorderStyleDown", false);
}

void SheenKey::setKeys(const QString& value)
{
    m_keys = value;
    grabKeys();
    changed("Keys", false);
}

void SheenKey::setTipText(const QString& value)
{
    m_tipText = value;
    changed("TipText", false);
}

void SheenKey::setPicNormal(const Picture& value)
{
    m_picNormal = value;
    changed("PicNormal", true);
}

void SheenKey::setPicMove(const Picture& value)
{
    m_picMove = value;
    changed("PicMove", true);
}

void SheenKey::setPicDown(const Picture& value)
{
    m_picDown = value;
    changed("PicDown", true);
}

void SheenKey::grabKeys()
{
    for (int id : std::as_const(m_shortcutIds))
        releaseShortcut(id);
    m_shortcutIds.clear();
    QList<char32_t> seen;
    for (char32_t ch : m_keys.toUpper().toUcs4()) {
        if (ch <= U' ' || seen.contains(ch))
            continue;
        seen.append(ch);
        m_shortcutIds.append(grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(ch)))));
    }
}

DrawPic& SheenKey::drawer()
{
    if (!m_drawer)
        m_drawer = std::make_unique<DrawPic>();
    return *m_drawer;
}

QFont SheenKey::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void SheenKey::setUserMode(bool runMode)
{
    if (runMode == m_userMode)
        return;
    m_userMode = runMode;
    if (runMode)
        modToolTip::SetUpToolTip(this, true);
    else
        modToolTip::UnhookWindow(this);
}

void SheenKey::LayoutParts()
{
    const int w = width();
    const int h = height();
    m_wholeRect = {0, 0, w, h};
    if (m_style == 1) {
        const int split = roundHalfEven(qint64(h) * m_persent, 100);
        m_iconRect = {0, 0, w, split};
        m_captionRect = {0, split, w, h};
    } else {
        const int split = roundHalfEven(qint64(w) * m_persent, 100);
        m_iconRect = {0, 0, split, h};
        m_captionRect = {split, 0, w, h};
    }
    if (m_image.isNull())
        return;
    m_imageWidthPx = m_image.width();
    m_imageHeightPx = m_image.height();
    int boxWidth = 0;
    int boxHeight = 0;
    if (m_image.type() == Picture::Bitmap) {
        boxWidth = boxHeight = m_imageSize;
    } else if (m_image.type() == Picture::Icon) {
        boxWidth = m_imageWidthPx;
        boxHeight = m_imageHeightPx;
    } else {
        return;
    }
    m_imageRect.left = roundHalfEven(qint64(m_iconRect.right) - boxWidth, 2);
    m_imageRect.top = roundHalfEven(qint64(m_iconRect.bottom) - boxHeight, 2);
    m_imageRect.right = m_imageRect.left + boxWidth;
    m_imageRect.bottom = m_imageRect.top + boxHeight;
}

SheenKey::Look SheenKey::compose(int Status_botton, int Status_border)
{
    Look look;
    const Picture* background = nullptr;
    switch (Status_botton) {
    case Normal:
    case Disabled:
        background = &m_picNormal;
        look.captionColor = m_colorFnormal;
        break;
    case Hover:
        background = &m_picMove;
        look.captionColor = m_colorFmove;
        break;
    case Pressed:
        background = &m_picDown;
        look.captionColor = m_colorFdown;
        break;
    default:
        look.captionColor = Qt::black;
        break;
    }
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return look;
    look.surface = QImage(w, h, QImage::Format_RGB32);
    // The ground is light grey in every look; a background picture that does
    // not cover the button (an icon, transparent parts) shows it around it.
    look.surface.fill(kBackground);
    QPainter painter(&look.surface);
    DrawPic& draw = drawer();
    if (background && !background->isNull())
        draw.drawPic(painter, *background, 0, 0, w, h, background->width(), background->height());
    if (!m_image.isNull()) {
        const SheenRect& r = m_imageRect;
        const int rw = r.right - r.left;
        const int rh = r.bottom - r.top;
        switch (Status_botton) {
        case Normal:
        case Pressed:
            draw.drawPic(painter, m_image, r.top, r.left, rw, rh, m_imageWidthPx, m_imageHeightPx);
            break;
        case Hover:
            // Lifted: the shadow in place, the picture one pixel up and left.
            draw.DrawShadowPic(
                painter, m_image, r.top, r.left, rw, rh, m_imageWidthPx, m_imageHeightPx, m_shadowColor);
            draw.drawPic(painter, m_image, r.top - 1, r.left - 1, rw, rh, m_imageWidthPx, m_imageHeightPx);
            break;
        case Disabled:
            draw.DrawDisabledPic(
                painter, m_image, r.top - 1, r.left - 1, rw, rh, m_imageWidthPx, m_imageHeightPx);
            break;
        default:
            break;
        }
    }
    drawBorder(painter, Status_border);
    return look;
}

void SheenKey::drawBorder(QPainter& painter, int Status_border)
{
    auto frame = [&](const SheenRect& r) {
        const QRect q = r.toQRect();
        if (q.width() <= 0 || q.height() <= 0)
            return;
        painter.fillRect(QRect(q.left(), q.top(), q.width(), 1), m_borderColor);
        painter.fillRect(QRect(q.left(), r.bottom - 1, q.width(), 1), m_borderColor);
        painter.fillRect(QRect(q.left(), q.top(), 1, q.height()), m_borderColor);
        painter.fillRect(QRect(r.right - 1, q.top(), 1, q.height()), m_borderColor);
    };
    switch (Status_border) {
    case Flat:
        frame(m_wholeRect);
        break;
    case Raised:
    case Sunken:
        softEdge(painter, m_wholeRect, Status_border == Raised);
        break;
    case RaisedAndFlat:
    case SunkenAndFlat:
        frame(m_captionRect);
        softEdge(painter, m_iconRect, Status_border == RaisedAndFlat);
        break;
    default:
        break;
    }
}

// A one-pixel soft edge: raised is light above and left, dark below and
// right; sunken the other way round. The dark side owns the corners it meets.
void SheenKey::softEdge(QPainter& painter, const SheenRect& r, bool raised)
{
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return;
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Shadow);
    const QColor& topLeft = raised ? light : dark;
    const QColor& bottomRight = raised ? dark : light;
    painter.fillRect(QRect(r.left, r.top, w - 1, 1), topLeft);
    painter.fillRect(QRect(r.left, r.top, 1, h - 1), topLeft);
    painter.fillRect(QRect(r.left, r.bottom - 1, w, 1), bottomRight);
    painter.fillRect(QRect(r.right - 1, r.top, 1, h), bottomRight);
}

void SheenKey::paintLook(QPainter& painter, const Look& look)
{
    if (look.surface.isNull())
        return;
    painter.drawImage(QPoint(0, 0), look.surface);
    painter.setPen(look.captionColor);
    painter.setFont(font());
    painter.drawText(m_captionRect.toQRect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

void SheenKey::drawbotton(int Status_botton, int Status_border)
{
    const Look look = compose(Status_botton, Status_border);
    emit drawn(Status_botton, Status_border);
    m_shown = &look;
    repaint();
    m_shown = nullptr;
}

QImage SheenKey::renderLook(int Status_botton, int Status_border)
{
    const Look look = compose(Status_botton, Status_border);
    QImage image = look.surface;
    if (!image.isNull()) {
        QPainter painter(&image);
        paintLook(painter, look);
    }
    return image;
}

void SheenKey::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_shown) {
        paintLook(painter, *m_shown);
        return;
    }
    // A paint of the platform's always shows the resting look.
    LayoutParts();
    const int status = isEnabled() ? Normal : Disabled;
    const Look look = compose(status, m_borderStyleOut);
    emit drawn(status, m_borderStyleOut);
    paintLook(painter, look);
}

void SheenKey::resizeEvent(QResizeEvent*)
{
    LayoutParts();
}

bool SheenKey::inside(QPoint pos) const
{
    return pos.x() >= 0 && pos.x() <= width() && pos.y() >= 0 && pos.y() <= height();
}

void SheenKey::mouseMoveEvent(QMouseEvent* event)
{
    if (inside(event->position().toPoint())) {
        if (!m_hovering) {
            drawbotton(Hover, m_borderStyleMove);
            m_hovering = true;
        }
        m_tracking = true;
    } else if (m_tracking) {
        drawbotton(Normal, m_borderStyleOut);
        m_tracking = false;
        m_hovering = false;
    }
}

void SheenKey::leaveEvent(QEvent*)
{
    // The pointer has gone without a move outside reaching the button.
    if (m_tracking || m_hovering) {
        drawbotton(Normal, m_borderStyleOut);
        m_tracking = false;
        m_hovering = false;
    }
}

void SheenKey::mousePressEvent(QMouseEvent*)
{
    m_secondOfDoubleClick = false;
    drawbotton(Pressed, m_borderStyleDown);
}

void SheenKey::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click looks pressed but raises no second
    // Click when it is released.
    m_secondOfDoubleClick = true;
    drawbotton(Pressed, m_borderStyleDown);
}

void SheenKey::mouseReleaseEvent(QMouseEvent* event)
{
    if (!inside(event->position().toPoint())) {
        // Released after the pointer was dragged off: no click, and the
        // button rests in its normal look rather than a stale hover look.
        drawbotton(Normal, m_borderStyleOut);
        m_tracking = false;
        m_hovering = false;
        return;
    }
    drawbotton(Hover, m_borderStyleMove);
    if (event->button() == Qt::LeftButton && !m_secondOfDoubleClick)
        emit Click();
    m_secondOfDoubleClick = false;
}

void SheenKey::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_hovering = false;
        m_tracking = false;
        changed("Enabled", true);
    } else if (event->type() == QEvent::FontChange) {
        changed("Font", true);
    }
    QWidget::changeEvent(event);
}

bool SheenKey::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (m_shortcutIds.contains(shortcut->shortcutId())) {
            if (isEnabled())
                emit Click();
            return true;
        }
    }
    return QWidget::event(event);
}

void SheenKey::saveProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("Persent"), m_persent, kDefaultPersent);
    bag.write(QStringLiteral("Style"), m_style, 0);
    bag.write(QStringLiteral("Image"), QVariant::fromValue(m_image), QVariant::fromValue(Picture()));
    bag.write(QStringLiteral("ImageSize"), m_imageSize, 0);
    bag.write(QStringLiteral("BorderColor"), m_borderColor, QColor(Qt::black));
    bag.write(QStringLiteral("ShadowColor"), m_shadowColor, QColor(Qt::black));
    bag.write(QStringLiteral("ColorFnormal"), m_colorFnormal, QColor(Qt::black));
    bag.write(QStringLiteral("ColorFmove"), m_colorFmove, QColor(Qt::black));
    bag.write(QStringLiteral("ColorFdown"), m_colorFdown, QColor(Qt::black));
    bag.write(QStringLiteral("Caption"), m_caption, QString());
    bag.write(QStringLiteral("BorderStyleOut"), m_borderStyleOut, int(NoBorder));
    bag.write(QStringLiteral("BorderStyleMove"), m_borderStyleMove, kDefaultBorderStyleMove);
    bag.write(QStringLiteral("BorderStyleDown"), m_borderStyleDown, kDefaultBorderStyleDown);
    bag.write(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write(QStringLiteral("Font"), font(), ambientFont());
    bag.write(QStringLiteral("Keys"), m_keys, QString());
    bag.write(QStringLiteral("TipText"), m_tipText, QStringLiteral("0"));
    bag.write(QStringLiteral("PicNormal"), QVariant::fromValue(m_picNormal), QVariant::fromValue(Picture()));
    bag.write(QStringLiteral("PicMove"), QVariant::fromValue(m_picMove), QVariant::fromValue(Picture()));
    bag.write(QStringLiteral("PicDown"), QVariant::fromValue(m_picDown), QVariant::fromValue(Picture()));
}

void SheenKey::loadProperties(const PropertyBag& bag)
{
    const QVariant noPicture = QVariant::fromValue(Picture());
    auto picture
        = [&](const char* name) { return bag.read(QString::fromLatin1(name), noPicture).value<Picture>(); };
    m_loading = true;
    m_persent = bag.read(QStringLiteral("Persent"), kDefaultPersent).toInt();
    m_style = bag.read(QStringLiteral("Style"), 0).toInt();
    setImage(picture("Image"));
    m_imageSize = bag.read(QStringLiteral("ImageSize"), 0).toInt();
    m_borderColor = bag.read(QStringLiteral("BorderColor"), QColor(Qt::black)).value<QColor>();
    m_shadowColor = bag.read(QStringLiteral("ShadowColor"), QColor(Qt::black)).value<QColor>();
    m_colorFnormal = bag.read(QStringLiteral("ColorFnormal"), QColor(Qt::black)).value<QColor>();
    m_colorFmove = bag.read(QStringLiteral("ColorFmove"), QColor(Qt::black)).value<QColor>();
    m_colorFdown = bag.read(QStringLiteral("ColorFdown"), QColor(Qt::black)).value<QColor>();
    m_caption = bag.read(QStringLiteral("Caption"), QString()).toString();
    m_borderStyleOut = bag.read(QStringLiteral("BorderStyleOut"), int(NoBorder)).toInt();
    m_borderStyleMove = bag.read(QStringLiteral("BorderStyleMove"), kDefaultBorderStyleMove).toInt();
    m_borderStyleDown = bag.read(QStringLiteral("BorderStyleDown"), kDefaultBorderStyleDown).toInt();
    setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    const QFont ambient = ambientFont();
    const QFont stored = bag.read(QStringLiteral("Font"), ambient).value<QFont>();
    if (stored != font())
        setFont(stored);
    setKeys(bag.read(QStringLiteral("Keys"), QString()).toString());
    m_tipText = bag.read(QStringLiteral("TipText"), QStringLiteral("0")).toString();
    m_picNormal = picture("PicNormal");
    m_picMove = picture("PicMove");
    m_picDown = picture("PicDown");
    m_loading = false;
    modToolTip::SetUpToolTip(this, m_userMode);
    update();
}

} // namespace sheen
