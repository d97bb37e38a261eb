#include "imageview.h"

#include "imageio.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kf {

int virtualKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

ImageView::ImageView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ImageView::~ImageView() = default;

QSize ImageView::sizeHint() const
{
    return pic_.isNull() ? QSize(100, 75) : pic_.size();
}

QSize ImageView::displayBox() const
{
    return contentsRect().size();
}

bool ImageView::wantsDisplayCopy(const QString& path) const
{
    if (!fit_)
        return false;
    const QSize box = displayBox();
    if (box.isEmpty())
        return false;
    const QSize size = imageSize(path);
    return size.isValid() && (size.width() > box.width() || size.height() > box.height());
}

bool ImageView::loadDisplayCopy(const QString& path)
{
    if (!pic_.load(path, displayBox()))
        return false;
    displayCopy_ = true;
    copyBox_ = displayBox();
    turns_.clear();
    return true;
}

bool ImageView::ensureWhole() const
{
    if (!displayCopy_)
        return true;
    Picture whole;
    whole.setFont(pic_.font());
    if (!whole.load(file_)) {
        // The file can no longer be read: keep showing the display copy, and
        // let the operation fail rather than work on the small copy.
        error_ = whole.errorString();
        return false;
    }
    for (const Turn& turn : std::as_const(turns_))
        whole.rotate(turn.degrees, turn.fill);
    whole.setPasteArea(pic_.pasteAreaOn(), pic_.pasteArea());
    whole.setMergeOnLoad(pic_.mergeOnLoad());
    pic_ = whole;
    displayCopy_ = false;
    turns_.clear();
    shownDirty_ = true;
    return true;
}

bool ImageView::changed(bool result)
{
    if (result) {
        error_.clear();
        shownDirty_ = true;
        update();
    } else {
        error_ = pic_.errorString();
    }
    return result;
}

bool ImageView::setFile(const QString& path)
{
    if (path.isEmpty()) {
        clear();
        return true;
    }
    // A picture pasted into a display copy would land at the wrong scale.
    if (pic_.pasteAreaOn() && pic_.mergeOnLoad() && !ensureWhole())
        return false;
    bool loaded;
    if (!pic_.pasting() && wantsDisplayCopy(path)) {
        loaded = loadDisplayCopy(path);
    } else {
        loaded = pic_.load(path);
        if (loaded) {
            displayCopy_ = false;
            turns_.clear();
        }
    }
    if (!changed(loaded))
        return false;
    file_ = path;
    return true;
}

void ImageView::clear()
{
    pic_.clear();
    displayCopy_ = false;
    turns_.clear();
    file_.clear();
    error_.clear();
    shownDirty_ = true;
    update();
}

bool ImageView::save()
{
    if (!ensureWhole())
        return false;
    if (!pic_.save(saveName_, saveType_)) {
        error_ = pic_.errorString();
        return false;
    }
    error_.clear();
    return true;
}

int ImageView::imageWidth() const
{
    ensureWhole();
    return pic_.width();
}

int ImageView::imageHeight() const
{
    ensureWhole();
    return pic_.height();
}

const Picture& ImageView::picture() const
{
    ensureWhole();
    return pic_;
}

void ImageView::setPicture(const Picture& picture)
{
    pic_ = picture;
    displayCopy_ = false;
    turns_.clear();
    file_.clear();
    changed(true);
}

bool ImageView::newPicture(int width, int height, int bitsPerPixel, const QColor& colour)
{
    if (!pic_.newPicture(width, height, bitsPerPixel, colour))
        return changed(false);
    displayCopy_ = false;
    turns_.clear();
    file_.clear();
    return changed(true);
}

bool ImageView::scale(int width, int height)
{
    if (!ensureWhole())
        return false;
    return changed(pic_.scale(width, height));
}

bool ImageView::rotate(double degrees, const QColor& fill)
{
    const bool turned = pic_.rotate(degrees, fill);
    if (turned && displayCopy_)
        turns_.append(Turn {degrees, fill});
    return changed(turned);
}

