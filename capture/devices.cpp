#include "devices.h"

#include "gstsupport.h"
#include "testcamera.h"

#include <algorithm>
#include <cstring>

namespace capture {

namespace {

struct Found {
    GstDevice* device;
    std::string name;
    bool test;
    std::string path;
};

std::string deviceNode(GstDevice* d)
{
    std::string path;
    if (GstStructure* props = gst_device_get_properties(d)) {
        for (const char* key : {"api.v4l2.path", "device.path"}) {
            if (const char* v = gst_structure_get_string(props, key)) {
                path = v;
                break;
            }
        }
        gst_structure_free(props);
    }
    return path;
}

// /dev/video2 before /dev/video10.
bool nodeLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        std::size_t i = s.size();
        while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9')
            --i;
        const long n = i < s.size() ? std::stol(s.substr(i, 9)) : -1;
        return std::make_pair(s.substr(0, i), n);
    };
    return split(a) < split(b);
}

// Devices of the video source class as the monitor reports them, sorted.
std::optional<std::vector<Found>> probe()
{
    if (!ensureGstreamer())
        return std::nullopt;
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    if (!monitor)
        return std::nullopt;
    gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
    GList* devices = gst_device_monitor_get_devices(monitor);
    std::vector<Found> found;
    for (GList* l = devices; l; l = l->next) {
        GstDevice* d = GST_DEVICE(l->data);
        gchar* name = gst_device_get_display_name(d);
        const bool test = testCameraEnabled() && name && std::strcmp(name, kTestCameraName) == 0
            && !g_strcmp0(G_OBJECT_TYPE_NAME(d), "KinfolioTestCameraDevice");
        found.push_back({GST_DEVICE(gst_object_ref(d)), listName(name ? name : ""), test, deviceNode(d)});
        g_free(name);
    }
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(monitor);
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.test != b.test)
            return b.test;
        if (a.path.empty() || b.path.empty())
            return false;
        return nodeLess(a.path, b.path);
    });
    return found;
}

void release(std::vector<Found>& found)
{
    for (auto& f : found)
        gst_object_unref(f.device);
    found.clear();
}

GstElement* createElement(GstDevice* d, const char* name)
{
    GstElement* e = gst_device_create_element(d, name);
    return e ? GST_ELEMENT(gst_object_ref_sink(e)) : nullptr;
}

} // namespace

std::string listName(const char* utf8)
{
    std::string s = utf8 ? utf8 : "";
    if (s.size() <= 255)
        return s;
    std::size_t cut = 255;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return s.substr(0, cut);
}

std::optional<std::vector<std::string>> listVideoDevices()
{
    auto found = probe();
    if (!found)
        return std::nullopt;
    std::vector<std::string> names;
    for (auto& f : *found) {
        // A device counts only when its source element can be made.
        if (GstElement* e = createElement(f.device, nullptr)) {
            gst_object_unref(e);
            names.push_back(f.name);
        }
    }
    release(*found);
    return names;
}

std::optional<OpenedDevice> openVideoDevice(const std::string& name, const char* elementName)
{
    auto found = probe();
    if (!found)
        return std::nullopt;
    std::optional<OpenedDevice> result;
    for (auto& f : *found) {
        if (f.name != name)
            continue;
        if (GstElement* e = createElement(f.device, elementName)) {
            result = OpenedDevice {GST_DEVICE(gst_object_ref(f.device)), e, f.name};
            break;
        }
    }
    release(*found);
    return result;
}

void releaseOpenedDevice(OpenedDevice& d)
{
    if (d.element)
        gst_object_unref(d.element);
    if (d.device)
        gst_object_unref(d.device);
    d.element = nullptr;
    d.device = nullptr;
}

std::string v4l2DevicePath(GstElement* source)
{
    if (!source)
        return {};
    GstElementFactory* f = gst_element_get_factory(source);
    if (!f || std::strcmp(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(f)), "v4l2src") != 0)
        return {};
    gchar* dev = nullptr;
    g_object_get(source, "device", &dev, nullptr);
    std::string path = dev ? dev : "";
    g_free(dev);
    return path;
}

} // namespace capture
