// Frames per second of whole pipelines, 640 x 480 BGR, sync off:
// videotestsrc ! grab (overlay on) ! fakesink against the same pipeline
// with GStreamer's gdkpixbufoverlay laying the same PNG, and the bare
// source as the floor.
#include "benchmain.h"
#include "grabtesting.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <gst/gst.h>
#include <string>

namespace {

constexpr int kFrames = 300;
constexpr int kWidth = 640, kHeight = 480;

struct Pictures {
    Pictures()
    {
        grab::testing::WritePng(dir / "decorative.png", kWidth, kHeight, grab::testing::PngKind::Rgba, 8,
            grab::testing::DecorativeFrameRgba(kWidth, kHeight));
        grab::testing::WritePng(dir / "veiled.png", kWidth, kHeight, grab::testing::PngKind::Rgba, 8,
            grab::testing::VeiledRgba(kWidth, kHeight));
    }
    grab::testing::TempDir dir;
};

const Pictures& Files()
{
    static const Pictures p;
    return p;
}

// Arrival times of the frames at the sink.
struct Arrivals {
    using Clock = std::chrono::steady_clock;
    Clock::time_point first, last;
    int frames = 0;
};

GstPadProbeReturn OnFrame(GstPad*, GstPadProbeInfo*, gpointer data)
{
    auto* a = static_cast<Arrivals*>(data);
    a->last = Arrivals::Clock::now();
    if (a->frames++ == 0)
        a->first = a->last;
    return GST_PAD_PROBE_OK;
}

// Runs the pipeline to its end and tells the seconds from the first frame
// at the sink to the last one, so that building the pipeline and loading
// the picture do not count; negative on an error.
double RunToEnd(const std::string& desc)
{
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(desc.c_str(), &error);
    if (error) {
        g_printerr("%s: %s\n", desc.c_str(), error->message);
        g_error_free(error);
        return -1;
    }
    Arrivals arrivals;
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    GstPad* pad = gst_element_get_static_pad(sink, "sink");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, OnFrame, &arrivals, nullptr);
    gst_object_unref(pad);
    gst_object_unref(sink);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* msg = gst_bus_timed_pop_filtered(
        bus, 120 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = msg && GST_MESSAGE_TYPE(msg) == GST_MESSAGE_EOS && arrivals.frames == kFrames;
    if (msg)
        gst_message_unref(msg);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok ? std::chrono::duration<double>(arrivals.last - arrivals.first).count() : -1;
}

// fps counts the frames after the first, over the time they took.
void Pipeline(benchmark::State& state, const std::string& pattern, const std::string& middle)
{
    const std::string desc = "videotestsrc num-buffers=" + std::to_string(kFrames) + " pattern=" + pattern
        + " ! video/x-raw,format=BGR,width=" + std::to_string(kWidth) + ",height=" + std::to_string(kHeight)
        + " ! " + middle + " ! fakesink name=sink sync=false";
    double seconds = 0;
    for (auto _ : state) {
        const double s = RunToEnd(desc);
        if (s <= 0) {
            state.SkipWithError("pipeline failed");
            return;
        }
        state.SetIterationTime(s);
        seconds += s;
    }
    const double frames = static_cast<double>(state.iterations()) * (kFrames - 1);
    state.counters["fps"] = frames / seconds;
    state.counters["us_per_frame"] = seconds * 1e6 / frames;
}

// pattern=black keeps the source's own cost small, so that the figures
// show the overlay; smpte (the default pattern) is shown beside it.
struct Case {
    const char* name;
    const char* pattern;
    const char* element; // identity, grab or gdkpixbufoverlay
    const char* png;
};

constexpr Case kCases[] = {
    {"SourceOnly", "black", "identity", nullptr},
    {"GrabDecorative", "black", "grab", "decorative.png"},
    {"GdkPixbufOverlayDecorative", "black", "gdkpixbufoverlay", "decorative.png"},
    {"GrabFull", "black", "grab", "veiled.png"},
    {"GdkPixbufOverlayFull", "black", "gdkpixbufoverlay", "veiled.png"},
    {"SmpteSourceOnly", "smpte", "identity", nullptr},
    {"SmpteGrabDecorative", "smpte", "grab", "decorative.png"},
    {"SmpteGdkPixbufOverlayDecorative", "smpte", "gdkpixbufoverlay", "decorative.png"},
};

std::string Middle(const Case& c)
{
    std::string m = c.element;
    if (c.png) {
        const std::string path = (Files().dir / c.png).string();
        m += std::string(m == "grab" ? " merge-fore=true fore-location=" : " location=") + path;
    }
    return m;
}

} // namespace

int main(int argc, char** argv)
{
    // The plugin of this build, unless the caller names another folder.
    setenv("GST_PLUGIN_PATH", KF_APP_PLUGIN_DIR, 0);
    gst_init(&argc, &argv);
    for (const Case& c : kCases)
        benchmark::RegisterBenchmark((std::string("BM_Pipeline") + c.name).c_str(),
            [c](benchmark::State& state) { Pipeline(state, c.pattern, Middle(c)); })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(1.0);
    const int rc = runBenchmarks(argc, argv);
    gst_deinit();
    return rc;
}
