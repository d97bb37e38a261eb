// The video pane's engine: the settings the host stores for the next build,
// the device list, the camera pipeline (camera -> Grab -> frame sink) and
// every operation that reaches the Grab filter. No widgets: the pane hands
// it a frame sink and paints what arrives.
#pragma once

#include "camcontrols.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <gst/gst.h>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace grab {
class IImageGrabber;
}

namespace capture {

// Settings held for the next pipeline build, with their initial values.
struct CaptureSettings {
    std::int32_t CaptureWidth = 640;
    std::int32_t CaptureHeight = 480;
    std::int32_t IsCapture = 0;
    std::int32_t IsChangeVideoFormat = 1;
    std::int32_t VideoFormat = 3;
    std::uint32_t DeviceIndex = 0; // 16-bit value, upper half always 0
    std::vector<std::string> deviceList;
};

// Why a still capture did not write a file.
enum class GrabError { None, NotRunning, NoGrabber, NoFrame, CannotCreateFile, CannotWriteFile };

class CaptureCore {
public:
    // Called on the streaming thread with each frame leaving the pipeline.
    using FrameSink = std::function<void(QImage&&)>;

    CaptureCore();
    ~CaptureCore();
    CaptureCore(const CaptureCore&) = delete;
    CaptureCore& operator=(const CaptureCore&) = delete;

    void setFrameSink(FrameSink sink); // before Capture

    const CaptureSettings& settings() const { return settings_; }

    // Stored settings.
    std::int16_t GetDeviceNumber();
    void SelectDevice(std::int16_t index);
    void SetIsChangeVideoFormat(bool on) { settings_.IsChangeVideoFormat = on ? 1 : 0; }
    void SetVideoFormat(std::int32_t f) { settings_.VideoFormat = f; }
    void SetIsCapture(bool on) { settings_.IsCapture = on ? 1 : 0; }
    void ReSize(std::int16_t width, std::int16_t height);

    // Pipeline.
    bool Capture();
    void Run();
    void Pause();
    void Stop();
    bool hasPipeline() const { return pipeline_ != nullptr; }
    // The pipeline itself, for diagnostics and tests (nullptr before Capture).
    GstElement* pipeline() const { return pipeline_; }
    bool hasCamera() const { return camera_ != nullptr; }
    // The running test: the pipeline exists and reports playing within 10 ms.
    bool isRunning() const;
    bool isPaused() const;
    bool isStopped() const;
    // Caps imposed on the camera by the last build ("" when none).
    std::string cameraCaps() const { return cameraCaps_; }
    std::string deviceName() const { return deviceName_; }
    std::string lastError() const;

    // Camera controls (nullptr without a camera or when it offers none).
    CameraControls* controls();
    bool SetImageProperty(std::int32_t property, std::int32_t value, std::int32_t flags);
    bool GetImageProperty(std::int32_t property, std::int32_t& value, std::int32_t& flags);
    bool GetImagePropertyRange(std::int32_t property, std::int32_t& min, std::int32_t& max,
        std::int32_t& step, std::int32_t& def, std::int32_t& capsFlags);

    // Operations forwarded to the Grab filter while running.
    void SetMergeFore(bool on);
    void SetRGBRange(std::int16_t red, std::int16_t green, std::int16_t blue);
    void SetCbCrRange(std::int16_t cbMin, std::int16_t cbMax, std::int16_t crMin, std::int16_t crMax);
    void SetSpecialEffect(std::int32_t effect);
    void SetBackground(const QString& file);
    void SetMask(const QString& file);
    void GetImageSize(std::int32_t& width, std::int32_t& height, std::int32_t& bitCount);
    void SetIsWipe(bool on);
    void WipeWay(bool isYcb);
    GrabError Grab(const QString& file, bool processed);
    void PixelSample();
    void GetSample(std::int32_t& red, std::int32_t& green, std::int32_t& blue);
    void SetSample(std::int16_t red, std::int16_t green, std::int16_t blue);
    void SetIsTaking(bool on);
    void SetTakingImage(const QString& file, bool mirror);
    bool SetFore(const QString& file);

    // Frames that reached the frame sink since the build.
    std::uint64_t framesDelivered() const { return framesDelivered_.load(); }
    // Still captures and samples waiting for a frame right now.
    int waitingCalls() const { return inFlight_.load(); }

private:
    // Counts a call that may wait for a frame, so that teardown can wait for
    // it to leave.
    struct CallGuard {
        explicit CallGuard(CaptureCore& c)
            : core(c)
        {
            core.inFlight_.fetch_add(1);
        }
        ~CallGuard()
        {
            std::lock_guard lock(core.inFlightMutex_);
            core.inFlight_.fetch_sub(1);
            core.inFlightDone_.notify_all();
        }
        CaptureCore& core;
    };
    bool createPipeline();
    bool addCamera();
    bool addGrabAndRenderer();
    bool connectChain();
    void setState(GstState target);
    bool stateIs(GstState a, GstState b) const;
    grab::IImageGrabber* grabber() const;
    grab::IImageGrabber* runningGrabber() const;
    void tearDown();
    static GstFlowReturn onSample(GstElement* sink, gpointer self);
    static GstBusSyncReply onBusMessage(GstBus*, GstMessage* msg, gpointer self);

    CaptureSettings settings_;
    FrameSink sink_;
    GstElement* pipeline_ = nullptr;
    GstElement* camera_ = nullptr;
    GstDevice* device_ = nullptr;
    GstElement* grab_ = nullptr;
    GstElement* renderer_ = nullptr;
    std::vector<GstElement*> converters_;
    std::string cameraCaps_;
    std::string deviceName_;
    std::string devicePath_;
    std::unique_ptr<CameraControls> controls_;
    bool controlsLoaded_ = false;
    std::atomic<std::uint64_t> framesDelivered_ {0};
    std::atomic<bool> tearingDown_ {false};
    std::atomic<int> inFlight_ {0};
    std::mutex inFlightMutex_;
    std::condition_variable inFlightDone_;
    mutable std::mutex errorMutex_;
    std::string lastError_;
};

// The caps a build imposes on a camera that offers `deviceCaps`, following
// the sub-type ranking, the current-format fallback and, with IsCapture,
// the CaptureWidth x CaptureHeight size. nullptr when nothing is imposed.
// `rgb` receives the sub-type's raw format when the chosen format is one of
// the four RGB types Grab takes, else "".
GstCaps* chooseCameraCaps(const GstCaps* deviceCaps, const CaptureSettings& s, std::string* rgb);

} // namespace capture
