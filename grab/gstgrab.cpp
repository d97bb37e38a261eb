// The "grab" element: an in-place video filter that hands every frame to
// the pixel core (GrabCore) and exposes the core's IImageGrabber through
// the read-only property "grabber", plus the settings a pipeline author
// needs as properties.
#ifndef PACKAGE
#define PACKAGE "kinfolio"
#endif

#include "grabcore.h"
#include "imagegrabber.h"

#include <gst/gst.h>
#include <gst/video/gstvideofilter.h>
#include <gst/video/video.h>
#include <string>

GST_DEBUG_CATEGORY_STATIC(grab_debug);
#define GST_CAT_DEFAULT grab_debug

namespace {

struct GstGrab {
    GstVideoFilter parent;
    grab::GrabCore* core;
    // Guarded by the object lock.
    gchar* foreLocation;
    gchar* takingLocation;
    gboolean takingMirror;
    // Streaming thread only: the format in force while not stopped.
    gboolean haveInfo;
    GstVideoInfo info;
};

struct GstGrabClass {
    GstVideoFilterClass parent_class;
};

enum {
    PROP_0,
    PROP_EFFECT,
    PROP_MERGE_FORE,
    PROP_FORE_LOCATION,
    PROP_TAKING,
    PROP_TAKING_LOCATION,
    PROP_TAKING_MIRROR,
    PROP_LINE_DOUBLING,
    PROP_GRABBER,
};

// In the order of preference: RGB32, RGB24, RGB565, RGB555.
constexpr char kCaps[] = "video/x-raw, format = (string) { BGRx, BGR, RGB16, RGB15 }, "
                         "width = (int) [ 1, 32767 ], height = (int) [ 1, 32767 ], "
                         "framerate = (fraction) [ 0/1, 2147483647/1 ]";

GstStaticPadTemplate sinkTemplate
    = GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS(kCaps));
GstStaticPadTemplate srcTemplate
    = GST_STATIC_PAD_TEMPLATE("src", GST_PAD_SRC, GST_PAD_ALWAYS, GST_STATIC_CAPS(kCaps));

GType gst_grab_get_type();
#define GST_GRAB(obj) (reinterpret_cast<GstGrab*>(obj))

G_DEFINE_TYPE(GstGrab, gst_grab, GST_TYPE_VIDEO_FILTER)

bool SubTypeOf(GstVideoFormat format, grab::SubType& out)
{
    switch (format) {
    case GST_VIDEO_FORMAT_BGRx:
        out = grab::SubType::Rgb32;
        return true;
    case GST_VIDEO_FORMAT_BGR:
        out = grab::SubType::Rgb24;
        return true;
    case GST_VIDEO_FORMAT_RGB16:
        out = grab::SubType::Rgb565;
        return true;
    case GST_VIDEO_FORMAT_RGB15:
        out = grab::SubType::Rgb555;
        return true;
    default:
        return false;
    }
}

void RefOwner(void* self)
{
    gst_object_ref(self);
}

void UnrefOwner(void* self)
{
    gst_object_unref(self);
}

// Loads the foreground named by the property once a format is known.
void LoadForeLocation(GstGrab* self, bool pause)
{
    GST_OBJECT_LOCK(self);
    std::string path = self->foreLocation ? self->foreLocation : "";
    GST_OBJECT_UNLOCK(self);
    if (path.empty() || !self->core->Geometry().connected)
        return;
    std::string why;
    if (self->core->LoadFore(path.c_str(), pause, &why) != grab::S_OK)
        GST_ELEMENT_WARNING(self, RESOURCE, READ,
            ("Could not use the foreground picture \"%s\".", path.c_str()), ("%s", why.c_str()));
}

void LoadTakingLocation(GstGrab* self)
{
    GST_OBJECT_LOCK(self);
    std::string path = self->takingLocation ? self->takingLocation : "";
    const bool mirror = self->takingMirror;
    GST_OBJECT_UNLOCK(self);
    if (!path.empty())
        self->core->SetTakingImage(path.c_str(), mirror ? 1 : 0);
}

