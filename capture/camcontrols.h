// A camera's own adjustable controls (brightness, contrast, ...), reached
// through the device node's V4L2 controls for V4L2 cameras and through the
// colour-balance interface for every other source (the test camera among
// them). The settings dialog and the image-property members sit on top.
#pragma once

#include <cstdint>
#include <gst/gst.h>
#include <memory>
#include <string>
#include <vector>

namespace capture {

// Video processing amplifier property numbers the host uses.
enum ProcAmpProperty : std::int32_t {
    ProcAmp_Brightness = 0,
    ProcAmp_Contrast = 1,
    ProcAmp_Hue = 2,
    ProcAmp_Saturation = 3,
    ProcAmp_Sharpness = 4,
    ProcAmp_Gamma = 5,
    ProcAmp_ColorEnable = 6,
    ProcAmp_WhiteBalance = 7,
    ProcAmp_BacklightCompensation = 8,
    ProcAmp_Gain = 9,
};
// Video processing amplifier flags.
enum ProcAmpFlags : std::int32_t { ProcAmpFlag_Auto = 0x1, ProcAmpFlag_Manual = 0x2 };

struct CameraControl {
    enum class Kind { Integer, Boolean, Menu };
    std::uint32_t id = 0; // the backend's own id
    int procAmp = -1; // ProcAmpProperty, or -1
    std::string name; // the device's name for it
    Kind kind = Kind::Integer;
    std::int32_t minimum = 0, maximum = 0, step = 1, defaultValue = 0;
    std::vector<std::pair<std::int32_t, std::string>> menu; // Menu: value, label
    bool hasAuto = false; // an automatic mode can be switched on
};

class CameraControls {
public:
    virtual ~CameraControls() = default;
    virtual const std::vector<CameraControl>& controls() const = 0;
    virtual bool get(const CameraControl& c, std::int32_t& value) = 0;
    virtual bool set(const CameraControl& c, std::int32_t value) = 0;
    virtual bool getAuto(const CameraControl&, bool& on)
    {
        (void)on;
        return false;
    }
    virtual bool setAuto(const CameraControl&, bool) { return false; }

    const CameraControl* byProcAmp(std::int32_t property) const;
};

// Controls of a camera's source element; nullptr when it offers none.
// `devicePath` is the V4L2 device node ("" for other sources).
std::unique_ptr<CameraControls> cameraControlsFor(GstElement* source, const std::string& devicePath);

// Analogue video standards a V4L2 device supports, as a bit set of
// AnalogStandard values; 0 when it has no analogue decoder.
std::uint32_t v4l2AvailableStandards(const std::string& devicePath);

// The proc-amp property a colour-balance channel label stands for, or -1.
int procAmpOfLabel(const std::string& label);

} // namespace capture