bool ImageView::crop(int left, int top, int width, int height)
{
    if (!ensureWhole())
        return false;
    return changed(pic_.crop(left, top, width, height));
}

void ImageView::setTextFont(
    const QString& name, double sizePoints, bool bold, bool italic, bool strikethrough)
{
    pic_.setFont(name, sizePoints, bold, italic, strikethrough);
}

void ImageView::drawText(int x, int y, const QString& text, const QColor& colour)
{
    if (!ensureWhole())
        return;
    pic_.drawText(x, y, text, colour);
    changed(true);
}

void ImageView::fixText()
{
    pic_.fixText();
    changed(true);
}

void ImageView::flatten()
{
    if (!ensureWhole())
        return;
    pic_.flatten();
    changed(true);
}

bool ImageView::brightness(int value)
{
    if (!ensureWhole())
        return false;
    return changed(pic_.brightness(value));
}

bool ImageView::contrast(int value)
{
    if (!ensureWhole())
        return false;
    return changed(pic_.contrast(value));
}

bool ImageView::colourBalance(int red, int green, int blue)
{
    if (!ensureWhole())
        return false;
    return changed(pic_.colourBalance(red, green, blue));
}

void ImageView::setPasteArea(bool on)
{
    pic_.setPasteArea(on);
}

void ImageView::setPasteArea(bool on, const QRect& area)
{
    pic_.setPasteArea(on, area);
}

void ImageView::setMergeOnLoad(bool on)
{
    pic_.setMergeOnLoad(on);
}

void ImageView::setFit(bool on)
{
    if (fit_ == on)
        return;
    fit_ = on;
    // A display copy is only right when drawn fitted.
    if (!on)
        ensureWhole();
    shownDirty_ = true;
    update();
}

void ImageView::fit()
{
    setFit(true);
    shownDirty_ = true;
    update();
}

void ImageView::setBackColour(const QColor& colour)
{
    back_ = colour;
    update();
}

void ImageView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    shownDirty_ = true;
    if (displayCopy_ && !file_.isEmpty()) {
        // Grown beyond the display copy: decode again at the new size.
        const QSize box = displayBox();
        if (!box.isEmpty() && (box.width() > copyBox_.width() || box.height() > copyBox_.height())) {
            const QList<Turn> turns = turns_;
            if (loadDisplayCopy(file_)) {
                for (const Turn& turn : turns)
                    pic_.rotate(turn.degrees, turn.fill);
                turns_ = turns;
            }
        }
    }
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), back_);
    if (pic_.isNull())
        return;
    const QRect area = contentsRect();
    if (shownDirty_) {
        QImage shown = pic_.shownImage();
        if (fit_ && !area.isEmpty()) {
            const QSize target
                = shown.size().scaled(area.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            if (target != shown.size())
                shown = shown.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        shownCache_ = shown;
        shownDirty_ = false;
    }
    if (fit_) {
        const QSize s = shownCache_.size();
        const QPoint at(
            area.x() + (area.width() - s.width()) / 2, area.y() + (area.height() - s.height()) / 2);
        painter.drawImage(at, shownCache_);
    } else {
        painter.drawImage(area.topLeft(), shownCache_);
    }
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressedLeft_ = true;
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), event->modifiers(), p.x(), p.y());
    event->accept();
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseReleased(event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::LeftButton) {
        const bool click = pressedLeft_ && rect().contains(p);
        pressedLeft_ = false;
        if (click)
            emit clicked();
    }
    event->accept();
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    pressedLeft_ = false;
    emit doubleClicked();
    event->accept();
}

void ImageView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMoved(event->buttons(), event->modifiers(), p.x(), p.y());
    event->accept();
}

void ImageView::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(virtualKeyCode(event->key()), event->modifiers(), event->key());
    event->accept();
}

} // namespace kf