void gst_grab_set_property(GObject* object, guint id, const GValue* value, GParamSpec* pspec)
{
    GstGrab* self = GST_GRAB(object);
    switch (id) {
    case PROP_EFFECT:
        self->core->SetSpecialEffect(g_value_get_int(value));
        break;
    case PROP_MERGE_FORE:
        self->core->SetMergeFore(g_value_get_boolean(value) ? 1 : 0);
        break;
    case PROP_FORE_LOCATION:
        GST_OBJECT_LOCK(self);
        g_free(self->foreLocation);
        self->foreLocation = g_value_dup_string(value);
        GST_OBJECT_UNLOCK(self);
        LoadForeLocation(self, true);
        break;
    case PROP_TAKING:
        self->core->SetIsTaking(g_value_get_boolean(value) ? 1 : 0);
        break;
    case PROP_TAKING_LOCATION:
        GST_OBJECT_LOCK(self);
        g_free(self->takingLocation);
        self->takingLocation = g_value_dup_string(value);
        GST_OBJECT_UNLOCK(self);
        LoadTakingLocation(self);
        break;
    case PROP_TAKING_MIRROR:
        GST_OBJECT_LOCK(self);
        self->takingMirror = g_value_get_boolean(value);
        GST_OBJECT_UNLOCK(self);
        LoadTakingLocation(self);
        break;
    case PROP_LINE_DOUBLING:
        self->core->SetLineDoubling(g_value_get_boolean(value) ? 1 : 0);
        break;
    default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
        break;
    }
}

void gst_grab_get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec)
{
    GstGrab* self = GST_GRAB(object);
    switch (id) {
    case PROP_EFFECT:
        g_value_set_int(value, self->core->Effect());
        break;
    case PROP_MERGE_FORE:
        g_value_set_boolean(value, self->core->MergeFore() != 0);
        break;
    case PROP_FORE_LOCATION:
        GST_OBJECT_LOCK(self);
        g_value_set_string(value, self->foreLocation);
        GST_OBJECT_UNLOCK(self);
        break;
    case PROP_TAKING:
        g_value_set_boolean(value, self->core->IsTaking() != 0);
        break;
    case PROP_TAKING_LOCATION:
        GST_OBJECT_LOCK(self);
        g_value_set_string(value, self->takingLocation);
        GST_OBJECT_UNLOCK(self);
        break;
    case PROP_TAKING_MIRROR:
        GST_OBJECT_LOCK(self);
        g_value_set_boolean(value, self->takingMirror);
        GST_OBJECT_UNLOCK(self);
        break;
    case PROP_LINE_DOUBLING:
        g_value_set_boolean(value, self->core->LineDoubling() != 0);
        break;
    case PROP_GRABBER:
        g_value_set_pointer(value, static_cast<grab::IImageGrabber*>(self->core));
        break;
    default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
        break;
    }
}

gboolean gst_grab_set_info(GstVideoFilter* filter, GstCaps*, GstVideoInfo* inInfo, GstCaps*, GstVideoInfo*)
{
    GstGrab* self = GST_GRAB(filter);
    grab::SubType type;
    if (!SubTypeOf(GST_VIDEO_INFO_FORMAT(inInfo), type)) {
        GST_WARNING_OBJECT(
            self, "refusing format %s", gst_video_format_to_string(GST_VIDEO_INFO_FORMAT(inInfo)));
        return FALSE;
    }
    if (self->haveInfo) {
        // The format is fixed from the first frame until the element stops.
        if (gst_video_info_is_equal(&self->info, inInfo))
            return TRUE;
        GST_WARNING_OBJECT(self, "refusing a new format while not stopped");
        return FALSE;
    }
    if (!self->core->SetFormat(GST_VIDEO_INFO_WIDTH(inInfo), GST_VIDEO_INFO_HEIGHT(inInfo), type))
        return FALSE;
    self->info = *inInfo;
    self->haveInfo = TRUE;
    // Files named by properties before the format was known are fitted now.
    LoadForeLocation(self, false);
    LoadTakingLocation(self);
    return TRUE;
}

GstFlowReturn gst_grab_transform_frame_ip(GstVideoFilter* filter, GstVideoFrame* frame)
{
    GstGrab* self = GST_GRAB(filter);
    grab::SubType type;
    if (!SubTypeOf(GST_VIDEO_FRAME_FORMAT(frame), type))
        return GST_FLOW_OK;
    const grab::FrameView view
        = grab::FrameView::TopDown(static_cast<std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(frame, 0)),
            GST_VIDEO_FRAME_PLANE_STRIDE(frame, 0), GST_VIDEO_FRAME_WIDTH(frame),
            GST_VIDEO_FRAME_HEIGHT(frame), type);
    self->core->ProcessFrame(view);
    return GST_FLOW_OK;
}

GstStateChangeReturn gst_grab_change_state(GstElement* element, GstStateChange transition)
{
    GstGrab* self = GST_GRAB(element);
    if (transition == GST_STATE_CHANGE_PLAYING_TO_PAUSED)
        self->core->SetRunning(false);
    const GstStateChangeReturn ret
        = GST_ELEMENT_CLASS(gst_grab_parent_class)->change_state(element, transition);
    if (ret == GST_STATE_CHANGE_FAILURE)
        return ret;
    switch (transition) {
    case GST_STATE_CHANGE_PAUSED_TO_PLAYING:
        self->core->SetRunning(true);
        break;
    case GST_STATE_CHANGE_PAUSED_TO_READY:
        self->core->ClearFormat();
        self->haveInfo = FALSE;
        break;
    default:
        break;
    }
    return ret;
}

