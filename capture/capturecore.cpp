#include "capturecore.h"

#include "bitmapfile.h"
#include "devices.h"
#include "formats.h"
#include "gstsupport.h"

#include <QFile>
#include <chrono>
#include <cstring>
#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

namespace capture {

namespace {

constexpr GstClockTime kStateTimeout = 10 * GST_MSECOND;

// Every capability of a caps set, one per format where a structure lists
// several.
std::vector<GstStructure*> expandCapabilities(const GstCaps* caps)
{
    std::vector<GstStructure*> out;
    if (!caps || gst_caps_is_any(caps))
        return out;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        const GValue* format = gst_structure_get_value(s, "format");
        if (format && GST_VALUE_HOLDS_LIST(format)) {
            for (guint j = 0; j < gst_value_list_get_size(format); ++j) {
                GstStructure* c = gst_structure_copy(s);
                gst_structure_set_value(c, "format", gst_value_list_get_value(format, j));
                out.push_back(c);
            }
        } else {
            out.push_back(gst_structure_copy(s));
        }
    }
    return out;
}

Subtype subtypeOfStructure(const GstStructure* s)
{
    const char* format = gst_structure_get_string(s, "format");
    return subtypeOf(gst_structure_get_name(s), format ? format : "");
}

GstCaps* capsOf(const GstStructure* s)
{
    GstCaps* c = gst_caps_new_empty();
    gst_caps_append_structure(c, gst_structure_copy(s));
    return c;
}

std::string toString(const GstCaps* caps)
{
    if (!caps)
        return {};
    gchar* t = gst_caps_to_string(caps);
    std::string s = t;
    g_free(t);
    return s;
}

} // namespace

GstCaps* chooseCameraCaps(const GstCaps* deviceCaps, const CaptureSettings& s, std::string* rgb)
{
    std::vector<GstStructure*> all = expandCapabilities(deviceCaps);
    std::vector<Capability> ranked;
    for (auto* st : all)
        ranked.push_back({subtypeOfStructure(st), true});
    const int index = chooseCapability(ranked);
    GstCaps* chosen = nullptr;
    if (index >= 0)
        chosen = capsOf(all[static_cast<std::size_t>(index)]);
    else if (!all.empty())
        chosen = capsOf(all.front()); // the device's own (first-listed) format
    for (auto* st : all)
        gst_structure_free(st);
    if (rgb)
        *rgb = index >= 0 ? rawFormatOf(ranked[static_cast<std::size_t>(index)].subtype) : "";
    if (!chosen || !s.IsCapture)
        return chosen;
    // Impose the capture size. A camera that cannot deliver it keeps the
    // chosen format at its own size.
    GstCaps* sized = gst_caps_copy(chosen);
    gst_caps_set_simple(
        sized, "width", G_TYPE_INT, s.CaptureWidth, "height", G_TYPE_INT, s.CaptureHeight, nullptr);
    if (deviceCaps && gst_caps_can_intersect(sized, deviceCaps)) {
        gst_caps_unref(chosen);
        return sized;
    }
    gst_caps_unref(sized);
    return chosen;
}

CaptureCore::CaptureCore()
{
    ensureGstreamer();
}

CaptureCore::~CaptureCore()
{
    tearDown();
}

void CaptureCore::setFrameSink(FrameSink sink)
{
    sink_ = std::move(sink);
}

std::int16_t CaptureCore::GetDeviceNumber()
{
    // The list is made afresh at every call: a camera is counted once.
    auto names = listVideoDevices();
    if (!names)
        return 0;
    settings_.deviceList = std::move(*names);
    return static_cast<std::int16_t>(std::min<std::size_t>(settings_.deviceList.size(), 0x7FFF));
}

void CaptureCore::SelectDevice(std::int16_t index)
{
    settings_.DeviceIndex = static_cast<std::uint16_t>(index);
}

void CaptureCore::ReSize(std::int16_t width, std::int16_t height)
{
    settings_.CaptureWidth = width;
    settings_.CaptureHeight = height;
}

std::string CaptureCore::lastError() const
{
    std::lock_guard lock(errorMutex_);
    return lastError_;
}

// ---- build ----

bool CaptureCore::Capture()
{
    if (pipeline_)
        return false;
    if (!createPipeline() || !addCamera() || !addGrabAndRenderer() || !connectChain())
        return false;
    Run();
    return true;
}

bool CaptureCore::createPipeline()
{
    if (!ensureGstreamer())
        return false;
    pipeline_ = gst_pipeline_new("FilterGraph");
    if (!pipeline_)
        return false;
    gst_object_ref_sink(pipeline_);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, &CaptureCore::onBusMessage, this, nullptr);
    gst_object_unref(bus);
    return true;
}

