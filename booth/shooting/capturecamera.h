#pragma once

#include "camera.h"

namespace capture {
class CaptureCtrl;
}

namespace kf {

// The booth's camera: the Capture control hosted in the main window.
class CaptureCamera : public Camera {
public:
    explicit CaptureCamera(capture::CaptureCtrl& control)
        : c_(control)
    {
    }
    int GetDeviceNumber() override;
    void SetIsChangeVideoFormat(bool change) override;
    void SetVideoFormat(int format) override;
    void SelectDevice(int index) override;
    bool Capture() override;
    void Run() override;
    void Pause() override;
    void ShowFilterPropertyPage() override;
    bool Grab(const QString& path, bool processed) override;
    bool SetFore(const QString& path) override;
    void SetEnableMergeFore(bool on) override;
    bool EnableMergeFore() const override;

private:
    capture::CaptureCtrl& c_;
};

} // namespace kf
