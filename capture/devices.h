// The video input devices Capture can open, listed through the device
// monitor by friendly name.
#pragma once

#include <gst/gst.h>
#include <optional>
#include <string>
#include <vector>

namespace capture {

// Friendly names of the video sources present now, in a stable order (real
// cameras by device node, the test camera last). nullopt when the device
// monitor could not be created.
std::optional<std::vector<std::string>> listVideoDevices();

// A device opened by friendly name: the first present device whose name
// equals `name` byte for byte and whose source element can be created.
struct OpenedDevice {
    GstDevice* device = nullptr; // owned reference
    GstElement* element = nullptr; // owned reference (not floating)
    std::string name;
};
std::optional<OpenedDevice> openVideoDevice(const std::string& name, const char* elementName);
void releaseOpenedDevice(OpenedDevice& d);

// A name as the device list keeps it: at most 255 bytes, cut at a
// character boundary.
std::string listName(const char* utf8);

// The device node of a V4L2 camera's source element ("" for other sources).
std::string v4l2DevicePath(GstElement* source);

} // namespace capture
