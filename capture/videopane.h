// The control's video pane: owns the pipeline engine and paints the newest
// frame scaled to its whole area.
#pragma once

#include "capturecore.h"

#include <QImage>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace capture {

// Counters of the frames the pane was handed and painted.
struct PaneStatistics {
    std::uint64_t received = 0; // frames handed to the pane
    std::uint64_t painted = 0; // of those, frames that reached the screen
    std::uint64_t replaced = 0; // frames replaced by a newer one before being painted
};

class VideoPane : public QWidget {
public:
    explicit VideoPane(QWidget* parent = nullptr);
    ~VideoPane() override;

    CaptureCore& core() { return *core_; }
    const CaptureCore& core() const { return *core_; }
    PaneStatistics statistics() const;
    // The frame painted last (null before the first one).
    QImage currentFrame() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void onFrame(QImage&& frame); // streaming thread

    std::unique_ptr<CaptureCore> core_;
    mutable std::mutex mutex_;
    QImage frame_;
    bool unpainted_ = false;
    PaneStatistics stats_;
    std::atomic<bool> updateQueued_ {false};
};

} // namespace capture