GstBusSyncReply CaptureCore::onBusMessage(GstBus*, GstMessage* msg, gpointer self)
{
    if (GST_MESSAGE_TYPE(msg) == GST_MESSAGE_ERROR) {
        GError* err = nullptr;
        gst_message_parse_error(msg, &err, nullptr);
        auto* core = static_cast<CaptureCore*>(self);
        std::lock_guard lock(core->errorMutex_);
        core->lastError_ = err ? err->message : "error";
        if (err)
            g_error_free(err);
    }
    // Nobody reads the bus: dropping here keeps messages from piling up.
    gst_message_unref(msg);
    return GST_BUS_DROP;
}

bool CaptureCore::addCamera()
{
    // An index past the list names no device (not a device without a name).
    if (settings_.DeviceIndex >= settings_.deviceList.size())
        return false;
    auto opened = openVideoDevice(settings_.deviceList[settings_.DeviceIndex], "Source Filter");
    if (!opened)
        return false;
    camera_ = opened->element;
    device_ = opened->device;
    deviceName_ = opened->name;
    devicePath_ = v4l2DevicePath(camera_);

    if (settings_.IsChangeVideoFormat) {
        // Only a device with an analogue decoder has standards to choose.
        const std::uint32_t available = v4l2AvailableStandards(devicePath_);
        if (!available || !g_object_class_find_property(G_OBJECT_GET_CLASS(camera_), "norm"))
            return false;
        const AnalogStandard std = chooseStandard(settings_.VideoFormat, available);
        if (std != AnalogStandard::None)
            g_object_set(camera_, "norm", static_cast<gint>(v4l2StandardOf(std)), nullptr);
    }
    // The bin takes a reference of its own; camera_ keeps ours.
    return gst_bin_add(GST_BIN(pipeline_), camera_);
}

bool CaptureCore::addGrabAndRenderer()
{
    if (!ensureGrabPlugin())
        return false;
    grab_ = gst_element_factory_make("grab", "Grab Filter");
    if (!grab_)
        return false;
    gst_object_ref_sink(grab_);
    if (!gst_bin_add(GST_BIN(pipeline_), grab_))
        return false;
    renderer_ = gst_element_factory_make("appsink", "Video Senderer");
    if (renderer_) {
        gst_object_ref_sink(renderer_);
        GstCaps* caps = gst_caps_from_string("video/x-raw, format={BGR, BGRx, RGB16, RGB15}");
        g_object_set(renderer_, "caps", caps, "sync", FALSE, "max-buffers", 1, "drop", TRUE,
            "enable-last-sample", FALSE, "qos", FALSE, nullptr);
        gst_caps_unref(caps);
        GstAppSinkCallbacks callbacks {};
        callbacks.new_sample = [](GstAppSink* s, gpointer self) { return onSample(GST_ELEMENT(s), self); };
        gst_app_sink_set_callbacks(GST_APP_SINK(renderer_), &callbacks, this, nullptr);
        gst_bin_add(GST_BIN(pipeline_), renderer_);
    }
    return true;
}

