// capture-tool: lists the cameras Capture sees and writes one frame of a
// camera to a bitmap file, through the control's own members.
//
//   capture-tool --list
//   capture-tool --grab FILE [--device NAME] [--width W --height H]
//                [--processed] [--fore PNG] [--effect N]
//
// Exit code 0 only when the list was printed or the file was written.
#include "capturectrl.h"
#include "eventwait.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gst/gst.h>
#include <optional>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr,
        "usage: capture-tool --list\n"
        "       capture-tool --grab FILE [--device NAME] [--width W --height H]\n"
        "                    [--processed] [--fore PNG] [--effect N]\n");
    return 2;
}

std::optional<int> number(const char* s)
{
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (!*s || *end || v < -32768 || v > 2147483647L)
        return std::nullopt;
    return static_cast<int>(v);
}

struct Options {
    bool list = false;
    QString file;
    std::optional<std::string> device;
    std::optional<int> width, height, effect;
    bool processed = false;
    QString fore;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--list") {
            o.list = true;
        } else if (a == "--processed") {
            o.processed = true;
        } else if (a == "--grab" && hasValue) {
            o.file = QString::fromLocal8Bit(argv[++i]);
        } else if (a == "--device" && hasValue) {
            o.device = argv[++i];
        } else if (a == "--fore" && hasValue) {
            o.fore = QString::fromLocal8Bit(argv[++i]);
        } else if ((a == "--width" || a == "--height" || a == "--effect") && hasValue) {
            auto v = number(argv[++i]);
            if (!v)
                return std::nullopt;
            (a == "--width" ? o.width : a == "--height" ? o.height : o.effect) = v;
        } else {
            return std::nullopt;
        }
    }
    if (o.list == !o.file.isEmpty() || o.width.has_value() != o.height.has_value())
        return std::nullopt;
    if (o.width && (*o.width <= 0 || *o.height <= 0 || *o.width > 32767 || *o.height > 32767))
        return std::nullopt;
    return o;
}

int grabOne(capture::CaptureCtrl& ctrl, const Options& o)
{
    const int count = ctrl.GetDeviceNumber();
    int index = 0;
    if (o.device) {
        const auto& list = ctrl.settings().deviceList;
        index = -1;
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i] == *o.device) {
                index = static_cast<int>(i);
                break;
            }
        if (index < 0) {
            std::fprintf(stderr, "capture-tool: no camera named \"%s\"\n", o.device->c_str());
            return 1;
        }
    } else if (count == 0) {
        std::fprintf(stderr, "capture-tool: no camera found\n");
        return 1;
    }
    ctrl.SetIsChangeVideoFormat(false);
    if (o.width) {
        ctrl.ReSize(static_cast<std::int16_t>(*o.width), static_cast<std::int16_t>(*o.height));
        ctrl.SetIsCapture(true);
    }
    ctrl.SelectDevice(static_cast<std::int16_t>(index));
    if (!ctrl.Capture()) {
        std::fprintf(stderr, "capture-tool: the camera pipeline could not be built\n");
        return 1;
    }
    const auto& core = ctrl.videoPane()->core();
    if (!capture::waitProcessingEvents(
            [&] { return ctrl.isRunning() && core.framesDelivered() > 0; }, 5000)) {
        const std::string err = core.lastError();
        std::fprintf(stderr, "capture-tool: the camera delivers no picture%s%s\n", err.empty() ? "" : ": ",
            err.c_str());
        return 1;
    }
    if (!o.fore.isEmpty()) {
        if (!ctrl.SetFore(o.fore)) {
            std::fprintf(stderr, "capture-tool: the foreground could not be loaded\n");
            return 1;
        }
        ctrl.SetEnableMergeFore(true);
    }
    if (o.effect)
        ctrl.SetSpecialEffect(*o.effect);
    // A few frames with the settings in force.
    const auto seen = core.framesDelivered();
    capture::waitProcessingEvents([&] { return core.framesDelivered() >= seen + 3; }, 2000);
    capture::GrabError error = capture::GrabError::None;
    if (!ctrl.Grab(o.file, o.processed, &error)) {
        const char* why = error == capture::GrabError::CannotCreateFile ? "the file cannot be created"
            : error == capture::GrabError::CannotWriteFile              ? "the file cannot be written"
                                                                        : "no frame could be copied";
        std::fprintf(stderr, "capture-tool: %s\n", why);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto options = parse(argc, argv);
    if (!options)
        return usage();
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int rc = 0;
    {
        QApplication app(argc, argv);
        capture::CaptureCtrl ctrl;
        if (options->list) {
            ctrl.GetDeviceNumber();
            for (const auto& name : ctrl.settings().deviceList)
                std::printf("%s\n", name.c_str());
        } else {
            rc = grabOne(ctrl, *options);
        }
    }
    gst_deinit();
    return rc;
}
