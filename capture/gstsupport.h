// Process-wide GStreamer set-up shared by the control, its device list and
// its pipeline: initialisation, the optional test camera and loading the
// Grab plugin from beside this library.
#pragma once

#include <string>

namespace capture {

// Initialises GStreamer once (later calls are cheap) and, when the
// environment variable KINFOLIO_TEST_CAMERA is "1", registers the test
// camera's device provider. False when GStreamer could not be initialised.
bool ensureGstreamer();

// True when the test camera was registered in this process.
bool testCameraEnabled();

// Makes the "grab" element factory available: from GST_PLUGIN_PATH or the
// registry when it is already known, else from gstreamer-1.0/libgstgrab.so
// beside the Capture library. Returns false when it cannot be found.
bool ensureGrabPlugin();

// Directory holding the Capture library (empty when it cannot be told).
std::string captureLibraryDir();

} // namespace capture