bool CaptureCore::connectChain()
{
    if (!pipeline_ || !camera_ || !grab_ || !renderer_
        || !gst_object_has_as_parent(GST_OBJECT(renderer_), GST_OBJECT(pipeline_)))
        return false;
    GstPad* camOut = gst_element_get_static_pad(camera_, "src");
    GstPad* grabIn = gst_element_get_static_pad(grab_, "sink");
    const bool inputs = camOut && grabIn && !gst_pad_is_linked(grabIn);
    if (camOut)
        gst_object_unref(camOut);
    if (grabIn)
        gst_object_unref(grabIn);
    if (!inputs)
        return false;

    // Camera format, a decoder for compressed cameras, the converter that
    // hands Grab one of its RGB types (the camera's own when it is one).
    GstCaps* deviceCaps = device_ ? gst_device_get_caps(device_) : nullptr;
    std::string rgb;
    GstCaps* camCaps = chooseCameraCaps(deviceCaps, settings_, &rgb);
    if (deviceCaps)
        gst_caps_unref(deviceCaps);
    cameraCaps_ = toString(camCaps);
    std::vector<GstElement*> chain {camera_};
    auto add = [&](const char* factory, const char* name) -> GstElement* {
        GstElement* e = gst_element_factory_make(factory, name);
        if (!e)
            return nullptr;
        gst_bin_add(GST_BIN(pipeline_), e);
        converters_.push_back(GST_ELEMENT(gst_object_ref(e)));
        chain.push_back(e);
        return e;
    };
    if (camCaps) {
        if (GstElement* f = add("capsfilter", "Camera Format"))
            g_object_set(f, "caps", camCaps, nullptr);
        const bool jpeg = gst_structure_has_name(gst_caps_get_structure(camCaps, 0), "image/jpeg");
        gst_caps_unref(camCaps);
        if (jpeg)
            add("jpegdec", "Decoder");
    }
    add("videoconvert", "Converter");
    if (GstElement* f = add("capsfilter", "Grab Format")) {
        GstCaps* c = gst_caps_new_simple(
            "video/x-raw", "format", G_TYPE_STRING, rgb.empty() ? "BGR" : rgb.c_str(), nullptr);
        g_object_set(f, "caps", c, nullptr);
        gst_caps_unref(c);
    }
    chain.push_back(grab_);
    // Link results are not part of the build's result: a chain that failed to
    // connect still counts as built and shows no picture.
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        gst_element_link(chain[i], chain[i + 1]);

    GstPad* grabOut = gst_element_get_static_pad(grab_, "src");
    GstPad* rendIn = gst_element_get_static_pad(renderer_, "sink");
    const bool outputs = grabOut && rendIn && !gst_pad_is_linked(grabOut) && !gst_pad_is_linked(rendIn);
    if (outputs)
        gst_pad_link(grabOut, rendIn);
    if (grabOut)
        gst_object_unref(grabOut);
    if (rendIn)
        gst_object_unref(rendIn);
    return outputs;
}

GstFlowReturn CaptureCore::onSample(GstElement* element, gpointer self)
{
    auto* core = static_cast<CaptureCore*>(self);
    GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(element));
    if (!sample)
        return GST_FLOW_OK;
    GstVideoInfo info;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstCaps* caps = gst_sample_get_caps(sample);
    if (buffer && caps && gst_video_info_from_caps(&info, caps)) {
        QImage::Format fmt = QImage::Format_Invalid;
        switch (GST_VIDEO_INFO_FORMAT(&info)) {
        case GST_VIDEO_FORMAT_BGR:
            fmt = QImage::Format_BGR888;
            break;
        case GST_VIDEO_FORMAT_BGRx:
            fmt = QImage::Format_RGB32;
            break;
        case GST_VIDEO_FORMAT_RGB16:
            fmt = QImage::Format_RGB16;
            break;
        case GST_VIDEO_FORMAT_RGB15:
            fmt = QImage::Format_RGB555;
            break;
        default:
            break;
        }
        GstVideoFrame frame;
        if (fmt != QImage::Format_Invalid && gst_video_frame_map(&frame, &info, buffer, GST_MAP_READ)) {
            // The one copy a frame gets on its way to the screen; it lets the
            // buffer return to its pool at once.
            QImage image(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info), fmt);
            const auto* src = static_cast<const std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0));
            const int srcStride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
            const qsizetype dstStride = image.bytesPerLine();
            if (!image.isNull()) {
                if (srcStride == dstStride) {
                    std::memcpy(image.bits(), src, static_cast<std::size_t>(dstStride) * image.height());
                } else {
                    const auto row = std::min<qsizetype>(dstStride, srcStride);
                    for (int y = 0; y < image.height(); ++y)
                        std::memcpy(image.scanLine(y), src + static_cast<qsizetype>(y) * srcStride,
                            static_cast<std::size_t>(row));
                }
            }
            gst_video_frame_unmap(&frame);
            core->framesDelivered_.fetch_add(1);
            if (core->sink_ && !image.isNull())
                core->sink_(std::move(image));
        }
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

// ---- run, pause, stop ----

void CaptureCore::setState(GstState target)
{
    if (!pipeline_)
        return;
    GstState current = GST_STATE_VOID_PENDING, pending = GST_STATE_VOID_PENDING;
    gst_element_get_state(pipeline_, &current, &pending, 0);
    const GstState effective = pending != GST_STATE_VOID_PENDING ? pending : current;
    if (effective == target)
        return;
    gst_element_set_state(pipeline_, target);
}

void CaptureCore::Run()
{
    setState(GST_STATE_PLAYING);
}

void CaptureCore::Pause()
{
    setState(GST_STATE_PAUSED);
}

void CaptureCore::Stop()
{
    setState(GST_STATE_READY);
}

