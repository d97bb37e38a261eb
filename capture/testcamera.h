// The test-pattern camera: an in-process device provider that the device
// monitor lists like a real camera ("Test Camera"). Its element is a bin
// with a live, moving test pattern and a colour-balance stage, offering
// several capture formats so that the format ranking has work to do.
#pragma once

#include <gst/gst.h>

namespace capture {

inline constexpr const char* kTestCameraName = "Test Camera";

// Registers the provider with GStreamer (once per process). Returns false
// when registration failed.
bool registerTestCamera();

// The capabilities the test camera announces, in order: YUY2 640x480,
// RGB24 640x480, RGB24 320x240, RGB24 800x600, I420 640x480, all at 30
// frames per second. The caller owns the result.
GstCaps* testCameraCaps();

} // namespace capture
