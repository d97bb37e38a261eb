#pragma once

#include <QString>

namespace kf {

// The members of the live-camera control that the booth calls, in the
// control's own names. The main window puts the Capture control behind it;
// tests put a fake in.
class Camera {
public:
    virtual ~Camera() = default;
    // Number of video input devices; 0 = no camera. Refreshes the device list.
    virtual int GetDeviceNumber() = 0;
    virtual void SetIsChangeVideoFormat(bool change) = 0;
    virtual void SetVideoFormat(int format) = 0;
    virtual void SelectDevice(int index) = 0;
    // Builds the camera pipeline and starts the live picture; false when a
    // pipeline exists already or the build failed.
    virtual bool Capture() = 0;
    virtual void Run() = 0;
    virtual void Pause() = 0;
    // The camera device's own settings dialog.
    virtual void ShowFilterPropertyPage() = 0;
    // Writes the next frame as a bitmap file at path (processed: with effect
    // and overlay, else as the camera delivered it). False when nothing was
    // written.
    virtual bool Grab(const QString& path, bool processed) = 0;
    // Loads the picture laid over the live video (a PNG with an alpha channel).
    virtual bool SetFore(const QString& path) = 0;
    virtual void SetEnableMergeFore(bool on) = 0;
    virtual bool EnableMergeFore() const = 0;
};

// Camera setup values the booth passes when it opens the camera.
inline constexpr bool kChangeVideoFormat = false;
inline constexpr int kVideoFormatPal = 1;
inline constexpr int kFirstDevice = 0;

} // namespace kf
