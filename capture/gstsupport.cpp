#include "gstsupport.h"

#include "testcamera.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <gst/gst.h>
#include <mutex>
#include <sys/stat.h>

namespace capture {

namespace {
bool g_testCamera = false;
}

bool ensureGstreamer()
{
    static bool ok = false;
    static std::once_flag once;
    std::call_once(once, [] {
        GError* error = nullptr;
        ok = gst_init_check(nullptr, nullptr, &error);
        if (error)
            g_error_free(error);
        if (!ok)
            return;
        const char* env = std::getenv("KINFOLIO_TEST_CAMERA");
        if (env && std::strcmp(env, "1") == 0)
            g_testCamera = registerTestCamera();
    });
    return ok;
}

bool testCameraEnabled()
{
    return ensureGstreamer() && g_testCamera;
}

std::string captureLibraryDir()
{
    Dl_info info {};
    if (!dladdr(reinterpret_cast<void*>(&captureLibraryDir), &info) || !info.dli_fname)
        return {};
    std::string path = info.dli_fname;
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool ensureGrabPlugin()
{
    if (!ensureGstreamer())
        return false;
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    if (GstElementFactory* f = gst_element_factory_find("grab")) {
        gst_object_unref(f);
        return true;
    }
    const std::string dir = captureLibraryDir();
    if (dir.empty())
        return false;
    for (const char* rel : {"/gstreamer-1.0/libgstgrab.so", "/lib/gstreamer-1.0/libgstgrab.so"}) {
        const std::string file = dir + rel;
        struct stat st { };
        if (stat(file.c_str(), &st) != 0)
            continue;
        GError* error = nullptr;
        if (GstPlugin* plugin = gst_plugin_load_file(file.c_str(), &error))
            gst_object_unref(plugin);
        if (error)
            g_error_free(error);
        if (GstElementFactory* f = gst_element_factory_find("grab")) {
            gst_object_unref(f);
            return true;
        }
    }
    return false;
}

} // namespace capture