bool CaptureCore::stateIs(GstState a, GstState b) const
{
    if (!pipeline_ || tearingDown_.load())
        return false;
    GstState current = GST_STATE_VOID_PENDING, pending = GST_STATE_VOID_PENDING;
    const GstStateChangeReturn r = gst_element_get_state(pipeline_, &current, &pending, kStateTimeout);
    if (r == GST_STATE_CHANGE_FAILURE || r == GST_STATE_CHANGE_ASYNC)
        return false;
    return current == a || current == b;
}

bool CaptureCore::isRunning() const
{
    return stateIs(GST_STATE_PLAYING, GST_STATE_PLAYING);
}

bool CaptureCore::isPaused() const
{
    return stateIs(GST_STATE_PAUSED, GST_STATE_PAUSED);
}

bool CaptureCore::isStopped() const
{
    return stateIs(GST_STATE_READY, GST_STATE_NULL);
}

// ---- teardown ----

void CaptureCore::tearDown()
{
    tearingDown_.store(true);
    if (pipeline_) {
        // Leaving the playing state releases a still capture that waits for a
        // frame; it then finds the pipeline going and gives up.
        gst_element_set_state(pipeline_, GST_STATE_NULL);
    }
    {
        std::unique_lock lock(inFlightMutex_);
        inFlightDone_.wait(lock, [this] { return inFlight_.load() == 0; });
    }
    controls_.reset();
    if (pipeline_) {
        GstBin* bin = GST_BIN(pipeline_);
        for (GstElement* e : {grab_, renderer_})
            if (e && gst_object_has_as_parent(GST_OBJECT(e), GST_OBJECT(pipeline_)))
                gst_bin_remove(bin, e);
        for (GstElement* e : converters_)
            if (gst_object_has_as_parent(GST_OBJECT(e), GST_OBJECT(pipeline_)))
                gst_bin_remove(bin, e);
        if (camera_ && gst_object_has_as_parent(GST_OBJECT(camera_), GST_OBJECT(pipeline_)))
            gst_bin_remove(bin, camera_);
    }
    for (GstElement* e : converters_)
        gst_object_unref(e);
    converters_.clear();
    for (GstElement** e : {&grab_, &renderer_, &camera_}) {
        if (*e) {
            gst_element_set_state(*e, GST_STATE_NULL);
            gst_object_unref(*e);
            *e = nullptr;
        }
    }
    if (device_) {
        gst_object_unref(device_);
        device_ = nullptr;
    }
    if (pipeline_) {
        GstBus* bus = gst_element_get_bus(pipeline_);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(pipeline_);
        pipeline_ = nullptr;
    }
}

// ---- camera controls ----

CameraControls* CaptureCore::controls()
{
    if (!camera_)
        return nullptr;
    if (!controlsLoaded_) {
        controls_ = cameraControlsFor(camera_, devicePath_);
        controlsLoaded_ = true;
    }
    return controls_.get();
}

bool CaptureCore::SetImageProperty(std::int32_t property, std::int32_t value, std::int32_t flags)
{
    CameraControls* c = controls();
    const CameraControl* ctl = c ? c->byProcAmp(property) : nullptr;
    if (!ctl)
        return true;
    if (ctl->hasAuto)
        c->setAuto(*ctl, (flags & ProcAmpFlag_Auto) != 0);
    if (!(flags & ProcAmpFlag_Auto) || !ctl->hasAuto)
        c->set(*ctl, value);
    return true;
}

bool CaptureCore::GetImageProperty(std::int32_t property, std::int32_t& value, std::int32_t& flags)
{
    CameraControls* c = controls();
    const CameraControl* ctl = c ? c->byProcAmp(property) : nullptr;
    std::int32_t v = 0;
    if (!ctl || !c->get(*ctl, v))
        return true;
    bool on = false;
    value = v;
    flags = ctl->hasAuto && c->getAuto(*ctl, on) && on ? ProcAmpFlag_Auto : ProcAmpFlag_Manual;
    return true;
}

bool CaptureCore::GetImagePropertyRange(std::int32_t property, std::int32_t& min, std::int32_t& max,
    std::int32_t& step, std::int32_t& def, std::int32_t& capsFlags)
{
    CameraControls* c = controls();
    const CameraControl* ctl = c ? c->byProcAmp(property) : nullptr;
    if (!ctl)
        return true;
    min = ctl->minimum;
    max = ctl->maximum;
    step = ctl->step;
    def = ctl->defaultValue;
    capsFlags = ProcAmpFlag_Manual | (ctl->hasAuto ? ProcAmpFlag_Auto : 0);
    return true;
}

} // namespace capture
