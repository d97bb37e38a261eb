// Frames per second of whole pipelines, 640 x 480 BGR, sync off:
// videotestsrc ! grab (overlay on) ! fakesink against the same pipeline
// with GStreamer's gdkpixbufoverlay laying the same PNG, and the bare
// source as the floor.
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

// Runs the pipeline to its end; false on an error.
bool RunToEnd(const std::string& desc)
{
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(desc.c_str(), &error);
    if (error) {
        g_printerr("%s: %s\n", desc.c_str(), error->message);
        g_error_free(error);
        return false;
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* msg = gst_bus_timed_pop_filtered(
        bus, 120 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = msg && GST_MESSAGE_TYPE(msg) == GST_MESSAGE_EOS;
    if (msg)
        gst_message_unref(msg);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok;
}

void Pipeline(benchmark::State& state, const std::string& pattern, const std::string& middle)
{
    const std::string desc = "videotestsrc num-buffers=" + std::to_string(kFrames) + " pattern=" + pattern
        + " ! video/x-raw,format=BGR,width=" + std::to_string(kWidth) + ",height=" + std::to_string(kHeight)
        + " ! " + middle + " ! fakesink sync=false";
    for (auto _ : state)
        if (!RunToEnd(desc)) {
            state.SkipWithError("pipeline failed");
            return;
        }
    state.counters["fps"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames, benchmark::Counter::kIsRate);
    state.SetLabel(middle.substr(0, middle.find(' ')));
}

std::string GrabWith(const char* png)
{
    return "grab merge-fore=true fore-location=" + (Files().dir / png).string();
}

std::string OverlayWith(const char* png)
{
    return "gdkpixbufoverlay location=" + (Files().dir / png).string();
}

// pattern=black keeps the source's own cost small, so that the figures
// show the overlay; smpte (the default pattern) is shown beside it.
void BM_SourceOnly(benchmark::State& s)
{
    Pipeline(s, "black", "identity");
}
void BM_GrabDecorative(benchmark::State& s)
{
    Pipeline(s, "black", GrabWith("decorative.png"));
}
void BM_GdkPixbufOverlayDecorative(benchmark::State& s)
{
    Pipeline(s, "black", OverlayWith("decorative.png"));
}
void BM_GrabFull(benchmark::State& s)
{
    Pipeline(s, "black", GrabWith("veiled.png"));
}
void BM_GdkPixbufOverlayFull(benchmark::State& s)
{
    Pipeline(s, "black", OverlayWith("veiled.png"));
}
void BM_SmpteSourceOnly(benchmark::State& s)
{
    Pipeline(s, "smpte", "identity");
}
void BM_SmpteGrabDecorative(benchmark::State& s)
{
    Pipeline(s, "smpte", GrabWith("decorative.png"));
}
void BM_SmpteGdkPixbufOverlayDecorative(benchmark::State& s)
{
    Pipeline(s, "smpte", OverlayWith("decorative.png"));
}

BENCHMARK(BM_SourceOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_GrabDecorative)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_GdkPixbufOverlayDecorative)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_GrabFull)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_GdkPixbufOverlayFull)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_SmpteSourceOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_SmpteGrabDecorative)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_SmpteGdkPixbufOverlayDecorative)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    // The plugin of this build, unless the caller names another folder.
    setenv("GST_PLUGIN_PATH", KF_APP_PLUGIN_DIR, 0);
    gst_init(&argc, &argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gst_deinit();
    return 0;
}