void gst_grab_finalize(GObject* object)
{
    GstGrab* self = GST_GRAB(object);
    delete self->core;
    self->core = nullptr;
    g_free(self->foreLocation);
    g_free(self->takingLocation);
    G_OBJECT_CLASS(gst_grab_parent_class)->finalize(object);
}

void gst_grab_class_init(GstGrabClass* klass)
{
    GObjectClass* gobject = G_OBJECT_CLASS(klass);
    GstElementClass* element = GST_ELEMENT_CLASS(klass);
    GstVideoFilterClass* video = GST_VIDEO_FILTER_CLASS(klass);

    gobject->set_property = gst_grab_set_property;
    gobject->get_property = gst_grab_get_property;
    gobject->finalize = gst_grab_finalize;
    const auto rw = static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);

    g_object_class_install_property(gobject, PROP_EFFECT,
        g_param_spec_int("effect", "Effect",
            "Special effect: 0 none, 1 half mirror, 2 mask mode (no change), 3 point mirror, "
            "4 reflection of the band above the bottom third; other values: none",
            G_MININT, G_MAXINT, 0, rw));
    g_object_class_install_property(gobject, PROP_MERGE_FORE,
        g_param_spec_boolean(
            "merge-fore", "Merge foreground", "Lay the foreground picture over every frame", FALSE, rw));
    g_object_class_install_property(gobject, PROP_FORE_LOCATION,
        g_param_spec_string("fore-location", "Foreground location",
            "RGBA PNG file fitted to the frame as foreground (setting it loads it; merging is "
            "off while it loads and stays off if it cannot be used)",
            nullptr, rw));
    g_object_class_install_property(gobject, PROP_TAKING,
        g_param_spec_boolean(
            "taking", "Taking", "Show the taking image instead of the camera picture", FALSE, rw));
    g_object_class_install_property(gobject, PROP_TAKING_LOCATION,
        g_param_spec_string("taking-location", "Taking image location",
            "Prepared (scrambled) frame file in the 24-bit bottom-up layout shown while taking", nullptr,
            rw));
    g_object_class_install_property(gobject, PROP_TAKING_MIRROR,
        g_param_spec_boolean(
            "taking-mirror", "Mirror taking image", "Mirror the taking image when it is loaded", FALSE, rw));
    g_object_class_install_property(gobject, PROP_LINE_DOUBLING,
        g_param_spec_boolean("line-doubling", "Line doubling",
            "Frame copies of frames over 360 rows get every even row doubled", FALSE, rw));
    g_object_class_install_property(gobject, PROP_GRABBER,
        g_param_spec_pointer("grabber", "Image grabber interface",
            "The element's grab::IImageGrabber* (see imagegrabber.h); borrowed, valid while "
            "the element lives",
            static_cast<GParamFlags>(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));

    gst_element_class_set_static_metadata(element, grab::kElementLongName, "Filter/Effect/Video",
        "In-place video filter: taking image, frame copies, mirror effects "
        "and a foreground picture laid over the video",
        "Kinfolio developers");
    gst_element_class_add_static_pad_template(element, &sinkTemplate);
    gst_element_class_add_static_pad_template(element, &srcTemplate);
    element->change_state = gst_grab_change_state;

    video->set_info = gst_grab_set_info;
    video->transform_frame_ip = gst_grab_transform_frame_ip;
    // Frames are worked on even when the caps are the same on both sides.
    GST_BASE_TRANSFORM_CLASS(klass)->passthrough_on_same_caps = FALSE;
    GST_BASE_TRANSFORM_CLASS(klass)->transform_ip_on_passthrough = FALSE;
}

void gst_grab_init(GstGrab* self)
{
    self->core = new grab::GrabCore();
    self->core->SetOwner(self, RefOwner, UnrefOwner);
    self->foreLocation = nullptr;
    self->takingLocation = nullptr;
    self->takingMirror = FALSE;
    self->haveInfo = FALSE;
    gst_video_info_init(&self->info);
    // Every frame is worked on and passed on; late frames are the sink's to drop.
    gst_base_transform_set_qos_enabled(GST_BASE_TRANSFORM(self), FALSE);
}

gboolean plugin_init(GstPlugin* plugin)
{
    GST_DEBUG_CATEGORY_INIT(grab_debug, "grab", 0, "Image Grabber");
    return gst_element_register(plugin, grab::kElementFactoryName, GST_RANK_NONE, gst_grab_get_type());
}

} // namespace

GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, grab, "Image Grabber in-place video filter",
    plugin_init, KF_VERSION, "Proprietary", "Kinfolio", "Kinfolio")
