#include "testcamera.h"

#include <mutex>

namespace capture {

namespace {

GstElement* createTestCameraElement(GstDevice*, const gchar* name)
{
    // Colour bars scrolling sideways: a live picture in which every frame
    // differs, cheap to make.
    GError* error = nullptr;
    GstElement* bin = gst_parse_bin_from_description(
        "videotestsrc name=pattern is-live=true pattern=smpte horizontal-speed=4 "
        "! videobalance name=balance",
        TRUE, &error);
    if (!bin) {
        if (error)
            g_error_free(error);
        return nullptr;
    }
    if (name)
        gst_object_set_name(GST_OBJECT(bin), name);
    return bin;
}

void deviceClassInit(gpointer klass, gpointer)
{
    GST_DEVICE_CLASS(klass)->create_element = createTestCameraElement;
}

// A subclass that only overrides class members.
GType registerSubclass(
    GType parent, const char* name, std::size_t classSize, GClassInitFunc init, std::size_t instanceSize)
{
    GTypeInfo info {};
    info.class_size = static_cast<guint16>(classSize);
    info.class_init = init;
    info.instance_size = static_cast<guint16>(instanceSize);
    return g_type_register_static(parent, name, &info, GTypeFlags(0));
}

GType testDeviceType()
{
    static const GType type = registerSubclass(GST_TYPE_DEVICE, "KinfolioTestCameraDevice",
        sizeof(GstDeviceClass), deviceClassInit, sizeof(GstDevice));
    return type;
}

GList* probeTestCamera(GstDeviceProvider*)
{
    GstCaps* caps = testCameraCaps();
    GstStructure* props
        = gst_structure_new("kinfolio-test-camera", "device.api", G_TYPE_STRING, "test", nullptr);
    GstDevice* device = GST_DEVICE(g_object_new(testDeviceType(), "display-name", kTestCameraName,
        "device-class", "Video/Source", "caps", caps, "properties", props, nullptr));
    gst_caps_unref(caps);
    gst_structure_free(props);
    return g_list_append(nullptr, gst_object_ref_sink(device));
}

void providerClassInit(gpointer klass, gpointer)
{
    auto* dpc = GST_DEVICE_PROVIDER_CLASS(klass);
    dpc->probe = probeTestCamera;
    gst_device_provider_class_set_static_metadata(
        dpc, "Kinfolio test camera", "Video/Source", "A live test pattern listed as a camera", "Kinfolio");
}

GType testProviderType()
{
    static const GType type = registerSubclass(GST_TYPE_DEVICE_PROVIDER, "KinfolioTestCameraProvider",
        sizeof(GstDeviceProviderClass), providerClassInit, sizeof(GstDeviceProvider));
    return type;
}

gboolean pluginInit(GstPlugin* plugin)
{
    return gst_device_provider_register(plugin, "kinfoliotestcamera", GST_RANK_MARGINAL, testProviderType());
}

} // namespace

GstCaps* testCameraCaps()
{
    return gst_caps_from_string("video/x-raw, format=YUY2, width=640, height=480, framerate=30/1; "
                                "video/x-raw, format=BGR, width=640, height=480, framerate=30/1; "
                                "video/x-raw, format=BGR, width=320, height=240, framerate=30/1; "
                                "video/x-raw, format=BGR, width=800, height=600, framerate=30/1; "
                                "video/x-raw, format=I420, width=640, height=480, framerate=30/1");
}

bool registerTestCamera()
{
    static bool ok = false;
    static std::once_flag once;
    std::call_once(once, [] {
        ok = gst_plugin_register_static(GST_VERSION_MAJOR, GST_VERSION_MINOR, "kinfoliotestcamera",
            "Test camera for Kinfolio", pluginInit, "1.0", "LGPL", "kinfolio", "kinfolio", "kinfolio");
    });
    return ok;
}

} // namespace capture
