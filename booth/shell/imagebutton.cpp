#include "imagebutton.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace kf {

ImageButton::ImageButton(const QString& objectName, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

bool ImageButton::loadPicture(const QString& path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    setPicture(QPixmap::fromImage(image));
    return true;
}

void ImageButton::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    if (!fixedSize_ && !picture_.isNull())
        resize(picture_.size());
    update();
}

void ImageButton::setFixedPlace(const QRect& rect)
{
    fixedSize_ = true;
    setGeometry(rect);
}

void ImageButton::setBorder(bool on)
{
    if (border_ == on)
        return;
    border_ = on;
    update();
}

QSize ImageButton::sizeHint() const
{
    return picture_.isNull() ? QSize(16, 16) : picture_.size();
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!picture_.isNull())
        p.drawPixmap(0, 0, picture_);
    if (border_) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    armed_ = event->button() == Qt::LeftButton;
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    // A press counts when the button is let go over the button.
    const bool inside = rect().contains(event->position().toPoint());
    if (armed_ && event->button() == Qt::LeftButton && inside)
        emit pressed();
    armed_ = false;
}

void ImageButton::mouseMoveEvent(QMouseEvent*)
{
    emit pointerMoved();
}

void ImageButton::enterEvent(QEnterEvent*)
{
    emit pointerMoved();
}

FrameShape::FrameShape(const QString& objectName, QWidget* parent, int width)
    : QWidget(parent)
    , width_(width)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void FrameShape::surround(const QRect& target)
{
    setGeometry(target.adjusted(-width_, -width_, width_, width_));
    raise();
    update();
}

void FrameShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    const int w = width_;
    p.drawRect(0, 0, width(), w);
    p.drawRect(0, height() - w, width(), w);
    p.drawRect(0, 0, w, height());
    p.drawRect(width() - w, 0, w, height());
}

} // namespace kf
