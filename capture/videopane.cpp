#include "videopane.h"

#include <QPainter>

namespace capture {

VideoPane::VideoPane(QWidget* parent)
    : QWidget(parent)
    , core_(std::make_unique<CaptureCore>())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    core_->setFrameSink([this](QImage&& f) { onFrame(std::move(f)); });
}

VideoPane::~VideoPane()
{
    // Stop the stream before the frame slot goes: afterwards no frame can
    // arrive any more.
    core_.reset();
}

void VideoPane::onFrame(QImage&& frame)
{
    {
        std::lock_guard lock(mutex_);
        if (unpainted_)
            ++stats_.replaced;
        frame_ = std::move(frame);
        unpainted_ = true;
        ++stats_.received;
    }
    // At most one repaint waits in the queue; it paints the newest frame.
    if (!updateQueued_.exchange(true))
        QMetaObject::invokeMethod(
            this,
            [this] {
                updateQueued_.store(false);
                update();
            },
            Qt::QueuedConnection);
}

void VideoPane::paintEvent(QPaintEvent*)
{
    QImage frame;
    {
        std::lock_guard lock(mutex_);
        frame = frame_; // shares the pixels, no copy
        if (unpainted_) {
            unpainted_ = false;
            ++stats_.painted;
        }
    }
    QPainter p(this);
    if (frame.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(rect(), frame);
}

PaneStatistics VideoPane::statistics() const
{
    std::lock_guard lock(mutex_);
    return stats_;
}

QImage VideoPane::currentFrame() const
{
    std::lock_guard lock(mutex_);
    return frame_;
}

} // namespace capture
